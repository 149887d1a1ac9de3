#pragma once

#include "shopping/shoppingitem.h"

#include <QAbstractListModel>
#include <QList>

// The merged ingredients of the shopping list, one checkable row per name:
// "1¼ kg plain flour", with each recipe's own amount as the tool tip.
class ShoppingItemsModel : public QAbstractListModel
{
    Q_OBJECT
public:
    explicit ShoppingItemsModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    void setItems(const QList<ShoppingItem>& items);

signals:
    void tickChanged(const QString& key, bool ticked);

private:
    QList<ShoppingItem> items;
};
