#include "pantry/pantryitemsmodel.h"

#include "pantry/pantrystore.h"

namespace {

bool sameItem(const PantryItem& a, const PantryItem& b)
{
    return a.text == b.text;
}

} // namespace

PantryItemsModel::PantryItemsModel(PantryStore* store, QObject* parent)
    : QAbstractListModel(parent)
    , m_store(store)
    , m_items(store->pantry().items())
{
    connect(store, &PantryStore::changed, this, &PantryItemsModel::follow);
}

int PantryItemsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_items.size());
}

QVariant PantryItemsModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const PantryItem& item = m_items.at(index.row());
    const bool enough = !item.reading.amount.isNumber() && !item.reading.amount.isText();
    switch (role) {
    case Qt::DisplayRole:
    case TextRole:
        return item.text;
    case NameRole:
        return item.reading.name;
    case AmountRole:
        return item.reading.written;
    case EnoughRole:
        return enough;
    default:
        return {};
    }
}

QHash<int, QByteArray> PantryItemsModel::roleNames() const
{
    return {{Qt::DisplayRole, "display"},
            {NameRole, "name"},
            {AmountRole, "amount"},
            {EnoughRole, "enough"},
            {TextRole, "text"}};
}

QString PantryItemsModel::textAt(int row) const
{
    return row >= 0 && row < m_items.size() ? m_items.at(row).text : QString();
}

// Places beyond the new end go first, then the places kept change their
// data, then new places are added at the end.
void PantryItemsModel::follow()
{
    const QList<PantryItem> fresh = m_store->pantry().items();
    if (fresh.size() < m_items.size()) {
        beginRemoveRows(QModelIndex(), int(fresh.size()), int(m_items.size()) - 1);
        m_items.resize(fresh.size());
        endRemoveRows();
    }
    int first = -1;
    int last = -1;
    for (int row = 0; row < m_items.size(); ++row) {
        if (sameItem(m_items.at(row), fresh.at(row)))
            continue;
        m_items[row] = fresh.at(row);
        if (first < 0)
            first = row;
        last = row;
    }
    if (first >= 0)
        emit dataChanged(index(first), index(last));
    if (fresh.size() > m_items.size()) {
        beginInsertRows(QModelIndex(), int(m_items.size()), int(fresh.size()) - 1);
        m_items = fresh;
        endInsertRows();
    }
}
