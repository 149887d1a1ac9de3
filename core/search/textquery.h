#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class TextFolding;

// The words typed into a text search, folded and taken apart the way the
// index is: every word (split at blanks, separators at its ends dropped) must
// occur at the start of a word of a recipe. A word is looked up in the index
// as one or more pieces, each of which must begin some indexed token; when
// the pieces alone cannot prove that the word occurs as typed
// ("self-raising", "红烧肉"), the text itself is checked as well.
class TextQuery
{
public:
    struct Word
    {
        QString folded;
        QStringList pieces;
        bool needsTextCheck = false;
    };

    TextQuery() = default;
    TextQuery(QStringView typed, TextFolding& folding);

    bool isEmpty() const { return m_words.isEmpty(); }
    const QList<Word>& words() const { return m_words; }
    bool needsTextCheck() const;

    // Whether every word occurs in `foldedText` as the search demands.
    bool matchesText(QStringView foldedText) const;

private:
    static Word wordOf(QStringView folded);

    QList<Word> m_words;
};
