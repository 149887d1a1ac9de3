#pragma once

#include "document/panebase.h"

#include <QString>

#include <memory>

class QListView;
class QTableView;
class QTextDocument;
class ServingsDelegate;
class ShoppingItemsModel;
class ShoppingList;
class ShoppingRecipesModel;

// The shopping list: recipes chosen from the active document, each scaled to
// the servings wanted, and their ingredients merged by name with the amounts
// added up. It is kept between runs and leaves the program by clipboard and
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
    void listChanged();
    void openAmountEditors();

    std::unique_ptr<ShoppingList> list;
    std::unique_ptr<ShoppingRecipesModel> recipesModel;
    std::unique_ptr<ShoppingItemsModel> itemsModel;
    std::unique_ptr<ServingsDelegate> amountDelegate;
    QString activePath;
    QTableView* recipesView = nullptr; // children through the layout
    QListView* itemsView = nullptr;
};
