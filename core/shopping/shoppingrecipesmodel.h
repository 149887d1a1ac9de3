#pragma once

#include "shopping/shoppingentry.h"

#include <QAbstractTableModel>
#include <QList>

class ShoppingListStore;

// The recipes on the shopping list, one row each: the title (marked when the
// file is missing) and the amount wanted, as servings when the recipe names
// its own, otherwise as a factor. The amount column is editable; every role
// answers on every column, so that a list view sees them all on the first.
// The rows follow the store: a recipe added or removed is one row inserted
// or removed, a list read anew resets the model.
class ShoppingRecipesModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { TitleColumn, AmountColumn, ColumnCount };
    enum Role {
        TitleRole = Qt::UserRole + 1, // the title as the recipe has it
        PathRole,
        AmountRole,     // servings, or the factor in halves
        AmountTextRole, // "4 servings", "×1½"
        HasServingsRole,
        MissingRole,
        MinimumRole, // the limits of the amount
        MaximumRole,
    };

    // The store must outlive the model.
    explicit ShoppingRecipesModel(ShoppingListStore* store, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    QHash<int, QByteArray> roleNames() const override;

    int rowOf(const QString& path) const;
    // Sets the servings or the factor of that row, within its limits.
    void setAmount(int row, int value);
    // One serving, or half a time, more (step 1) or fewer (step -1).
    void changeAmount(int row, int step);

    // "4 servings", "×1½".
    static QString amountText(int value, bool servings);

private:
    static QString shownTitle(const ShoppingEntry& entry);
    void follow();
    bool followByRow(const QList<ShoppingEntry>& fresh);

    ShoppingListStore* m_store;     // not owned
    QList<ShoppingEntry> m_entries; // as shown
};
