#include "mainwindow.h"

#include "cooking/cookingview.h"

#include "browse/fspane.h"
#include "browse/listpane.h"
#include "browse/treepane.h"
#include "collection/collectionsettings.h"
#include "collection/scanner.h"
#include "document/activedocument.h"
#include "document/mainpane.h"
#include "find/findpane.h"
#include "import/importedrecipewriter.h"
#include "import/importreportdialog.h"
#include "import/importsettings.h"
#include "import/importsummary.h"
#include "import/recipeimporter.h"
#include "import/recipeimportjob.h"
#include "recipe/recipefile.h"
#include "shopping/shoppinglistpane.h"
#include "writing/ingredientsparserpane.h"
#include "writing/metadatapane.h"
#include "writing/rawviewpane.h"

#include <QAction>
#include <QClipboard>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDockWidget>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QKeySequence>
#include <QMimeData>
#include <QProcess>
#include <QProgressDialog>
#include <QRandomGenerator64>
#include <QScreen>
#include <QSettings>
#include <QStandardItemModel>
#include <QStandardPaths>
#include <QStatusBar>
#include <QToolBar>
#include <QUrl>

#include <iterator>
#include <utility>

namespace {

constexpr int statusTimeout = 5000;

const QString windowStateKey = QStringLiteral("windowState");

// Puts a pane in a new dock. The dock's object name is its title, because the
// saved window state finds docks by object name.
QDockWidget* addDock(QMainWindow* window, const QString& title, std::unique_ptr<QWidget> pane,
                     Qt::DockWidgetArea area)
{
    auto dock = std::make_unique<QDockWidget>(title);
    dock->setObjectName(title);
    dock->setWidget(pane.release());
    QDockWidget* added = dock.get();
    window->addDockWidget(area, dock.release());
    return added;
}

// Adds a toolbar action with a theme icon, a text, an object name by which
// tests and saved layouts find it, and a shortcut where it has one.
QAction* addNamedAction(QToolBar* toolbar, const char* icon, const char* text,
                        const char* objectName, const QKeySequence& shortcut = QKeySequence())
{
    QAction* action =
        toolbar->addAction(QIcon::fromTheme(QLatin1String(icon)), QString::fromUtf8(text));
    action->setObjectName(QLatin1String(objectName));
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    return action;
}

// Hands a recipe to the first external editor found on the search path, or to
// the desktop's default handler when there is none. The editor runs on its
// own; nothing waits for it.
void launchEditor(const QString& path)
{
    const QStringList editors = {
        QStringLiteral("scribepad"), QStringLiteral("quillwrite"), QStringLiteral("gedit"),
        QStringLiteral("notepad++"), QStringLiteral("atom"),       QStringLiteral("gvim"),
    };
    for (const QString& editor : editors) {
        const QString executable = QStandardPaths::findExecutable(editor, {});
        if (!executable.isEmpty()) {
            QProcess::startDetached(executable, {path}, QString());
            return;
        }
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

} // namespace

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent, Qt::WindowFlags())
    , activeDocument(std::make_unique<ActiveDocument>())
    , scanner(std::make_unique<Scanner>())
{
    setUpDialogs();
    addRecipeView();
    QDockWidget* rawViewDock = addRawViewDock();
    QDockWidget* recipesDock = addRecipesDock();
    QDockWidget* metadataDock = addMetadataDock();
    QDockWidget* ingredientLineDock = addIngredientLineDock();
    addIndexDocks(recipesDock);
    for (QDockWidget* writersDock : {rawViewDock, metadataDock, ingredientLineDock})
        writersDock->hide();
    QToolBar* toolbar = addMainToolBar();
    addFindDock();
    addShoppingListDock();
    addKitchenToolBar();
    restoreCollectionAndState();
    statusBar()->show();
    toolbar->show();
    resizeToScreen();
}

MainWindow::~MainWindow()
{
    QSettings settings;
    settings.beginGroup(CollectionSettings::group());
    // A collection folder that has gone away is not stored over the last good
    // one; it stays stored only if it was stored already.
    if (QFile::exists(rootPath))
        settings.setValue(CollectionSettings::locationKey(), rootPath);
    settings.setValue(windowStateKey, saveState(0));
    settings.sync();
    // The Scanner goes next and waits for a running scan to publish, which at
    // 100,000 recipes takes seconds: the window leaves the screen first.
    hide();
}

void MainWindow::setUpDialogs()
{
    askForFolder = [this] {
        return QFileDialog::getExistingDirectory(
            this, QStringLiteral("Open Folder"),
            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation),
            QFileDialog::ShowDirsOnly);
    };
    askForNewRecipe = [this] {
        const QString filter = QStringLiteral("Recipes (%1)").arg(RecipeFile::nameFilter());
        return QFileDialog::getSaveFileName(this, QStringLiteral("Create Recipe"), rootPath,
                                            filter);
    };
    askForImportSources = [this] {
        return QFileDialog::getOpenFileNames(
            this, QStringLiteral("Import Recipes"),
            QStandardPaths::writableLocation(QStandardPaths::DownloadLocation),
            QStringLiteral("Recipes (*.html *.htm *.xhtml *.json *.paprikarecipes *.paprikarecipe "
                           "*.cook);;All files (*)"));
    };
    askForImportFolder = [this](const QString& startFolder) {
        return QFileDialog::getExistingDirectory(this, QStringLiteral("Import Into Folder"),
                                                 startFolder, QFileDialog::ShowDirsOnly);
    };
    showImportReport = [this](const ImportSummary& summary) {
        auto* dialog = new ImportReportDialog(summary, this);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->open();
    };
}

