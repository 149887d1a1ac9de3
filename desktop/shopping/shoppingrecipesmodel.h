#pragma once

#include <QAbstractTableModel>

class ShoppingListStore;
struct ShoppingRecipe;

// The recipes on the shopping list, one row each: the title (marked when the
// file is missing) and the amount wanted, as servings when the recipe names
// its own, otherwise as a factor. The amount column is editable.
class ShoppingRecipesModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { TitleColumn, AmountColumn, ColumnCount };
    // True on the amount column when the amount is a number of servings.
    static constexpr int HasServingsRole = Qt::UserRole + 2;

    // The store must outlive the model. A list read anew resets the model.
    explicit ShoppingRecipesModel(ShoppingListStore* store, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    void addRecipe(const ShoppingRecipe& recipe);
    void removeRecipe(int row);
    void clearRecipes();
    // The list was changed behind the model's back (read again or loaded).
    void reload();

    // "4 servings", "×1½".
    static QString amountText(int value, bool servings);

signals:
    // Something that changes the merged ingredients.
    void listChanged();

private:
    // Changes read the file first, so that rows are counted on the list
    // they change; a list read meanwhile resets the model afterwards.
    void readBeforeChange();
    void afterChange();
    int rowOf(const QString& path) const;

    ShoppingListStore* store; // not owned
    bool changing = false;
    bool replacedMeanwhile = false;
};
