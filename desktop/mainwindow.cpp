#include "mainwindow.h"

#include "browse/fspane.h"
#include "browse/listpane.h"
#include "browse/treepane.h"
#include "collection/collectionsettings.h"
#include "collection/scanner.h"
#include "document/activedocument.h"
#include "document/mainpane.h"
#include "find/findpane.h"
#include "shopping/shoppinglistpane.h"
#include "writing/ingredientsparserpane.h"
#include "writing/metadatapane.h"
#include "writing/rawviewpane.h"

#include <QAction>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDockWidget>
#include <QFile>
#include <QFileDialog>
#include <QIcon>
#include <QKeySequence>
#include <QProcess>
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
        return QFileDialog::getSaveFileName(this, QStringLiteral("Create Recipe"), rootPath,
                                            QStringLiteral("Recipes (*.recipe.md)"));
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
    if (!name.endsWith(QStringLiteral(".recipe.md"), Qt::CaseSensitive)) {
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