template<typename Pane>
void MainWindow::openChosenRecipes(Pane* pane)
{
    connect(pane, &Pane::fileSelected, activeDocument.get(),
            [document = activeDocument.get()](const QString& path) { document->openPath(path); });
}

void MainWindow::addRecipeView()
{
    auto pane = std::make_unique<MainPane>();
    activeDocument->registerListener(pane.get());
    mainPane = pane.get();
    setCentralWidget(pane.release());
    connect(mainPane, &MainPane::notifySimple, this, &MainWindow::notifyStatusBar);
}

QDockWidget* MainWindow::addRawViewDock()
{
    auto pane = std::make_unique<RawViewPane>();
    activeDocument->registerListener(pane.get());
    return addDock(this, QStringLiteral("Raw view"), std::move(pane), Qt::RightDockWidgetArea);
}

QDockWidget* MainWindow::addRecipesDock()
{
    auto pane = std::make_unique<FsPane>();
    openChosenRecipes(pane.get());
    fsPane = pane.get();
    return addDock(this, QStringLiteral("Recipes"), std::move(pane), Qt::LeftDockWidgetArea);
}

QDockWidget* MainWindow::addMetadataDock()
{
    auto pane = std::make_unique<MetaDataPane>();
    activeDocument->registerListener(pane.get());
    return addDock(this, QStringLiteral("Metadata"), std::move(pane), Qt::LeftDockWidgetArea);
}

QDockWidget* MainWindow::addIngredientLineDock()
{
    return addDock(this, QStringLiteral("Ingredients line"),
                   std::make_unique<IngredientsParserPane>(), Qt::RightDockWidgetArea);
}

// The title list and the two index trees: created and wired first, then put in
// docks 5 to 7 and tabbed with the folder tree and with each other.
void MainWindow::addIndexDocks(QDockWidget* recipesDock)
{
    auto ingredientPane = std::make_unique<TreePane>();
    openChosenRecipes(ingredientPane.get());
    auto tagPane = std::make_unique<TreePane>();
    openChosenRecipes(tagPane.get());
    auto listPane = std::make_unique<ListPane>();
    openChosenRecipes(listPane.get());
    showScansIn(ingredientPane.get(), tagPane.get(), listPane.get());

    QDockWidget* titleDock =
        addDock(this, QStringLiteral("Title"), std::move(listPane), Qt::LeftDockWidgetArea);
    tabifyDockWidget(titleDock, recipesDock);
    QDockWidget* tagsDock =
        addDock(this, QStringLiteral("Tags"), std::move(tagPane), Qt::LeftDockWidgetArea);
    QDockWidget* ingredientsDock = addDock(this, QStringLiteral("Ingredients"),
                                           std::move(ingredientPane), Qt::LeftDockWidgetArea);
    tabifyDockWidget(ingredientsDock, tagsDock);
}

