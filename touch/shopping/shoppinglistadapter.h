#pragma once

#include <QObject>
#include <QString>

#include <memory>

class QStandardItemModel;
class ShoppingListStore;

// The shared shopping list as the touch pages see it: the recipes with the
// amount wanted of each, and one list of rows to tick, the merged
// ingredients and the rows written by hand, ticked rows last. The list lives
// in the collection's "shopping-list.md" (or the settings, see
// ShoppingListStore), so a tick on the phone reaches every device.
class ShoppingListAdapter : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString collectionPath READ collectionPath WRITE setCollectionPath NOTIFY
                   collectionPathChanged)
    Q_PROPERTY(QObject* recipes READ recipes CONSTANT)
    Q_PROPERTY(QObject* rows READ rows CONSTANT)
    Q_PROPERTY(bool keptInFile READ keptInFile NOTIFY listChanged)
public:
    // Roles of `recipes`: display (the title), path, amount ("4 servings",
    // "×1½"), missing. Roles of `rows`: display, ticked, handWritten, detail
    // (each recipe's part).
    enum Role {
        PathRole = Qt::UserRole + 1,
        AmountRole,
        MissingRole,
        TickedRole,
        HandWrittenRole,
        DetailRole,
        KeyRole,
    };

    explicit ShoppingListAdapter(QObject* parent = nullptr);
    ~ShoppingListAdapter() override;

    QString collectionPath() const;
    void setCollectionPath(const QString& path);
    QObject* recipes() const;
    QObject* rows() const;
    bool keptInFile() const;

    // Adds the recipe at `path`; returns what to tell the user.
    Q_INVOKABLE QString addRecipe(const QString& path);
    Q_INVOKABLE void removeRecipe(const QString& path);
    // One serving, or half a time, more (step 1) or fewer (step -1).
    Q_INVOKABLE void changeAmount(const QString& path, int step);
    Q_INVOKABLE void clear();
    Q_INVOKABLE void setTicked(int row, bool ticked);
    // False for a blank text or a row already there.
    Q_INVOKABLE bool addRow(const QString& text);
    // Rows written by hand only.
    Q_INVOKABLE void removeRow(int row);
    Q_INVOKABLE QString markdown() const;
    Q_INVOKABLE void copyToClipboard() const;

signals:
    void collectionPathChanged();
    void listChanged();
    // Said once, when the list cannot be kept in the cookbook.
    void message(const QString& text);

private:
    void showRecipes();
    void showRows();

    std::unique_ptr<ShoppingListStore> m_store;
    std::unique_ptr<QStandardItemModel> m_recipes;
    std::unique_ptr<QStandardItemModel> m_rows;
};
