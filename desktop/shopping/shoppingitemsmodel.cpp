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
        return handWritten.at(index.row()) ? QStringLiteral("Written by hand")
                                           : item.byRecipe.join(QLatin1Char('\n'));
    case HandWrittenRole:
        return handWritten.at(index.row());
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
    if (handWritten.at(index.row()))
        emit handRowTicked(item.name, item.ticked);
    else
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

void ShoppingItemsModel::setItems(const QList<ShoppingItem>& computed,
                                  const QList<ShoppingFileRow>& handRows)
{
    QList<ShoppingItem> newItems = computed;
    QList<bool> newHandWritten(computed.size(), false);
    for (const ShoppingFileRow& row : handRows) {
        ShoppingItem item;
        item.key = row.text;
        item.name = row.text;
        item.ticked = row.ticked;
        newItems.append(item);
        newHandWritten.append(true);
    }
    const bool sameRows =
        newHandWritten == handWritten &&
        std::equal(items.cbegin(), items.cend(), newItems.cbegin(), newItems.cend(),
                   [](const ShoppingItem& a, const ShoppingItem& b) { return a.key == b.key; });
    if (!sameRows) {
        beginResetModel();
        items = newItems;
        handWritten = newHandWritten;
        endResetModel();
        return;
    }
    // The same names in the same order: keep the view's selection and scroll.
    items = newItems;
    if (!items.isEmpty())
        emit dataChanged(index(0), index(rowCount() - 1));
}