// Hands every scan's models to the listing panes and announces the count; a
// collection about to be replaced empties them.
void MainWindow::showScansIn(TreePane* ingredients, TreePane* tags, ListPane* titles)
{
    connect(scanner.get(), &Scanner::dataUpdated, this, [this, ingredients, tags, titles] {
        ingredients->setModel(scanner->ingredientModel());
        tags->setModel(scanner->tagModel());
        const std::shared_ptr<QStandardItemModel> titleModel = scanner->titleModel();
        titles->setModel(titleModel);
        const int count = titleModel ? titleModel->rowCount(QModelIndex()) : 0;
        notifyStatusBar(QStringLiteral("Found %1 recipes").arg(count));
        fsPane->setTitlesByPath(scanner->titlesByPath());
    });
    connect(this, &MainWindow::clear, this, [this, ingredients, tags, titles] {
        ingredients->setModel({});
        tags->setModel({});
        titles->setModel({});
        fsPane->setTitlesByPath({});
    });
}

// The main toolbar of the collection and recipe commands. "Quit" is made
// between printing and the random recipe, as a shortcut of the window's.
QToolBar* MainWindow::addMainToolBar()
{
    QToolBar* toolbar = addToolBar(QStringLiteral("Main Toolbar"));
    toolbar->setObjectName(QStringLiteral("Main Toolbar"));
    QAction* action = addNamedAction(toolbar, "document-open-folder", "Open collection",
                                     "openCollectionAction", QKeySequence::Open);
    connect(action, &QAction::triggered, this, &MainWindow::openFolder);
    action = addNamedAction(toolbar, "view-refresh", "Reload collection", "reloadCollectionAction",
                            QKeySequence::Refresh);
    connect(action, &QAction::triggered, scanner.get(), &Scanner::doUpdate);
    toolbar->addSeparator();
    action =
        addNamedAction(toolbar, "document-new", "New recipe", "newRecipeAction", QKeySequence::New);
    connect(action, &QAction::triggered, this, &MainWindow::newRecipe);
    action = addNamedAction(toolbar, "edit-entry", "Edit current recipe", "editRecipeAction",
                            QKeySequence(Qt::CTRL | Qt::Key_E));
    connect(action, &QAction::triggered, this, &MainWindow::editActiveRecipe);
    action = addNamedAction(toolbar, "document-print", "Print current recipe", "printAction",
                            QKeySequence::Print);
    connect(action, &QAction::triggered, mainPane, &MainPane::print);
    addQuitAction();
    action = addNamedAction(toolbar, "randomize", "Display random recipe", "randomRecipeAction");
    connect(action, &QAction::triggered, this, &MainWindow::showRandomRecipe);
    action = addNamedAction(toolbar, "document-print-preview", "Print preview current recipe",
                            "printPreviewAction");
    connect(action, &QAction::triggered, mainPane, &MainPane::printPreview);
    toolbar->toggleViewAction()->setEnabled(false);
    return toolbar;
}

// Quit has a shortcut but no button: it belongs to the window, not the bar.
void MainWindow::addQuitAction()
{
    auto* quit = new QAction(QStringLiteral("Quit"), this);
    quit->setObjectName(QStringLiteral("quitAction"));
    quit->setShortcut(QKeySequence::Quit);
    addAction(quit);
    connect(quit, &QAction::triggered, QCoreApplication::instance(), &QCoreApplication::quit);
}

void MainWindow::restoreCollectionAndState()
{
    QSettings settings;
    settings.beginGroup(CollectionSettings::group());
    loadCollection(CollectionSettings::storedLocation());
    restoreState(settings.value(windowStateKey, QByteArray()).toByteArray(), 0);
}

