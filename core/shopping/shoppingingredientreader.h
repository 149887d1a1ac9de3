#pragma once

#include "recipe/ingredient.h"
#include "shopping/shoppingrecipe.h"

#include <QMap>
#include <QString>
#include <QStringList>

#include <optional>

class QIODevice;

// Reads what the shopping list needs of a recipe file: its title, its
// servings and its ingredients. The ingredients are the lines the parser
// accepts, plus the bullets of the ingredients sections that it leaves out
// ("* salt", "* 2 eggs", "- 白蘑菇 200 克"), each read as people write them.
class ShoppingIngredientReader
{
public:
    // Files are read only when they are regular files of a bounded size named
    // like a recipe; anything else comes back unreadable.
    static ShoppingRecipe read(const QString& path);

    // The ingredients of a recipe text, in file order, from the current
    // position of an open device to its end.
    static QList<ShoppingIngredient> readIngredients(QIODevice* device);

    // One line of an ingredients section, as people write it: the lines the
    // parser accepts and every other bullet; nothing for other lines.
    static std::optional<ShoppingIngredient> fromLine(const QString& line);
    // Every ingredient of such a line: two where it joins two, each after its
    // own amount ("青椒 2 条，红椒 1 条"); none for other lines.
    static QList<ShoppingIngredient> fromLineAll(const QString& line);

    // One accepted ingredient line. Where the unit is itself a fraction after
    // a whole number ("1 1/2 cup flour"), the two are one amount and the first
    // word of the name is the unit.
    static ShoppingIngredient fromParsed(const Ingredient& parsed);
};
