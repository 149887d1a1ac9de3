#include "shopping/shoppingrecipesmodel.h"

#include "collection/scanner.h"
#include "quantity/fraction.h"
#include "shopping/shoppinglist.h"
#include "shopping/shoppingliststore.h"

ShoppingRecipesModel::ShoppingRecipesModel(ShoppingListStore* store, QObject* parent)
    : QAbstractTableModel(parent)
    , store(store)
{
    connect(store, &ShoppingListStore::replaced, this, [this] {
        if (changing)
            replacedMeanwhile = true;
        else
            reload();
    });
}

int ShoppingRecipesModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : store->list().size();
}

int ShoppingRecipesModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ShoppingRecipesModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const ShoppingEntry& entry = store->list().entry(index.row());
    if (index.column() == TitleColumn) {
        switch (role) {
        case Qt::DisplayRole:
            return entry.recipe.readable ? entry.recipe.title
                                         : entry.recipe.title + QStringLiteral(" (missing)");
        case Qt::ToolTipRole:
        case PathRole:
            return entry.recipe.path;
        default:
            return {};
        }
    }
    const int value = entry.hasServings() ? (entry.wantedServings > 0 ? entry.wantedServings
                                                                      : entry.recipe.servings)
                                          : entry.factorHalves;
    switch (role) {
    case Qt::DisplayRole:
        return amountText(value, entry.hasServings());
    case Qt::EditRole:
        return value;
    case HasServingsRole:
        return entry.hasServings();
    default:
        return {};
    }
}

bool ShoppingRecipesModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || index.column() != AmountColumn ||
        !checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return false;
    bool ok = false;
    const int number = value.toInt(&ok);
    if (!ok)
        return false;
    const QString path = store->list().entry(index.row()).recipe.path;
    readBeforeChange();
    const int row = rowOf(path);
    if (row >= 0) {
        if (store->list().entry(row).hasServings())
            store->setWantedServings(path, number);
        else
            store->setFactorHalves(path, number);
        emit dataChanged(this->index(row, AmountColumn), this->index(row, AmountColumn),
                         {Qt::DisplayRole, Qt::EditRole});
    }
    afterChange();
    emit listChanged();
    return row >= 0;
}

Qt::ItemFlags ShoppingRecipesModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.isValid() && index.column() == AmountColumn)
        flags |= Qt::ItemIsEditable;
    return flags;
}

QVariant ShoppingRecipesModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case TitleColumn:
        return QStringLiteral("Recipe");
    case AmountColumn:
        return QStringLiteral("Amount");
    default:
        return {};
    }
}

void ShoppingRecipesModel::addRecipe(const ShoppingRecipe& recipe)
{
    readBeforeChange();
    if (rowOf(recipe.path) < 0) {
        const int row = store->list().size();
        beginInsertRows(QModelIndex(), row, row);
        store->addRecipe(recipe);
        endInsertRows();
    }
    afterChange();
    emit listChanged();
}

void ShoppingRecipesModel::removeRecipe(int row)
{
    if (row < 0 || row >= store->list().size())
        return;
    const QString path = store->list().entry(row).recipe.path;
    readBeforeChange();
    row = rowOf(path);
    if (row >= 0) {
        beginRemoveRows(QModelIndex(), row, row);
        store->removeRecipe(path);
        endRemoveRows();
    }
    afterChange();
    emit listChanged();
}

void ShoppingRecipesModel::clearRecipes()
{
    readBeforeChange();
    beginResetModel();
    store->clear();
    endResetModel();
    afterChange();
    emit listChanged();
}

void ShoppingRecipesModel::reload()
{
    beginResetModel();
    endResetModel();
    emit listChanged();
}

void ShoppingRecipesModel::readBeforeChange()
{
    store->readFileIfChanged();
    changing = true;
    replacedMeanwhile = false;
}

void ShoppingRecipesModel::afterChange()
{
    changing = false;
    if (replacedMeanwhile) {
        replacedMeanwhile = false;
        reload();
    }
}

int ShoppingRecipesModel::rowOf(const QString& path) const
{
    for (int row = 0; row < store->list().size(); ++row) {
        if (store->list().entry(row).recipe.path == path)
            return row;
    }
    return -1;
}

QString ShoppingRecipesModel::amountText(int value, bool servings)
{
    if (servings)
        return value == 1 ? QStringLiteral("1 serving") : QStringLiteral("%1 servings").arg(value);
    return QStringLiteral("×") + Fraction(value, 2).toDisplayString();
}
