#pragma once

#include "shopping/shoppingingredient.h"

#include <QList>
#include <QString>

// What the shopping list needs of one recipe file.
struct ShoppingRecipe
{
    QString path;
    bool readable = false; // false: missing, or nothing a recipe can be read from
    QString title;         // the recipe's title, or its file name when it has none
    int servings = 0;      // from the metadata, 1 to 99; 0 when not given
    QChar decimalMark = QLatin1Char('.'); // ',' where its amounts are written "0,5"
    QList<ShoppingIngredient> ingredients;
};
