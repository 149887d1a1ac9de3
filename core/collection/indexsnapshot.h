#pragma once

#include "collection/filestamp.h"
#include "collection/recipeindexmodel.h"

#include <QByteArray>
#include <QHash>
#include <QString>

#include <vector>

class IngredientNameIndex;

// What a publication is built from (the recipes with their titles, the
// recipes of each tag and ingredient key, the listed names, the sources),
// written as one block that the kept index holds beside its rows: a start
// reads it back at once instead of gathering it again from every recipe's
// row, and checks the files against the stamps it holds. The recipes are
// written in title order, so that the start finds them ordered.
class IndexSnapshot
{
public:
    using Recipes = RecipeIndexModel::Recipes;
    using IndexList = RecipeIndexModel::RecipeNumbers;
    using IndexMap = QHash<QString, IndexList>;

    struct Parts
    {
        Recipes* recipes = nullptr;
        // Each recipe's file as it was read, numbered as `recipes`.
        std::vector<FileStamp>* stamps = nullptr;
        IndexMap* byTag = nullptr;
        IndexMap* byIngredient = nullptr;
        // Before its finish(), its recipes added as `recipes` numbers them.
        IngredientNameIndex* listedNames = nullptr;
        QHash<QString, QString>* sourcesByPath = nullptr;
    };

    // The block of `parts`, whose recipes are numbered as in `parts.recipes`;
    // `order` lists those numbers in title order. Empty when the names index
    // or the stamps do not number the recipes alike.
    static QByteArray write(const Parts& parts, const IndexList& order);
    // Fills `parts` (all empty) from a block write() gave; false, with
    // `parts` left in no useful state, for a block that is damaged, cut
    // short or of another format.
    static bool read(const QByteArray& block, const Parts& parts);
};
