#pragma once

#include "shopping/shoppingitem.h"
#include "shopping/shoppinglistfile.h"

#include <QAbstractListModel>
#include <QList>

// The merged ingredients of the shopping list, one checkable row per name:
// "1¼ kg plain flour", with each recipe's own amount as the tool tip; then
// the rows written by hand.
class ShoppingItemsModel : public QAbstractListModel
{
    Q_OBJECT
public:
    // True for a row written by hand.
    static constexpr int HandWrittenRole = Qt::UserRole + 3;

    explicit ShoppingItemsModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    void setItems(const QList<ShoppingItem>& items,
                  const QList<ShoppingFileRow>& handRows = QList<ShoppingFileRow>());

signals:
    void tickChanged(const QString& key, bool ticked);
    void handRowTicked(const QString& text, bool ticked);

private:
    QList<ShoppingItem> items;
    QList<bool> handWritten; // one per item
};
