#pragma once

#include <QString>
#include <QStringList>

// The singular and plural of an ingredient's name, so that "onion" and
// "onions", "egg" and "eggs", "Zwiebel" and "Zwiebeln", "Ei" and "Eier" count
// as one. Only the last word changes, and only by the endings of a small table
// per language (English, German, French, Spanish, Dutch, and Italian -o/-i);
// a name is never matched inside another ("ice" and "rice" stay apart).
class NameForms
{
public:
    // A name folded for comparison (case and accents, TextFolding), with its
    // blanks collapsed.
    static QString foldedName(const QString& name);

    // The other forms a folded name may take: its last word with a plural
    // ending taken off or put on. Does not include the name itself.
    static QStringList variants(const QString& foldedName);

    // Whether two names are the same but for case, accents and a plural
    // ending of their last word.
    static bool sameName(const QString& a, const QString& b);
};
