#pragma once

#include <QStandardItemModel>
#include <QStringList>

#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

// A two-level index of the collection (tags or ingredients): one top-level row
// per key and, under it, one row per recipe filed there (title, PathRole).
// A cookbook of 100,000 recipes files about a million recipe rows under its
// keys, and making them all took most of a start; the rows under a key are
// made the first time anyone asks for them through the model's interface
// (rowCount, columnCount, index), so that a view sees them as there from the
// start. hasChildren() answers without making them. Code that reads the items
// directly (QStandardItem::rowCount(), child()) makes sure of them first with
// makeChildren(). Read-only once published.
class RecipeIndexModel : public QStandardItemModel
{
    Q_OBJECT
public:
    using RecipeNumbers = std::vector<int>;
    // The recipes the keys list, by number: titles[i] and paths[i] are recipe
    // i's, placeOf[i] its place in ascending order of title.
    struct Recipes
    {
        QStringList titles;
        QStringList paths;
        std::vector<int> placeOf;
    };

    explicit RecipeIndexModel(std::shared_ptr<const Recipes> recipes, QObject* parent = nullptr);
    ~RecipeIndexModel() override;

    // Appends one row per key, listing under keys[i] the recipes numbered
    // recipesOf[i] (in any order: they are listed in title order).
    void appendKeys(const QStringList& keys, std::vector<RecipeNumbers> recipesOf);

    // Makes the recipe rows under `key` if they are not made yet.
    void makeChildren(const QStandardItem* key) const;
    // The paths of the recipes under `key`, in title order, while its rows
    // are not made yet; nothing once they are (read them from the rows).
    std::optional<QStringList> pendingChildPaths(const QStandardItem* key) const;

    // An item of one kind, ready to be cloned: its roles are set in the order
    // setText(), setData() and setFlags() would add them, so that a clone
    // filled in copies the role list once at its exact size. Placeholders are
    // numbers, so that no text or path, not even an empty one, compares equal
    // to them and is skipped by setData().
    static std::unique_ptr<QStandardItem> rowPrototype(bool withPath);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex index(int row, int column,
                      const QModelIndex& parent = QModelIndex()) const override;
    bool hasChildren(const QModelIndex& parent = QModelIndex()) const override;

private:
    struct Pending
    {
        RecipeNumbers numbers;
        bool sorted = false;
    };

    void forgetRemovedKeys();
    void makeChildrenAt(const QModelIndex& parent) const;
    const Pending* pendingOf(const QStandardItem* key) const;
    void sortByTitle(Pending& pending) const;

    std::shared_ptr<const Recipes> m_recipes;
    // Keys whose recipe rows are not made yet. Mutable: they are made by the
    // const accessors, as if they had always been there.
    mutable std::unordered_map<const QStandardItem*, Pending> m_pending;
};
