#pragma once

#include <QObject>
#include <QString>

#include <memory>

class PantryStore;
class QAbstractItemModel;
class ShoppingListStore;
class ShoppingRecipesModel;
class ShoppingRowsModel;

// The shared shopping list as both programs show it: the recipes with the
// amount wanted of each, and the rows to tick. The list lives in the
// collection's "shopping-list.md" (or the settings, see ShoppingListStore), so
// a tick on one device reaches every other.
class ShoppingListSession : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString collectionPath READ collectionPath WRITE setCollectionPath NOTIFY
                   collectionPathChanged)
    Q_PROPERTY(QAbstractItemModel* recipes READ recipesModel CONSTANT)
    Q_PROPERTY(QAbstractItemModel* rows READ rowsModel CONSTANT)
    Q_PROPERTY(bool keptInFile READ keptInFile NOTIFY listChanged)
public:
    explicit ShoppingListSession(QObject* parent = nullptr);
    ~ShoppingListSession() override;

    QString collectionPath() const;
    // The list of that collection from now on; the same path reads its file
    // again when it changed.
    void setCollectionPath(const QString& path);
    ShoppingRecipesModel* recipes() const { return m_recipes.get(); }
    ShoppingRowsModel* rows() const { return m_rows.get(); }
    QAbstractItemModel* recipesModel() const;
    QAbstractItemModel* rowsModel() const;
    bool keptInFile() const;

    // Adds the recipe at `path`; returns what to tell the user.
    Q_INVOKABLE QString addRecipe(const QString& path);
    // Adds the recipe at `path` for `servings` where it names its own, else
    // for `factorHalves` halves of it (0: as written); false when it cannot
    // be read or is on the list already.
    bool addRecipeFor(const QString& path, int servings, int factorHalves);
    Q_INVOKABLE void removeRecipe(const QString& path);
    // One serving, or half a time, more (step 1) or fewer (step -1).
    Q_INVOKABLE void changeAmount(const QString& path, int step);
    // Recipes, ticks and rows written by hand.
    Q_INVOKABLE void clear();
    Q_INVOKABLE void setTicked(int row, bool ticked);
    // False for a blank text or a row already there.
    Q_INVOKABLE bool addRow(const QString& text);
    // Rows written by hand only.
    Q_INVOKABLE void removeRow(int row);
    // The ticked rows' amounts go into the pantry, merged with what it
    // holds; ticked rows written by hand go from the list, the others are
    // unticked (the pantry now covers them). Returns what to tell the user.
    Q_INVOKABLE QString putTickedInPantry();
    Q_INVOKABLE QString markdown() const;
    Q_INVOKABLE void copyToClipboard() const;

    // A file changed on disk: read again if it is a recipe on the list.
    void reread(const QString& path);
    // Reads every listed recipe again, as after a scan.
    void rereadAll();

signals:
    void collectionPathChanged();
    void listChanged();
    // Said once, when the list cannot be kept in the cookbook.
    void message(const QString& text);

private:
    std::unique_ptr<ShoppingListStore> m_store;
    // The cookbook's pantry, whose amounts the rows take off.
    std::unique_ptr<PantryStore> m_pantry;
    std::unique_ptr<ShoppingRecipesModel> m_recipes;
    std::unique_ptr<ShoppingRowsModel> m_rows;
};
