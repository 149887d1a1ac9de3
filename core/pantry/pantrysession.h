#pragma once

#include "search/recipesearch.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <memory>

class PantryItemsModel;
class PantryStock;
class PantryStore;
class QAbstractItemModel;

// The pantry as both programs edit it: the items with their amounts, added
// with the suggestions the Find pane offers, removed, given new amounts, and
// a cooked recipe's amounts taken out. The pantry lives in the cookbook's
// "pantry.md" (or the settings, see PantryStore).
class PantrySession : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString collectionPath READ collectionPath WRITE setCollectionPath NOTIFY
                   collectionPathChanged)
    Q_PROPERTY(QAbstractItemModel* items READ itemsModel CONSTANT)
    Q_PROPERTY(bool keptInFile READ keptInFile NOTIFY pantryChanged)
    Q_PROPERTY(int count READ count NOTIFY pantryChanged)
    // Where the names offered come from; none offered without it.
    Q_PROPERTY(RecipeSearch* search READ search WRITE setSearch NOTIFY searchChanged)
public:
    explicit PantrySession(QObject* parent = nullptr);
    ~PantrySession() override;

    QString collectionPath() const;
    void setCollectionPath(const QString& path);
    QAbstractItemModel* itemsModel() const;
    PantryItemsModel* items() const { return m_items.get(); }
    PantryStore* store() const { return m_store.get(); }
    bool keptInFile() const;
    int count() const;
    RecipeSearch* search() const { return m_search; }
    void setSearch(RecipeSearch* search);
    // The items looked up by name, as Find and the shopping list count them.
    PantryStock stock() const;

    // "500 g red lentils", merged with the item of that name where the
    // amounts add up. False for a line that names nothing.
    Q_INVOKABLE bool add(const QString& line);
    Q_INVOKABLE void remove(int row);
    // The item at `row` at a new amount ("750 g"); blank for "enough".
    Q_INVOKABLE void changeAmount(int row, const QString& amount);
    // Ingredient names the cookbook lists that a word of begins with `typed`.
    Q_INVOKABLE QStringList suggestions(const QString& typed, int limit = 8) const;

    // The question to ask before takeOutRecipe; empty when the recipe cannot
    // be read or names no amount the pantry holds.
    Q_INVOKABLE QString takeOutQuestion(const QString& recipePath) const;
    // Takes a cooked recipe's amounts at `servings` (its own where 0 or where
    // it names none) out of the pantry, never below zero.
    Q_INVOKABLE void takeOutRecipe(const QString& recipePath, int servings = 0);

signals:
    void collectionPathChanged();
    void pantryChanged();
    void searchChanged();
    // Said once, when the pantry cannot be kept in the cookbook.
    void message(const QString& text);

private:
    std::unique_ptr<PantryStore> m_store;
    std::unique_ptr<PantryItemsModel> m_items;
    QPointer<RecipeSearch> m_search;
};
