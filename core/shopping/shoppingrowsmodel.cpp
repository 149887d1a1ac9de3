#include "shopping/shoppingrowsmodel.h"

#include "pantry/pantryamounts.h"
#include "pantry/pantrystock.h"
#include "pantry/pantrystore.h"
#include "shopping/shoppinglist.h"
#include "shopping/shoppingliststore.h"

#include <algorithm>

ShoppingRowsModel::ShoppingRowsModel(ShoppingListStore* store, PantryStore* pantry, QObject* parent)
    : QAbstractListModel(parent)
    , m_store(store)
    , m_pantry(pantry)
    , m_rows(rowsOfStore())
{
    connect(store, &ShoppingListStore::changed, this, &ShoppingRowsModel::follow);
    if (pantry)
        connect(pantry, &PantryStore::changed, this, &ShoppingRowsModel::follow);
}

int ShoppingRowsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

QVariant ShoppingRowsModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const Row& row = m_rows.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return row.text();
    case Qt::CheckStateRole:
        return row.ticked ? Qt::Checked : Qt::Unchecked;
    case Qt::ToolTipRole:
        return row.handWritten ? tr("Written by hand") : row.byRecipe.join(QLatin1Char('\n'));
    case TickedRole:
        return row.ticked;
    case HandWrittenRole:
        return row.handWritten;
    case DetailRole:
        return row.byRecipe.join(QStringLiteral(", "));
    case KeyRole:
        return row.key;
    case AmountRole:
        return row.amount;
    case NameRole:
        return row.name;
    case ToBuyRole:
        return row.held ? row.toBuy : row.amount;
    case PantryRole:
        return row.pantryText();
    case InPantryRole:
        return row.covered;
    case SectionRole:
        return row.covered ? tr("In the pantry") : tr("To buy");
    default:
        return {};
    }
}

bool ShoppingRowsModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if ((role != Qt::CheckStateRole && role != TickedRole) ||
        !checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return false;
    setTicked(index.row(), role == TickedRole ? value.toBool() : value.toInt() == Qt::Checked);
    return true;
}

Qt::ItemFlags ShoppingRowsModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable |
           Qt::ItemNeverHasChildren;
}

QHash<int, QByteArray> ShoppingRowsModel::roleNames() const
{
    return {{Qt::DisplayRole, "display"}, {TickedRole, "ticked"},  {HandWrittenRole, "handWritten"},
            {DetailRole, "detail"},       {KeyRole, "key"},        {AmountRole, "amount"},
            {NameRole, "name"},           {ToBuyRole, "toBuy"},    {PantryRole, "pantry"},
            {InPantryRole, "inPantry"},   {SectionRole, "section"}};
}

// The store is told by name, so that the tick means the same when it reads
// the file first.
void ShoppingRowsModel::setTicked(int row, bool ticked)
{
    if (row < 0 || row >= m_rows.size())
        return;
    if (m_rows.at(row).handWritten)
        m_store->setHandRowTicked(m_rows.at(row).name, ticked);
    else
        m_store->setTicked(m_rows.at(row).key, ticked);
}

bool ShoppingRowsModel::removeHandRow(int row)
{
    if (row < 0 || row >= m_rows.size() || !m_rows.at(row).handWritten)
        return false;
    m_store->removeHandRow(m_rows.at(row).name);
    return true;
}

QStringList ShoppingRowsModel::boughtLines(int row) const
{
    if (row < 0 || row >= m_rows.size())
        return {};
    return m_rows.at(row).bought;
}

QString ShoppingRowsModel::Row::text() const
{
    if (!held)
        return amount.isEmpty() ? name : amount + QLatin1Char(' ') + name;
    const QString rest = toBuy.isEmpty() || covered ? name : toBuy + QLatin1Char(' ') + name;
    return rest + QStringLiteral(" (") + pantryText() + QLatin1Char(')');
}

QString ShoppingRowsModel::Row::pantryText() const
{
    if (!held)
        return QString();
    return inPantry.isEmpty() ? tr("in the pantry") : tr("%1 in the pantry").arg(inPantry);
}

bool ShoppingRowsModel::Row::operator==(const Row& other) const
{
    return key == other.key && amount == other.amount && name == other.name &&
           byRecipe == other.byRecipe && ticked == other.ticked &&
           handWritten == other.handWritten && toBuy == other.toBuy && inPantry == other.inPantry &&
           held == other.held && covered == other.covered && bought == other.bought;
}

namespace {

QStringList boughtOf(const ShoppingItem& item, const PantryCoverage& coverage)
{
    if (coverage.covered)
        return {};
    const QList<ShoppingQuantity> amounts = coverage.held ? coverage.remaining : item.quantities;
    QStringList lines;
    for (const ShoppingQuantity& quantity : amounts)
        lines.append(ShoppingList::quantityText(quantity) + QLatin1Char(' ') + item.name);
    if (lines.isEmpty())
        lines.append(item.name);
    return lines;
}

} // namespace

QList<ShoppingRowsModel::Row> ShoppingRowsModel::rowsOfStore() const
{
    const PantryStock stock(m_pantry ? m_pantry->pantry().readings() : QList<IngredientReading>());
    QList<Row> rows;
    for (const ShoppingItem& item : m_store->items()) {
        Row row{item.key, item.amounts, item.name, item.byRecipe, item.ticked, false,
                {},       {},           false,     false,         {}};
        const PantryCoverage coverage = PantryAmounts::cover(item, stock.itemsNamed(item.name));
        row.toBuy = coverage.toBuy;
        row.inPantry = coverage.inPantry;
        row.held = coverage.held;
        row.covered = coverage.covered;
        row.bought = boughtOf(item, coverage);
        rows.append(row);
    }
    for (const ShoppingFileRow& hand : m_store->handRows()) {
        const QString key = QStringLiteral("hand:") + hand.text.simplified().toCaseFolded();
        Row row{key, QString(), hand.text, QStringList(), hand.ticked, true,
                {},  {},        false,     false,         {}};
        row.bought = QStringList{hand.text};
        rows.append(row);
    }
    // What is in the basket already goes to the end of what is to buy; what
    // the pantry covers comes after it.
    std::stable_partition(rows.begin(), rows.end(), [](const Row& row) { return !row.ticked; });
    std::stable_partition(rows.begin(), rows.end(), [](const Row& row) { return !row.covered; });
    return rows;
}

// Places beyond the new end go first, then the places kept change their
// data, then new places are added at the end.
void ShoppingRowsModel::follow()
{
    const QList<Row> fresh = rowsOfStore();
    if (fresh.size() < m_rows.size()) {
        beginRemoveRows(QModelIndex(), int(fresh.size()), int(m_rows.size()) - 1);
        m_rows.resize(fresh.size());
        endRemoveRows();
    }
    int first = -1;
    int last = -1;
    for (int row = 0; row < m_rows.size(); ++row) {
        if (m_rows.at(row) == fresh.at(row))
            continue;
        m_rows[row] = fresh.at(row);
        if (first < 0)
            first = row;
        last = row;
    }
    if (first >= 0)
        emit dataChanged(index(first), index(last));
    if (fresh.size() > m_rows.size()) {
        beginInsertRows(QModelIndex(), int(m_rows.size()), int(fresh.size()) - 1);
        m_rows = fresh;
        endInsertRows();
    }
}
