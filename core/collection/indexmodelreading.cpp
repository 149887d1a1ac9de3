#include "collection/indexmodelreading.h"

#include "collection/scanner.h"

#include <QStandardItemModel>

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
    QStringList paths;
    paths.reserve(key->rowCount());
    for (int row = 0; row < key->rowCount(); ++row)
        paths.append(key->child(row)->data(PathRole).toString());
    return paths;
}
