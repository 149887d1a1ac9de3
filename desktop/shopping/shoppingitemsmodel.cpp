#include "shopping/shoppingitemsmodel.h"

#include <algorithm>

ShoppingItemsModel::ShoppingItemsModel(QObject* parent)
    : QAbstractListModel(parent)
{}

int ShoppingItemsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(items.size());
}

QVariant ShoppingItemsModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const ShoppingItem& item = items.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return item.text();
    case Qt::CheckStateRole:
        return item.ticked ? Qt::Checked : Qt::Unchecked;
    case Qt::ToolTipRole:
        return item.byRecipe.join(QLatin1Char('\n'));
    default:
        return {};
    }
}

bool ShoppingItemsModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::CheckStateRole ||
        !checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return false;
    ShoppingItem& item = items[index.row()];
    item.ticked = value.toInt() == Qt::Checked;
    emit dataChanged(index, index, {Qt::CheckStateRole});
    emit tickChanged(item.key, item.ticked);
    return true;
}

Qt::ItemFlags ShoppingItemsModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable |
           Qt::ItemNeverHasChildren;
}

void ShoppingItemsModel::setItems(const QList<ShoppingItem>& newItems)
{
    const bool sameRows =
        std::equal(items.cbegin(), items.cend(), newItems.cbegin(), newItems.cend(),
                   [](const ShoppingItem& a, const ShoppingItem& b) { return a.key == b.key; });
    if (!sameRows) {
        beginResetModel();
        items = newItems;
        endResetModel();
        return;
    }
    // The same names in the same order: keep the view's selection and scroll.
    items = newItems;
    if (!items.isEmpty())
        emit dataChanged(index(0), index(rowCount() - 1));
}
