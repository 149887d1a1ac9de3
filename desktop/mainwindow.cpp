#include "mainwindow.h"

#include "cooking/cookingview.h"

#include "browse/fspane.h"
#include "browse/listpane.h"
#include "browse/treepane.h"
#include "collection/collectionsettings.h"
#include "collection/scanner.h"
#include "document/activedocument.h"
#include "document/externaleditor.h"
#include "document/mainpane.h"
#include "find/findpane.h"
#include "pantry/pantrypane.h"
#include "planning/cookingjournal.h"
#include "planning/mealplanpane.h"
#include "recipe/recipefile.h"
#include "shopping/shoppinglistpane.h"
#include "writing/ingredientsparserpane.h"
#include "writing/metadatapane.h"
#include "writing/rawviewpane.h"

#include <QAction>
#include <QCoreApplication>
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
#include <QRandomGenerator64>
#include <QScreen>
#include <QSettings>
#include <QStandardItemModel>
#include <QStandardPaths>
#include <QStatusBar>
#include <QToolBar>

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

// An action of the window's own, not of a toolbar: its shortcut works
// wherever the focus is in the window.
QAction* addWindowAction(QWidget* window, const char* icon, const char* text,
                         const char* objectName, const QKeySequence& shortcut)
{
    auto* action =
        new QAction(QIcon::fromTheme(QLatin1String(icon)), QString::fromUtf8(text), window);
    action->setObjectName(QLatin1String(objectName));
    action->setShortcut(shortcut);
    window->addAction(action);
    return action;
}

} // namespace

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent, Qt::WindowFlags())
    , activeDocument(std::make_unique<ActiveDocument>())
    , scanner(std::make_unique<Scanner>())
    , journal(std::make_unique<CookingJournal>())
    , importFlow(std::make_unique<ImportFlow>(this))
    , exportFlow(std::make_unique<ExportFlow>(this))
{
    scanner->setIndexFolder(Scanner::defaultIndexFolder());
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
    addMealPlanDock();
    addPantryDock();
    addCookAction();
    addMarkCookedAction();
    addImportActions();
    addExportAction();
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
    titlesPane = listPane.get();
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
        // The wording is the same for one recipe: scripts and tests read it.
        notifyStatusBar(QStringLiteral("Found %1 recipes").arg(count));
        fsPane->setTitlesByPath(scanner->titlesByPath());
        importFlow->setCookbook(scanner->titlesByPath(), scanner->sourcesByPath());
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
    pane->setJournal(journal.get());
    connect(this, &MainWindow::clear, pane, [pane] { pane->setModels({}, {}, {}); });
    openChosenRecipes(pane);
    QDockWidget* findDock =
        addDock(this, QStringLiteral("Find"), std::move(findPane), Qt::RightDockWidgetArea);
    findDock->hide();

    findAction = addWindowAction(this, "edit-find", "Find", "findAction", QKeySequence::Find);
    connect(findAction, &QAction::triggered, pane, [findDock, pane] {
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
    importFlow->setCollectionPath(path);
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
    shoppingListPane = shoppingList;
    activeDocument->registerListener(shoppingList);
    connect(shoppingList, &ShoppingListPane::notifySimple, this, &MainWindow::notifyStatusBar);
    // The list lives in the collection's "shopping-list.md", once it is scanned.
    connect(scanner.get(), &Scanner::dataUpdated, shoppingList,
            [this, shoppingList] { shoppingList->setCollectionPath(rootPath); });
    connect(scanner.get(), &Scanner::dataUpdated, shoppingList, &ShoppingListPane::refresh);
    QDockWidget* dock =
        addDock(this, QStringLiteral("Shopping list"), std::move(pane), Qt::RightDockWidgetArea);
    dock->hide();

    shoppingListAction =
        addWindowAction(this, "view-list-details", "Show shopping list", "shoppingListAction",
                        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_L));
    connect(shoppingListAction, &QAction::triggered, dock, [dock, shoppingList] {
        dock->show();
        dock->raise();
        shoppingList->setFocus(Qt::ShortcutFocusReason);
    });
}

// The meal plan comes after the shopping list, hidden until a restored state
// or its action shows it. It fills the shopping list and opens its recipes.
void MainWindow::addMealPlanDock()
{
    auto pane = std::make_unique<MealPlanPane>();
    mealPlanPane = pane.get();
    mealPlanPane->setShoppingList(shoppingListPane->shoppingList());
    openChosenRecipes(mealPlanPane);
    connect(mealPlanPane, &MealPlanPane::notifySimple, this, &MainWindow::notifyStatusBar);
    connect(scanner.get(), &Scanner::dataUpdated, mealPlanPane,
            [this] { mealPlanPane->setCollectionPath(rootPath); });
    QDockWidget* dock =
        addDock(this, QStringLiteral("Meal plan"), std::move(pane), Qt::RightDockWidgetArea);
    dock->setObjectName(QStringLiteral("mealPlanDock"));
    dock->hide();

    mealPlanAction =
        addWindowAction(this, "view-calendar-week", "Meal plan", "mealPlanAction", QKeySequence());
    connect(mealPlanAction, &QAction::triggered, dock, [dock] {
        dock->show();
        dock->raise();
    });
    planRecipeAction =
        addWindowAction(this, "appointment-new", "Plan…", "planRecipeAction", QKeySequence());
    connect(planRecipeAction, &QAction::triggered, this, &MainWindow::planActiveRecipe);
}

void MainWindow::planActiveRecipe()
{
    const QString path = activeDocument->path();
    mealPlanPane->planRecipe(QFileInfo(path).isFile() ? path : QString());
}

// The pantry comes after the shopping list, hidden until a restored state or
// its action shows it; it offers the names the Find pane offers.
void MainWindow::addPantryDock()
{
    auto pane = std::make_unique<PantryPane>();
    PantryPane* pantry = pane.get();
    if (auto* find = findChild<FindPane*>()) {
        pantry->setSearch(find->search());
        find->setPantry(pantry->session());
    }
    connect(pantry, &PantryPane::notifySimple, this, &MainWindow::notifyStatusBar);
    // A recipe cooked to its end, or marked cooked, offers to take its amounts
    // out of the pantry; asked once the cooking view has finished its click.
    connect(journal.get(), &CookingJournal::cooked, pantry, &PantryPane::offerTakeOut,
            Qt::QueuedConnection);
    connect(scanner.get(), &Scanner::dataUpdated, pantry,
            [this, pantry] { pantry->setCollectionPath(rootPath); });
    QDockWidget* dock =
        addDock(this, QStringLiteral("Pantry"), std::move(pane), Qt::RightDockWidgetArea);
    dock->setObjectName(QStringLiteral("pantryDock"));
    dock->hide();

    pantryAction = addWindowAction(this, "go-home", "Pantry", "pantryAction", QKeySequence());
    connect(pantryAction, &QAction::triggered, dock, [dock, pantry] {
        dock->show();
        dock->raise();
        pantry->setFocus(Qt::ShortcutFocusReason);
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
        ExternalEditor::open(path);
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
    ExternalEditor::open(name);
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

// Cooking the active recipe in a window of its own.
void MainWindow::addCookAction()
{
    cookAction = addWindowAction(this, "chronometer", "Cook", "cookAction",
                                 QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_K));
    connect(cookAction, &QAction::triggered, this, &MainWindow::cookActiveRecipe);
}

// The cooking journal lives in the collection's "cooking-journal.md", once it
// is scanned; "Mark as cooked" writes today's entry for the active recipe.
void MainWindow::addMarkCookedAction()
{
    connect(scanner.get(), &Scanner::dataUpdated, journal.get(),
            [this] { journal->setCollectionPath(rootPath); });
    connect(journal.get(), &CookingJournal::message, this, &MainWindow::notifyStatusBar);
    markCookedAction =
        addWindowAction(this, "checkmark", "Mark as cooked", "markCookedAction", QKeySequence());
    connect(markCookedAction, &QAction::triggered, this, &MainWindow::markActiveRecipeCooked);
}

void MainWindow::markActiveRecipeCooked()
{
    const QString path = activeDocument->path();
    if (journal->markCooked(path))
        notifyStatusBar(
            QStringLiteral("Added to the cooking journal: %1").arg(journal->summary(path)));
}

// Importing recipes from files and folders, and from the clipboard; files and
// folders dropped on the window are imported too.
void MainWindow::addImportActions()
{
    importAction = addWindowAction(this, "document-import", "Import recipes…", "importAction",
                                   QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_I));
    connect(importAction, &QAction::triggered, importFlow.get(), &ImportFlow::importChosenFiles);
    pasteRecipeAction = addWindowAction(this, "edit-paste", "Paste recipe", "pasteRecipeAction",
                                        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V));
    connect(pasteRecipeAction, &QAction::triggered, importFlow.get(), &ImportFlow::pasteRecipe);
    connect(importFlow.get(), &ImportFlow::message, this, &MainWindow::notifyStatusBar);
    connect(importFlow.get(), &ImportFlow::recipesWritten, this, &MainWindow::showImportedRecipes);
    setAcceptDrops(true);
}

// Exporting the recipes chosen in the title list, else the active one.
void MainWindow::addExportAction()
{
    exportAction = addWindowAction(this, "document-export", "Export recipe…", "exportAction",
                                   QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E));
    connect(exportAction, &QAction::triggered, this, &MainWindow::exportChosenRecipes);
    connect(exportFlow.get(), &ExportFlow::message, this, &MainWindow::notifyStatusBar);
}

