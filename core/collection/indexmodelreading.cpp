#include "collection/indexmodelreading.h"

#include "collection/recipeindexmodel.h"
#include "collection/scanner.h"

#include <QStandardItemModel>

namespace {

const RecipeIndexModel* indexModelOf(const QStandardItem* key)
{
    return key ? qobject_cast<const RecipeIndexModel*>(key->model()) : nullptr;
}

} // namespace

QStringList IndexModelReading::topLevelTexts(const QStandardItemModel* model)
{
    QStringList texts;
    if (!model)
        return texts;
    texts.reserve(model->rowCount());
    for (int row = 0; row < model->rowCount(); ++row)
        texts.append(model->item(row)->text());
    return texts;
}

QStringList IndexModelReading::childPaths(const QStandardItem* key)
{
    // Rows not made yet are not made for this: their paths are at hand.
    if (const RecipeIndexModel* model = indexModelOf(key))
        if (std::optional<QStringList> pending = model->pendingChildPaths(key))
            return *pending;
    QStringList paths;
    paths.reserve(key->rowCount());
    for (int row = 0; row < key->rowCount(); ++row)
        paths.append(key->child(row)->data(PathRole).toString());
    return paths;
}

void IndexModelReading::makeChildren(const QStandardItem* key)
{
    if (const RecipeIndexModel* model = indexModelOf(key))
        model->makeChildren(key);
}
