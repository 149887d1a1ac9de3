#pragma once

#include <QHash>
#include <QString>
#include <QStringView>

// Turns text into the form in which searches compare it: without regard to
// case (full folding, so "Straße" and "STRASSE" agree) or accents ("Crème"
// and "creme" agree), with compatibility forms and a few ligatures spelt out
// ("ﬁ", "œ", "æ"). Characters of scripts written without spaces (Chinese,
// Japanese, Thai...) keep their marks: there a mark changes the word.
//
// One instance keeps what it has worked out per character, so that a text is
// folded at the cost of a table look-up per character outside ASCII. It is
// not shared between threads: each thread folds with its own.
class TextFolding
{
public:
    // `text` folded for comparison without regard to case and accents.
    QString fold(QStringView text);

    // Full case folding only, accents kept: how tags are compared.
    static QString foldCase(QStringView text);

    // Scripts whose words are not separated by spaces; text in them is
    // matched anywhere rather than at word starts.
    static bool isUnspaced(char32_t c);

private:
    const QString& foldedCharacter(char32_t c);
    static QString foldCharacter(char32_t c);

    QHash<char32_t, QString> m_folded;
};
