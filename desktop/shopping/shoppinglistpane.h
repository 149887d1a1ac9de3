#pragma once

#include "document/panebase.h"

#include <QString>

#include <memory>

class QLineEdit;
class QListView;
class QTableView;
class QTextDocument;
class ServingsDelegate;
class ShoppingListSession;

// The shopping list (ShoppingListSession) laid out: the recipes chosen from
// the active document with an editor of the amount wanted of each, the rows
// to tick, a field for rows of one's own, and the buttons that copy and print
// it. As a listener of the active document it knows which recipe to add and
// has a listed recipe read again when it changes on disk.
class ShoppingListPane : public PaneBase
{
    Q_OBJECT
public:
    explicit ShoppingListPane(QWidget* parent = nullptr);
    ~ShoppingListPane() override;

    // The list the pane shows, for others that add to it.
    ShoppingListSession* shoppingList() const { return session.get(); }

    // What "Print" prints: a title, the recipes and the checklist.
    std::unique_ptr<QTextDocument> printableDocument() const;

signals:
    void notifySimple(const QString& msg);

public slots:
    void openPath(const QString& path) override;
    // The collection whose list file is shown from now on.
    void setCollectionPath(const QString& path);
    // Adds the text of the field as a row of its own.
    void addHandRow();
    void removeCurrentRow();
    void addCurrentRecipe();
    void removeCurrentRecipe();
    void clearList();
    // Reads every listed recipe again, as after a scan.
    void refresh();
    void copyToClipboard();
    // What was bought goes into the pantry, and its rows off the list.
    void putTickedInPantry();
    void print();
    void printPreview();

private:
    void buildViews();
    void connectModels();
    void openAmountEditors();

    std::unique_ptr<ShoppingListSession> session;
    std::unique_ptr<ServingsDelegate> amountDelegate;
    QString activePath;
    QTableView* recipesView = nullptr; // children through the layout
    QListView* itemsView = nullptr;
    QLineEdit* rowField = nullptr;
};
