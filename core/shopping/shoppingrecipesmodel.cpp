#include "shopping/shoppingrecipesmodel.h"

#include "shopping/shoppinglistfile.h"
#include "shopping/shoppingliststore.h"

namespace {

QList<ShoppingEntry> entriesOf(const ShoppingList& list)
{
    QList<ShoppingEntry> entries;
    entries.reserve(list.size());
    for (int row = 0; row < list.size(); ++row)
        entries.append(list.entry(row));
    return entries;
}

QStringList pathsOf(const QList<ShoppingEntry>& entries)
{
    QStringList paths;
    for (const ShoppingEntry& entry : entries)
        paths.append(entry.recipe.path);
    return paths;
}

bool sameShown(const ShoppingEntry& a, const ShoppingEntry& b)
{
    return a.recipe.title == b.recipe.title && a.recipe.readable == b.recipe.readable &&
           a.hasServings() == b.hasServings() && a.amountWanted() == b.amountWanted();
}

} // namespace

ShoppingRecipesModel::ShoppingRecipesModel(ShoppingListStore* store, QObject* parent)
    : QAbstractTableModel(parent)
    , m_store(store)
    , m_entries(entriesOf(store->list()))
{
    connect(store, &ShoppingListStore::changed, this, &ShoppingRecipesModel::follow);
}

int ShoppingRecipesModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_entries.size());
}

int ShoppingRecipesModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ShoppingRecipesModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const ShoppingEntry& entry = m_entries.at(index.row());
    const bool title = index.column() == TitleColumn;
    switch (role) {
    case Qt::DisplayRole:
        return title ? shownTitle(entry) : amountText(entry.amountWanted(), entry.hasServings());
    case Qt::EditRole:
        return title ? QVariant(shownTitle(entry)) : QVariant(entry.amountWanted());
    case Qt::ToolTipRole:
        return title ? QVariant(entry.recipe.path) : QVariant();
    case TitleRole:
        return entry.recipe.title;
    case PathRole:
        return entry.recipe.path;
    case AmountRole:
        return entry.amountWanted();
    case AmountTextRole:
        return amountText(entry.amountWanted(), entry.hasServings());
    case HasServingsRole:
        return entry.hasServings();
    case MissingRole:
        return !entry.recipe.readable;
    case MinimumRole:
        return entry.minimumAmount();
    case MaximumRole:
        return entry.maximumAmount();
    default:
        return {};
    }
}

bool ShoppingRecipesModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if ((role != Qt::EditRole && role != AmountRole) ||
        !checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return false;
    if (role == Qt::EditRole && index.column() != AmountColumn)
        return false;
    bool ok = false;
    const int number = value.toInt(&ok);
    if (!ok)
        return false;
    setAmount(index.row(), number);
    return true;
}

Qt::ItemFlags ShoppingRecipesModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return QAbstractTableModel::flags(index);
    Qt::ItemFlags flags = QAbstractTableModel::flags(index) | Qt::ItemNeverHasChildren;
    if (index.column() == AmountColumn)
        flags |= Qt::ItemIsEditable;
    return flags;
}

QVariant ShoppingRecipesModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case TitleColumn:
        return tr("Recipe");
    case AmountColumn:
        return tr("Amount");
    default:
        return {};
    }
}

QHash<int, QByteArray> ShoppingRecipesModel::roleNames() const
{
    return {{Qt::DisplayRole, "display"},
            {TitleRole, "title"},
            {PathRole, "path"},
            {AmountRole, "amount"},
            {AmountTextRole, "amountText"},
            {HasServingsRole, "hasServings"},
            {MissingRole, "missing"},
            {MinimumRole, "minimum"},
            {MaximumRole, "maximum"}};
}

QString ShoppingRecipesModel::shownTitle(const ShoppingEntry& entry)
{
    return entry.recipe.readable ? entry.recipe.title : tr("%1 (missing)").arg(entry.recipe.title);
}

int ShoppingRecipesModel::rowOf(const QString& path) const
{
    for (int row = 0; row < m_entries.size(); ++row) {
        if (m_entries.at(row).recipe.path == path)
            return row;
    }
    return -1;
}

// By path, so that it means the same when the store reads the file first.
void ShoppingRecipesModel::setAmount(int row, int value)
{
    if (row < 0 || row >= m_entries.size())
        return;
    const ShoppingEntry& entry = m_entries.at(row);
    if (entry.hasServings())
        m_store->setWantedServings(entry.recipe.path, value);
    else
        m_store->setFactorHalves(entry.recipe.path, value);
}

void ShoppingRecipesModel::changeAmount(int row, int step)
{
    if (row >= 0 && row < m_entries.size())
        setAmount(row, m_entries.at(row).amountWanted() + step);
}

QString ShoppingRecipesModel::amountText(int value, bool servings)
{
    ShoppingFileRecipe recipe;
    (servings ? recipe.servings : recipe.factorHalves) = value;
    return ShoppingListFile::amountText(recipe);
}

// One recipe added or removed moves no other row; anything else, or a
// recipe whose kind of amount changed (views make their editors anew),
// resets the model.
void ShoppingRecipesModel::follow()
{
    const QList<ShoppingEntry> fresh = entriesOf(m_store->list());
    if (followByRow(fresh))
        return;
    beginResetModel();
    m_entries = fresh;
    endResetModel();
}

bool ShoppingRecipesModel::followByRow(const QList<ShoppingEntry>& fresh)
{
    const QStringList before = pathsOf(m_entries);
    const QStringList after = pathsOf(fresh);
    if (after.size() == before.size() + 1 && after.mid(0, before.size()) == before) {
        beginInsertRows(QModelIndex(), int(before.size()), int(before.size()));
        m_entries.append(fresh.last());
        endInsertRows();
    } else if (after.size() + 1 == before.size()) {
        int gone = 0;
        while (gone < after.size() && after.at(gone) == before.at(gone))
            ++gone;
        if (before.mid(0, gone) + before.mid(gone + 1) != after)
            return false;
        beginRemoveRows(QModelIndex(), gone, gone);
        m_entries.removeAt(gone);
        endRemoveRows();
    } else if (after != before) {
        return false;
    }
    for (int row = 0; row < fresh.size(); ++row) {
        if (fresh.at(row).hasServings() != m_entries.at(row).hasServings())
            return false;
    }
    for (int row = 0; row < fresh.size(); ++row) {
        const bool same = sameShown(m_entries.at(row), fresh.at(row));
        m_entries[row] = fresh.at(row);
        if (!same)
            emit dataChanged(index(row, TitleColumn), index(row, AmountColumn));
    }
    return true;
}
