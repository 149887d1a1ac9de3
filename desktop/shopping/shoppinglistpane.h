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

// The shopping list: recipes chosen from the active document, each scaled to
// the servings wanted, and their ingredients merged by name with the amounts
// added up, then rows written by hand. It is kept in the cookbook's
// "shopping-list.md" (or the settings) and leaves the program by clipboard and
// printer. As a listener of the active document it knows which recipe to add
// and reads a listed recipe again when it changes on disk.
class ShoppingListPane : public PaneBase
{
    Q_OBJECT
public:
    explicit ShoppingListPane(QWidget* parent = nullptr);
    ~ShoppingListPane() override;

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
