#pragma once

#include <QString>
#include <QStringList>

// How the Markdown list files at a cookbook's root (the shopping list, the
// meal plan) are read and written alike: their lines and factors in halves
// ("×1½"); their recipe links are RecipeLink's.
class ListFileText
{
public:
    // The text's lines without line ends, a leading byte-order mark or the
    // empty line after the last line end; `crlf` tells whether it used CR LF.
    static QStringList lines(const QString& text, bool* crlf);
    static void trimBlankLines(QStringList* lines);

    // "2", "1½", "1,5" in halves (4, 3, 3); 0 unless a whole number of
    // halves from 1 to 1000.
    static int halvesOf(const QString& number);
    // "×1½" for 3 halves.
    static QString factorText(int halves);
};
