#pragma once

#include "export/exportflow.h"
#include "import/importflow.h"

#include <QMainWindow>
#include <QString>

#include <functional>
#include <memory>

class ActiveDocument;
class CookingJournal;
class FsPane;
class QAction;
class QDragEnterEvent;
class QDropEvent;
class ListPane;
class MainPane;
class MealPlanPane;
class QDockWidget;
class QToolBar;
class ShoppingListPane;
class Scanner;
class TreePane;

// The desktop program's only window: the rendered recipe in the middle, the
// finding and writing panes in docks around it, one toolbar of commands. Owns
// the Scanner and the active document and wires the panes to them.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    // Asks the user for a path; an empty answer means the dialog was cancelled.
    using PathQuestion = std::function<QString()>;

    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // Replace the dialogs that ask for a collection folder and for the name of
    // a new recipe, so that the commands can run without a modal dialog.
    void setFolderQuestion(PathQuestion question);
    void setNewRecipeQuestion(PathQuestion question);

    // Replace the import's dialogs (see ImportFlow).
    void setImportSourcesQuestion(ImportFlow::PathsQuestion question);
    void setImportFolderQuestion(ImportFlow::FolderQuestion question);
    void setImportReport(ImportFlow::ImportReport report);
    // Replace the export's file dialog (see ExportFlow).
    void setExportDestinationQuestion(ExportFlow::DestinationQuestion question);
    // The meal plan's pane, whose day chooser tests replace.
    MealPlanPane* mealPlan() const { return mealPlanPane; }

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

signals:
    void clear();

private slots:
    void openFolder();
    void editActiveRecipe();
    void newRecipe();
    void notifyStatusBar(const QString& message);
    void showRandomRecipe();
    void cookActiveRecipe();
    void markActiveRecipeCooked();

private:
    void loadCollection(const QString& path);

    // The steps of construction, in their order.
    void setUpDialogs();
    void addRecipeView();
    QDockWidget* addRawViewDock();
    QDockWidget* addRecipesDock();
    QDockWidget* addMetadataDock();
    QDockWidget* addIngredientLineDock();
    void addIndexDocks(QDockWidget* recipesDock);
    void showScansIn(TreePane* ingredients, TreePane* tags, ListPane* titles);
    QToolBar* addMainToolBar();
    void addQuitAction();
    void addFindDock();
    void addShoppingListDock();
    void addMealPlanDock();
    void planActiveRecipe();
    void addPantryDock();
    void addCookAction();
    void addMarkCookedAction();
    void addImportActions();
    void addExportAction();
    void exportChosenRecipes();
    void showImportedRecipes(const QStringList& paths, const QString& message);
    void addKitchenToolBar();
    void restoreCollectionAndState();
    void resizeToScreen();

    // Sends the recipes a pane's fileSelected names to the active document.
    template<typename Pane>
    void openChosenRecipes(Pane* pane);

    std::unique_ptr<ActiveDocument> activeDocument;
    FsPane* fsPane = nullptr;     // owned by its dock
    MainPane* mainPane = nullptr; // the central widget
    std::unique_ptr<Scanner> scanner;
    // The collection's cooking journal, which Find and cooking show and add to.
    std::unique_ptr<CookingJournal> journal;
    QString rootPath;
    PathQuestion askForFolder;
    PathQuestion askForNewRecipe;
    std::unique_ptr<ImportFlow> importFlow;
    std::unique_ptr<ExportFlow> exportFlow;
    ListPane* titlesPane = nullptr;               // owned by its dock
    ShoppingListPane* shoppingListPane = nullptr; // owned by its dock
    MealPlanPane* mealPlanPane = nullptr;         // owned by its dock

    // The window's kitchen commands, owned by the window.
    QAction* findAction = nullptr;
    QAction* shoppingListAction = nullptr;
    QAction* cookAction = nullptr;
    QAction* importAction = nullptr;
    QAction* pasteRecipeAction = nullptr;
    QAction* exportAction = nullptr;
    QAction* mealPlanAction = nullptr;
    QAction* planRecipeAction = nullptr;
    QAction* markCookedAction = nullptr;
    QAction* pantryAction = nullptr;
};