// Neither size nor position is stored; start at a size that leaves the recipe
// room next to the docks, without outgrowing a small screen.
void MainWindow::resizeToScreen()
{
    const QSize preferred(1100, 750);
    resize(screen() ? preferred.boundedTo(screen()->availableSize() * 0.9) : preferred);
}

// The Find pane, in a dock after the others, hidden until a restored state or
// its shortcut shows it.
void MainWindow::addFindDock()
{
    auto findPane = std::make_unique<FindPane>();
    FindPane* pane = findPane.get();
    pane->setScanner(scanner.get());
    connect(this, &MainWindow::clear, pane, [pane] { pane->setModels({}, {}, {}); });
    openChosenRecipes(pane);
    QDockWidget* findDock =
        addDock(this, QStringLiteral("Find"), std::move(findPane), Qt::RightDockWidgetArea);
    findDock->hide();

    auto* find =
        new QAction(QIcon::fromTheme(QStringLiteral("edit-find")), QStringLiteral("Find"), this);
    find->setObjectName(QStringLiteral("findAction"));
    find->setShortcut(QKeySequence::Find);
    addAction(find);
    connect(find, &QAction::triggered, pane, [findDock, pane] {
        findDock->show();
        findDock->raise();
        pane->focusText();
    });
}

void MainWindow::setFolderQuestion(PathQuestion question)
{
    askForFolder = std::move(question);
}

void MainWindow::setNewRecipeQuestion(PathQuestion question)
{
    askForNewRecipe = std::move(question);
}

void MainWindow::loadCollection(const QString& path)
{
    rootPath = path;
    emit clear();
    activeDocument->openPath(QString());
    fsPane->setRootPath(path);
    notifyStatusBar(QStringLiteral("Parsing %1").arg(path));
    scanner->setRootPath(path);
    mainPane->setRootPath(path);
}

// The shopping list comes after the seven docks, hidden until a restored
// state or its shortcut shows it. It adds the active recipe, and reads its
// recipes again after every scan and when the active one changes on disk.
void MainWindow::addShoppingListDock()
{
    auto pane = std::make_unique<ShoppingListPane>();
    ShoppingListPane* shoppingList = pane.get();
    activeDocument->registerListener(shoppingList);
    connect(shoppingList, &ShoppingListPane::notifySimple, this, &MainWindow::notifyStatusBar);
    // The list lives in the collection's "shopping-list.md", once it is scanned.
    connect(scanner.get(), &Scanner::dataUpdated, shoppingList,
            [this, shoppingList] { shoppingList->setCollectionPath(rootPath); });
    connect(scanner.get(), &Scanner::dataUpdated, shoppingList, &ShoppingListPane::refresh);
    QDockWidget* dock =
        addDock(this, QStringLiteral("Shopping list"), std::move(pane), Qt::RightDockWidgetArea);
    dock->hide();

    auto* showList = new QAction(QStringLiteral("Show shopping list"), this);
    showList->setObjectName(QStringLiteral("shoppingListAction"));
    showList->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_L));
    addAction(showList);
    connect(showList, &QAction::triggered, dock, [dock, shoppingList] {
        dock->show();
        dock->raise();
        shoppingList->setFocus(Qt::ShortcutFocusReason);
    });
}

void MainWindow::openFolder()
{
    const QString folder = askForFolder();
    if (folder.isEmpty()) {
        notifyStatusBar(QStringLiteral("Cancelled"));
        return;
    }
    loadCollection(folder);
}

void MainWindow::editActiveRecipe()
{
    const QString path = activeDocument->path();
    if (QFile::exists(path))
        launchEditor(path);
}

