#include "shopping/shoppingrecipesmodel.h"

#include "collection/scanner.h"
#include "quantity/fraction.h"
#include "shopping/shoppinglist.h"

ShoppingRecipesModel::ShoppingRecipesModel(ShoppingList* list, QObject* parent)
    : QAbstractTableModel(parent)
    , list(list)
{}

int ShoppingRecipesModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : list->size();
}

int ShoppingRecipesModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ShoppingRecipesModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const ShoppingEntry& entry = list->entry(index.row());
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
    if (list->entry(index.row()).hasServings())
        list->setWantedServings(index.row(), number);
    else
        list->setFactorHalves(index.row(), number);
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    emit listChanged();
    return true;
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
    if (list->contains(recipe.path))
        return;
    beginInsertRows(QModelIndex(), list->size(), list->size());
    list->add(recipe);
    endInsertRows();
    emit listChanged();
}

void ShoppingRecipesModel::removeRecipe(int row)
{
    if (row < 0 || row >= list->size())
        return;
    beginRemoveRows(QModelIndex(), row, row);
    list->removeAt(row);
    endRemoveRows();
    emit listChanged();
}

void ShoppingRecipesModel::clearRecipes()
{
    beginResetModel();
    list->clear();
    endResetModel();
    emit listChanged();
}

void ShoppingRecipesModel::reload()
{
    beginResetModel();
    endResetModel();
    emit listChanged();
}

QString ShoppingRecipesModel::amountText(int value, bool servings)
{
    if (servings)
        return value == 1 ? QStringLiteral("1 serving") : QStringLiteral("%1 servings").arg(value);
    return QStringLiteral("×") + Fraction(value, 2).toDisplayString();
}
