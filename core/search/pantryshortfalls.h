#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <vector>

class IngredientNameIndex;
class PantryStock;

// What the pantry lacks of each recipe: of the ingredients a recipe lists,
// how many the pantry neither holds nor counts as a staple, and the first two
// of them by name. Worked out once per pantry and collection: every name the
// collection lists is looked up once, not once per recipe.
class PantryShortfalls
{
public:
    // Recipes are given as positions: `positionOf` maps a listed recipe's path
    // to its position among `recipeCount`; paths it lacks are ignored.
    PantryShortfalls(const IngredientNameIndex& listed, const PantryStock& stock,
                     const QHash<QString, int>& positionOf, int recipeCount);

    // Whether the recipe lists any ingredient at all; one that lists none
    // cannot be judged from the pantry.
    bool listsIngredients(int position) const;
    // How many of its listed ingredients the pantry lacks.
    int lacking(int position) const;
    // The names it lacks, at most two, in the collection's order of names.
    QStringList lackingNames(int position) const;

private:
    struct Shortfall
    {
        int listed = 0;
        int lacking = 0;
        int first = -1; // positions in m_names
        int second = -1;
    };

    void countListed(const IngredientNameIndex& listed, const std::vector<int>& positions);
    void countLacking(const IngredientNameIndex& listed, const PantryStock& stock,
                      const std::vector<int>& positions);

    QStringList m_names;
    std::vector<Shortfall> m_shortfalls;
};