void MainWindow::newRecipe()
{
    const QString name = askForNewRecipe();
    if (!name.endsWith(RecipeFile::suffix, Qt::CaseSensitive)) {
        notifyStatusBar(QStringLiteral("Cancelled"));
        return;
    }
    if (!QFile::exists(name)) {
        // The copy of a built-in resource is read-only; the user must be able
        // to edit it.
        if (!QFile::copy(QStringLiteral(":/docs/template.md"), name)) {
            notifyStatusBar(QStringLiteral("Could not create %1").arg(name));
            return;
        }
        QFile::setPermissions(name, QFile::permissions(name) | QFileDevice::WriteOwner);
    }
    activeDocument->openPath(name);
    launchEditor(name);
}

void MainWindow::notifyStatusBar(const QString& message)
{
    statusBar()->showMessage(message, statusTimeout);
}

void MainWindow::showRandomRecipe()
{
    const QHash<QString, QString> table = scanner->titlesByPath();
    if (table.isEmpty()) {
        notifyStatusBar(QStringLiteral("No recipe!"));
        return;
    }
    const auto steps = QRandomGenerator64::global()->bounded(qint64(table.size()));
    activeDocument->openPath(std::next(table.cbegin(), steps).key());
}

// A second toolbar for the kitchen, after the main one: finding, the shopping
// list and cooking. Unlike the main toolbar it may be hidden; the window state
// keeps whether it is.
void MainWindow::addKitchenToolBar()
{
    QToolBar* kitchen = addToolBar(QStringLiteral("Kitchen"));
    kitchen->setObjectName(QStringLiteral("kitchenToolBar"));
    if (QAction* find = findChild<QAction*>(QStringLiteral("findAction"))) {
        find->setIcon(QIcon::fromTheme(QStringLiteral("edit-find")));
        kitchen->addAction(find);
    }
    if (QAction* shopping = findChild<QAction*>(QStringLiteral("shoppingListAction"))) {
        shopping->setIcon(QIcon::fromTheme(QStringLiteral("view-list-details")));
        kitchen->addAction(shopping);
    }
    QAction* cook = addNamedAction(kitchen, "chronometer", "Cook", "cookAction",
                                   QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_K));
    connect(cook, &QAction::triggered, this, &MainWindow::cookActiveRecipe);
    addImportActions(kitchen);
}

// Importing recipes from files and folders, and from the clipboard; files and
// folders dropped on the window are imported too.
void MainWindow::addImportActions(QToolBar* kitchen)
{
    kitchen->addSeparator();
    QAction* action = addNamedAction(kitchen, "document-import", "Import recipes…", "importAction",
                                     QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_I));
    connect(action, &QAction::triggered, this, &MainWindow::importFiles);
    action = addNamedAction(kitchen, "edit-paste", "Paste recipe", "pasteRecipeAction",
                            QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V));
    connect(action, &QAction::triggered, this, &MainWindow::pasteRecipe);
    setAcceptDrops(true);
}

void MainWindow::setImportSourcesQuestion(PathsQuestion question)
{
    askForImportSources = std::move(question);
}

void MainWindow::setImportFolderQuestion(FolderQuestion question)
{
    askForImportFolder = std::move(question);
}

void MainWindow::setImportReport(ImportReport report)
{
    showImportReport = std::move(report);
}

void MainWindow::importFiles()
{
    importPaths(askForImportSources());
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls() && !importJob)
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event)
{
    QStringList paths;
    const QList<QUrl> urls = event->mimeData()->urls();
    for (const QUrl& url : urls) {
        if (url.isLocalFile())
            paths.append(url.toLocalFile());
    }
    if (paths.isEmpty())
        return;
    event->acceptProposedAction();
    // The drop's source waits until this returns: ask for the folder after.
    QMetaObject::invokeMethod(
        this, [this, paths] { importPaths(paths); }, Qt::QueuedConnection);
}

// The folder inside the collection that imported recipes go to, the last
// choice offered first; remembered when chosen.
QString MainWindow::askImportFolder()
{
    const QString folder = askForImportFolder(ImportSettings::folder(rootPath));
    if (folder.isEmpty()) {
        notifyStatusBar(QStringLiteral("Cancelled"));
        return {};
    }
    if (!ImportSettings::isInside(folder, rootPath) || !QFileInfo(folder).isDir()) {
        notifyStatusBar(QStringLiteral("Not a folder of the collection: %1").arg(folder));
        return {};
    }
    ImportSettings::setFolder(folder);
    return folder;
}

