#pragma once

#include <QByteArrayView>
#include <QStringView>

// How a recipe's Markdown is divided: the title line, the level-three headings
// that open its ingredients, directions and metadata, and the bullets that
// list its ingredients. Every reader of a recipe tells sections and list items
// apart here. Lines are looked at in place, as read (terminator included),
// either as UTF-8 bytes or as text.
class RecipeSections
{
public:
    enum class Heading {
        None,        // a content line
        Title,       // "# Soup"; the last one names the recipe
        Ingredients, // "### Ingredients", "### Ingredienten", …
        Directions,  // "### Directions", …
        Metadata,    // "### Metadata", "### Meta", …
        Other,       // any other level-three heading ("### Notes")
    };

    // Where the title's text starts on a title line.
    static constexpr qsizetype titleStart = 2;

    // What heading `line` is, told by its first characters as they stand: no
    // blanks are skipped, "###Ingredients" is no heading, and a byte-order
    // mark in front makes the first line a content line.
    static Heading headingOf(QByteArrayView line);
    static Heading headingOf(QStringView line);

    // The first line of a file without the byte-order mark some editors put
    // in front; the format's own parser keeps it, the readers beyond it
    // (cooking reads decoded text, which has none) leave it out.
    static QByteArrayView withoutByteOrderMark(QByteArrayView firstLine);

    // A list item is a bullet: after leading blanks (spaces, tabs) a "-", "*"
    // or "+", then a blank. Where its text starts (after the blanks that follow
    // the bullet), or -1 when the line is no list item. Numbered items ("1.")
    // belong to directions and are not counted here.
    static qsizetype listItemTextStart(QByteArrayView line);
    static qsizetype listItemTextStart(QStringView line);
    static bool isListItem(QStringView line) { return listItemTextStart(line) >= 0; }

    // The name a line gives the lines under it inside a section: a heading
    // below level three ("#### 辅料") or a line that is only bold text
    // ("**Béchamel layer**"), without its markup and a closing colon; empty
    // for any other line.
    static QString subHeadingOf(QStringView line);
};
