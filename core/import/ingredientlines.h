#pragma once

#include "import/importedrecipe.h"

#include <QString>
#include <QStringList>

// An imported recipe's ingredient lines made as a cook writes them: group
// lines ("For the noodles:") become sub-headings, lines a page glued with
// " - " bullets are parted, doubled units ("200 g g sugar") and "(s)" plurals
// mended, a list button's text dropped.
class IngredientLines
{
public:
    // Rebuilds the recipe's ingredients and their sub-headings from the
    // lines the reader found; readers mark a group they know from the page's
    // markup by a trailing colon.
    static void tidy(ImportedRecipe& recipe);

    // Whether a line names a group of ingredients rather than one.
    static bool isGroupHeading(const QString& line);
    // "- 6 oignons - 50 g de beurre": one line per bullet; other lines as
    // they are.
    static QStringList parted(const QString& line);
    static QString mended(const QString& line);

private:
    static QString withoutDoubledUnit(const QString& line);
    static QString withPluralMended(const QString& line);
    static QString withoutListButton(const QString& line);
};