void MainWindow::importPaths(const QStringList& paths)
{
    if (importJob)
        return;
    if (paths.isEmpty()) {
        notifyStatusBar(QStringLiteral("Cancelled"));
        return;
    }
    const QString folder = askImportFolder();
    if (folder.isEmpty())
        return;
    importJob = std::make_unique<RecipeImportJob>(paths, folder);
    importProgress = new QProgressDialog(QStringLiteral("Importing recipes…"),
                                         QStringLiteral("Cancel"), 0, 0, this);
    importProgress->setObjectName(QStringLiteral("importProgressDialog"));
    // Not modal: a modal dialog turns the event loop inside every progress
    // step, and the window stays usable (a second import waits its turn).
    importProgress->setMinimumDuration(300);
    importProgress->setAutoClose(false);
    importProgress->setAutoReset(false);
    connect(importProgress, &QProgressDialog::canceled, importJob.get(), &RecipeImportJob::cancel);
    connect(importJob.get(), &RecipeImportJob::progress, importProgress,
            [progress = importProgress](int done, int total) {
                progress->setMaximum(total);
                progress->setValue(done);
            });
    connect(importJob.get(), &RecipeImportJob::finished, this,
            [this](const ImportSummary& summary) {
                // The job's thread has emitted its last signal; the job is destroyed
                // once this handler has returned.
                importJob.release()->deleteLater();
                importProgress->deleteLater();
                importProgress = nullptr;
                finishImport(summary);
            });
    importJob->start();
}

void MainWindow::finishImport(const ImportSummary& summary)
{
    const QString message = summary.statusMessage();
    notifyStatusBar(message);
    if (!summary.written.isEmpty()) {
        // The scan's own count would hide the summary: show it again after.
        connect(
            scanner.get(), &Scanner::dataUpdated, this,
            [this, message] { notifyStatusBar(message); }, Qt::SingleShotConnection);
        scanner->doUpdate();
    }
    if (summary.written.size() == 1)
        activeDocument->openPath(summary.written.first());
    if (!summary.problems.isEmpty())
        showImportReport(summary);
}

// The clipboard's recipe: its HTML read as a page, else its text read as a
// recipe written by a person. One recipe is written at once, on this thread.
void MainWindow::pasteRecipe()
{
    if (importJob)
        return;
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    const QList<ImportedRecipe> recipes =
        data ? RecipeImporter::importClipboard(data->hasHtml() ? data->html() : QString(),
                                               data->text())
             : QList<ImportedRecipe>();
    if (recipes.isEmpty()) {
        notifyStatusBar(QStringLiteral("No recipe in the clipboard"));
        return;
    }
    const QString folder = askImportFolder();
    if (folder.isEmpty())
        return;
    ImportSummary summary;
    const ImportedRecipeWriter writer(folder);
    for (const ImportedRecipe& recipe : recipes) {
        QString error;
        const QString path = writer.write(recipe, &error);
        if (path.isEmpty())
            summary.problems.append(
                {QStringLiteral("clipboard"), QStringLiteral("not written: %1").arg(error)});
        else
            summary.written.append(path);
    }
    summary.filesRead = summary.filesTotal = 1;
    finishImport(summary);
}

// Opens the active recipe in the cooking view, a window of its own that the
// main window owns; one view at a time, which shows the recipe last asked for.
void MainWindow::cookActiveRecipe()
{
    const QString path = activeDocument->path();
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        notifyStatusBar(QStringLiteral("No recipe to cook"));
        return;
    }
    auto* view = findChild<CookingView*>(QStringLiteral("cookingView"));
    if (!view) {
        view = new CookingView(this);
        view->setAttribute(Qt::WA_DeleteOnClose);
    }
    // The recipe already cooking stays on its step.
    if (view->recipe().path() != path)
        view->openRecipe(path);
    view->showFullScreen();
    view->raise();
    view->activateWindow();
}
