#pragma once

#include <QMainWindow>
#include <QString>

#include <functional>
#include <memory>

class ActiveDocument;
class FsPane;
struct ImportSummary;
class QDragEnterEvent;
class QDropEvent;
class QProgressDialog;
class RecipeImportJob;
class ListPane;
class MainPane;
class QDockWidget;
class QToolBar;
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

    // Asks for the files and folders to import; empty when cancelled.
    using PathsQuestion = std::function<QStringList()>;
    // Asks for the folder inside the collection that imported recipes go to,
    // starting at the given one; empty when cancelled.
    using FolderQuestion = std::function<QString(const QString& startFolder)>;
    // Shows which files of an import gave no recipe, and why.
    using ImportReport = std::function<void(const ImportSummary& summary)>;
    void setImportSourcesQuestion(PathsQuestion question);
    void setImportFolderQuestion(FolderQuestion question);
    void setImportReport(ImportReport report);

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
    void importFiles();
    void pasteRecipe();
    void cookActiveRecipe();

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
    void addKitchenToolBar();
    void addImportActions(QToolBar* kitchen);
    void restoreCollectionAndState();
    void resizeToScreen();

    // Importing: the folder to write to, the import on its worker, its end.
    QString askImportFolder();
    void importPaths(const QStringList& paths);
    void finishImport(const ImportSummary& summary);

    // Sends the recipes a pane's fileSelected names to the active document.
    template<typename Pane>
    void openChosenRecipes(Pane* pane);

    std::unique_ptr<ActiveDocument> activeDocument;
    FsPane* fsPane = nullptr;     // owned by its dock
    MainPane* mainPane = nullptr; // the central widget
    std::unique_ptr<Scanner> scanner;
    QString rootPath;
    PathQuestion askForFolder;
    PathQuestion askForNewRecipe;
    PathsQuestion askForImportSources;
    FolderQuestion askForImportFolder;
    ImportReport showImportReport;
    std::unique_ptr<RecipeImportJob> importJob;
    QProgressDialog* importProgress = nullptr; // owned by the window while an import runs
};
