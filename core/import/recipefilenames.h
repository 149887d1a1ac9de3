#pragma once

#include <QString>

// Names for new recipe files taken from their titles: lower case, words
// joined by "-", characters that some common system refuses in file names
// left out, ending in ".recipe.md".
class RecipeFileNames
{
public:
    // "Crème Brûlée (Mum's)" → "crème-brûlée-mums"; "recipe" when nothing
    // usable is left.
    static QString baseName(const QString& title);
    // `baseName` with `number` appended from 2 on: "soup", "soup-2", "soup-3".
    static QString numbered(const QString& baseName, int number);
};
