#pragma once

#include <QStringList>

class QStandardItem;
class QStandardItemModel;

// What the finding views read of the scan's index models: the keys (tag or
// ingredient names) and the recipe paths listed under one key.
class IndexModelReading
{
public:
    // The texts of the model's top-level rows; none for a null model.
    static QStringList topLevelTexts(const QStandardItemModel* model);
    // The paths (PathRole) of the recipes listed under `key`, whether or not
    // their rows are made yet.
    static QStringList childPaths(const QStandardItem* key);
    // Makes sure the recipe rows under `key` exist, for code that reads them
    // through the item (QStandardItem::rowCount(), child()) rather than the
    // model, which makes them when asked (see RecipeIndexModel).
    static void makeChildren(const QStandardItem* key);
};