void MainWindow::exportChosenRecipes()
{
    QStringList paths = titlesPane ? titlesPane->selectedPaths() : QStringList();
    if (paths.size() < 2) {
        const QString active = activeDocument->path();
        paths =
            active.isEmpty() || !QFileInfo(active).isFile() ? QStringList() : QStringList{active};
    }
    exportFlow->exportRecipes(paths);
}

void MainWindow::setExportDestinationQuestion(ExportFlow::DestinationQuestion question)
{
    exportFlow->setDestinationQuestion(std::move(question));
}

// The new recipes are scanned; one alone is shown.
void MainWindow::showImportedRecipes(const QStringList& paths, const QString& message)
{
    // The scan's own count would hide the import's message: show it again after.
    connect(
        scanner.get(), &Scanner::dataUpdated, this, [this, message] { notifyStatusBar(message); },
        Qt::SingleShotConnection);
    scanner->doUpdate();
    if (paths.size() == 1)
        activeDocument->openPath(paths.first());
}

// A second toolbar for the kitchen, after the main one: finding, the shopping
// list, cooking, importing and the meal plan. Unlike the main toolbar it may be hidden; the
// window state keeps whether it is.
void MainWindow::addKitchenToolBar()
{
    QToolBar* kitchen = addToolBar(QStringLiteral("Kitchen"));
    kitchen->setObjectName(QStringLiteral("kitchenToolBar"));
    kitchen->addActions({findAction, shoppingListAction, cookAction});
    kitchen->addSeparator();
    kitchen->addActions(
        {importAction, pasteRecipeAction, exportAction, mealPlanAction, planRecipeAction});
    kitchen->addActions({markCookedAction, pantryAction});
}

void MainWindow::setImportSourcesQuestion(ImportFlow::PathsQuestion question)
{
    importFlow->setSourcesQuestion(std::move(question));
}

void MainWindow::setImportFolderQuestion(ImportFlow::FolderQuestion question)
{
    importFlow->setFolderQuestion(std::move(question));
}

void MainWindow::setImportReport(ImportFlow::ImportReport report)
{
    importFlow->setReport(std::move(report));
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls() && !importFlow->isRunning())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event)
{
    const QStringList paths = importFlow->droppedPaths(event->mimeData());
    if (paths.isEmpty())
        return;
    event->acceptProposedAction();
    // The drop's source waits until this returns: ask for the folder after.
    QMetaObject::invokeMethod(
        importFlow.get(), [flow = importFlow.get(), paths] { flow->importPaths(paths); },
        Qt::QueuedConnection);
}

void MainWindow::cookActiveRecipe()
{
    const QString path = activeDocument->path();
    if (path.isEmpty() || !QFileInfo(path).isFile())
        notifyStatusBar(QStringLiteral("No recipe to cook"));
    else
        CookingView::cookIn(this, path)->setJournal(journal.get());
}
