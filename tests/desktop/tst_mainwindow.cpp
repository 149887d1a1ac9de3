#include "browse/listpane.h"
#include "browse/treepane.h"
#include "mainwindow.h"
#include "support/desktoptesthelpers.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QDockWidget>
#include <QIcon>
#include <QImage>
#include <QListView>
#include <QMenuBar>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTimer>
#include <QTreeView>
#include <QtTest>

#include <cstdio>
#include <memory>

using namespace testing;

namespace {

constexpr int scanTimeout = 60000;

void storeLocation(const QString& location)
{
    QSettings settings;
    settings.beginGroup(QStringLiteral("General"));
    settings.setValue(QStringLiteral("location"), location);
}

QVariant storedLocation()
{
    QSettings settings;
    settings.beginGroup(QStringLiteral("General"));
    return settings.value(QStringLiteral("location"));
}

int shownRows(const MainWindow& window, const QString& dock)
{
    const QWidget* pane = window.findChild<QDockWidget*>(dock)->widget();
    const QAbstractItemView* view = pane->findChild<QAbstractItemView*>();
    return view->model() ? view->model()->rowCount() : 0;
}

QAbstractItemView* viewIn(const MainWindow& window, const QString& dock)
{
    return window.findChild<QDockWidget*>(dock)->widget()->findChild<QAbstractItemView*>();
}

void clickRow(QAbstractItemView* view, const QModelIndex& index)
{
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier,
                      view->visualRect(index).center());
}

void openCollection(MainWindow& window, const QString& folder)
{
    window.setFolderQuestion([folder] { return folder; });
    windowAction(window, QStringLiteral("openCollectionAction"))->trigger();
}

} // namespace

class MainWindowTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir iconThemes;

private slots:
    void initTestCase()
    {
        useTestIdentity();
        // A small icon theme that has every icon the window asks for, so that
        // the actions carry the names they asked for.
        QVERIFY(iconThemes.isValid());
        const QString theme = iconThemes.filePath(QStringLiteral("kitchen"));
        QVERIFY(writeFile(theme + QStringLiteral("/index.theme"),
                          "[Icon Theme]\nName=kitchen\nDirectories=16x16/actions\n\n"
                          "[16x16/actions]\nSize=16\nType=Fixed\n"));
        QImage image(16, 16, QImage::Format_ARGB32);
        image.fill(Qt::darkGreen);
        for (const char* name :
             {"document-open-folder", "view-refresh", "document-new", "edit-entry",
              "document-print", "randomize", "document-print-preview", "edit-find",
              "view-list-details", "chronometer", "document-import", "edit-paste",
              "document-export", "view-calendar-week", "appointment-new", "checkmark",
              "go-home"}) {
            QVERIFY(QDir().mkpath(theme + QStringLiteral("/16x16/actions")));
            QVERIFY(image.save(theme + QStringLiteral("/16x16/actions/") + QLatin1String(name) +
                               QStringLiteral(".png")));
        }
        QIcon::setThemeSearchPaths({iconThemes.path()});
        QIcon::setThemeName(QStringLiteral("kitchen"));
    }

    void init()
    {
        QSettings settings;
        settings.clear();
        settings.sync();
    }

    void firstStartLaysOutTheDocks()
    {
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        struct Dock
        {
            QString title;
            Qt::DockWidgetArea area;
            bool shown;
        };
        const QList<Dock> expected = {
            {"Raw view", Qt::RightDockWidgetArea, false},
            {"Recipes", Qt::LeftDockWidgetArea, true},
            {"Metadata", Qt::LeftDockWidgetArea, false},
            {"Ingredients line", Qt::RightDockWidgetArea, false},
            {"Title", Qt::LeftDockWidgetArea, true},
            {"Tags", Qt::LeftDockWidgetArea, true},
            {"Ingredients", Qt::LeftDockWidgetArea, true},
        };
        const QList<QDockWidget*> docks =
            window.findChildren<QDockWidget*>(QString(), Qt::FindDirectChildrenOnly);
        // The seven come first; docks added later follow them, hidden.
        QVERIFY(docks.size() >= expected.size());
        for (int i = int(expected.size()); i < docks.size(); ++i)
            QVERIFY(!docks.at(i)->isVisible());
        for (int i = 0; i < expected.size(); ++i) {
            QCOMPARE(docks.at(i)->windowTitle(), expected.at(i).title);
            QCOMPARE(docks.at(i)->objectName(), expected.at(i).title);
            QCOMPARE(window.dockWidgetArea(docks.at(i)), expected.at(i).area);
            QCOMPARE(docks.at(i)->isVisible(), expected.at(i).shown);
            QVERIFY(docks.at(i)->widget());
        }
        auto dock = [&](const char* name) { return window.findChild<QDockWidget*>(name); };
        QCOMPARE(window.tabifiedDockWidgets(dock("Title")), QList<QDockWidget*>{dock("Recipes")});
        QCOMPARE(window.tabifiedDockWidgets(dock("Ingredients")),
                 QList<QDockWidget*>{dock("Tags")});
        QVERIFY(dockPane<ListPane>(window, QStringLiteral("Title")));
        QVERIFY(dockPane<TreePane>(window, QStringLiteral("Tags")));
        QVERIFY(dockPane<TreePane>(window, QStringLiteral("Ingredients")));

        QVERIFY(!window.findChild<QMenuBar*>());
        QVERIFY(window.statusBar()->isVisible());
        QVERIFY(shownText(window).startsWith(QStringLiteral("Saltrove")));
    }

    void firstStartLoadsTheDefaultFolder()
    {
        MainWindow window;
        QCOMPARE(statusText(window), "Parsing " + documentsRecipes());
        // The default folder does not exist; it is scanned all the same.
        QTRY_COMPARE_WITH_TIMEOUT(statusText(window), QStringLiteral("Found 0 recipes"),
                                  scanTimeout);
    }

    // Every command of the window, listed once: where it sits (the main
    // toolbar, the Kitchen toolbar, or the window alone), in which place,
    // and what the user sees of it. A place of -1 means no toolbar holds it.
    void theWindowOffersItsCommands_data()
    {
        QTest::addColumn<QString>("objectName");
        QTest::addColumn<QString>("toolbar");
        QTest::addColumn<int>("place");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("icon");
        QTest::addColumn<QKeySequence>("shortcut");

        const QString main = QStringLiteral("Main Toolbar");
        const QString kitchen = QStringLiteral("kitchenToolBar");
        const auto row = [](const char* name, const QString& toolbar, int place, const char* text,
                            const char* icon, const QKeySequence& shortcut) {
            QTest::newRow(name) << QString::fromLatin1(name) << toolbar << place
                                << QString::fromUtf8(text) << QString::fromLatin1(icon) << shortcut;
        };
        row("openCollectionAction", main, 0, "Open collection", "document-open-folder",
            QKeySequence::Open);
        row("reloadCollectionAction", main, 1, "Reload collection", "view-refresh",
            QKeySequence::Refresh);
        row("newRecipeAction", main, 3, "New recipe", "document-new", QKeySequence::New);
        row("editRecipeAction", main, 4, "Edit current recipe", "edit-entry",
            QKeySequence(Qt::CTRL | Qt::Key_E));
        row("printAction", main, 5, "Print current recipe", "document-print", QKeySequence::Print);
        row("randomRecipeAction", main, 6, "Display random recipe", "randomize", QKeySequence());
        row("printPreviewAction", main, 7, "Print preview current recipe", "document-print-preview",
            QKeySequence());
        row("quitAction", QString(), -1, "Quit", "", QKeySequence::Quit);
        row("findAction", kitchen, 0, "Find", "edit-find", QKeySequence::Find);
        row("shoppingListAction", kitchen, 1, "Show shopping list", "view-list-details",
            QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_L));
        row("cookAction", kitchen, 2, "Cook", "chronometer",
            QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_K));
        row("importAction", kitchen, 4, "Import recipes…", "document-import",
            QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_I));
        row("pasteRecipeAction", kitchen, 5, "Paste recipe", "edit-paste",
            QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V));
        row("exportAction", kitchen, 6, "Export recipe…", "document-export",
            QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E));
        row("mealPlanAction", kitchen, 7, "Meal plan", "view-calendar-week", QKeySequence());
        row("planRecipeAction", kitchen, 8, "Plan…", "appointment-new", QKeySequence());
        row("markCookedAction", kitchen, 9, "Mark as cooked", "checkmark", QKeySequence());
        row("pantryAction", kitchen, 10, "Pantry", "go-home", QKeySequence());
    }

    void theWindowOffersItsCommands()
    {
        QFETCH(QString, objectName);
        QFETCH(QString, toolbar);
        QFETCH(int, place);
        QFETCH(QString, text);
        QFETCH(QString, icon);
        QFETCH(QKeySequence, shortcut);

        MainWindow window;
        window.show();
        QAction* action = windowAction(window, objectName);
        QVERIFY(action);
        QCOMPARE(action->text(), text);
        QCOMPARE(action->icon().name(), icon);
        QCOMPARE(action->shortcut(), shortcut);
        QVERIFY(action->isEnabled());
        // The kitchen's shortcuts work with its toolbar hidden: the window
        // itself has those actions.
        if (toolbar != QLatin1String("Main Toolbar"))
            QVERIFY(window.actions().contains(action));

        // No other command of the window takes the same shortcut.
        if (!shortcut.isEmpty()) {
            for (const QAction* other : window.findChildren<QAction*>()) {
                if (other != action && !other->isSeparator())
                    QVERIFY2(other->shortcut() != shortcut, qPrintable(other->objectName()));
            }
        }

        const QList<QToolBar*> toolbars = window.findChildren<QToolBar*>();
        for (const QToolBar* bar : toolbars) {
            const bool holds = bar->objectName() == toolbar;
            QCOMPARE(bar->actions().indexOf(action), holds ? place : -1);
        }
    }

    // The two toolbars' frames: the main one fixed at the top with one
    // separator after the collection commands, the Kitchen one after it with
    // one separator before importing, and each no longer than its commands.
    void theToolbarsKeepTheirShape_data()
    {
        QTest::addColumn<QString>("objectName");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("separatorPlace");
        QTest::addColumn<int>("entries");
        QTest::addColumn<bool>("mayBeHidden");
        QTest::newRow("main") << "Main Toolbar"
                              << "Main Toolbar" << 2 << 8 << false;
        QTest::newRow("kitchen") << "kitchenToolBar"
                                 << "Kitchen" << 3 << 11 << true;
    }

    void theToolbarsKeepTheirShape()
    {
        QFETCH(QString, objectName);
        QFETCH(QString, title);
        QFETCH(int, separatorPlace);
        QFETCH(int, entries);
        QFETCH(bool, mayBeHidden);

        MainWindow window;
        window.show();
        auto* toolbar = window.findChild<QToolBar*>(objectName);
        QVERIFY(toolbar);
        QCOMPARE(toolbar->windowTitle(), title);
        QCOMPARE(window.toolBarArea(toolbar), Qt::TopToolBarArea);
        QVERIFY(toolbar->isVisible());
        QCOMPARE(toolbar->toggleViewAction()->isEnabled(), mayBeHidden);
        const QList<QAction*> actions = toolbar->actions();
        QCOMPARE(actions.size(), entries);
        for (int i = 0; i < actions.size(); ++i)
            QCOMPARE(actions.at(i)->isSeparator(), i == separatorPlace);
        QVERIFY(!window.findChild<QMenuBar*>());
    }

    // The Kitchen toolbar may be hidden; the window state keeps it so, and
    // its commands still answer their shortcuts.
    void aHiddenKitchenToolBarStaysHiddenAndItsShortcutsWork()
    {
        {
            MainWindow window;
            window.show();
            window.findChild<QToolBar*>(QStringLiteral("kitchenToolBar"))
                ->toggleViewAction()
                ->trigger();
        }
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(!window.findChild<QToolBar*>(QStringLiteral("kitchenToolBar"))->isVisible());
        auto* shoppingDock = window.findChild<QDockWidget*>(QStringLiteral("Shopping list"));
        QVERIFY(!shoppingDock->isVisible());
        QTest::keyClick(&window, Qt::Key_L, Qt::ControlModifier | Qt::ShiftModifier);
        QTRY_VERIFY(shoppingDock->isVisible());
        QTest::keyClick(&window, Qt::Key_K, Qt::ControlModifier | Qt::ShiftModifier);
        QTRY_COMPARE(statusText(window), QStringLiteral("No recipe to cook"));
    }

    void settingsAreStoredAtDestructionAndRead()
    {
        QTemporaryDir collection;
        QVERIFY(collection.isValid());
        {
            MainWindow window;
            window.show();
            openCollection(window, collection.path());
            window.findChild<QDockWidget*>(QStringLiteral("Raw view"))->show();
            window.findChild<QToolBar*>(QStringLiteral("Main Toolbar"))->hide();
            // Nothing is written before the window goes.
            QCOMPARE(storedLocation(), QVariant());
        }
        QCOMPARE(storedLocation().toString(), collection.path());
        {
            QSettings settings;
            QVERIFY(!settings.value(QStringLiteral("General/windowState")).toByteArray().isEmpty());
        }

        MainWindow window;
        QCOMPARE(statusText(window), "Parsing " + collection.path());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(window.findChild<QDockWidget*>(QStringLiteral("Raw view"))->isVisible());
        QVERIFY(!window.findChild<QDockWidget*>(QStringLiteral("Metadata"))->isVisible());
        // A toolbar hidden in the saved state comes back.
        QVERIFY(window.findChild<QToolBar*>(QStringLiteral("Main Toolbar"))->isVisible());
    }

    void onlyAnExistingLocationIsStored_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("opened");
        QTest::addColumn<QString>("expected");
        QTest::newRow("stored folder deleted since") << "gone" << QString() << "gone";
        QTest::newRow("missing folder opened") << "kept"
                                               << "missing"
                                               << "kept";
        QTest::newRow("existing folder opened") << "kept"
                                                << "other"
                                                << "other";
        QTest::newRow("first start, folder opened") << QString() << "other"
                                                    << "other";
        QTest::newRow("empty location stays") << "" << QString() << "";
    }

    void onlyAnExistingLocationIsStored()
    {
        QFETCH(QString, stored);
        QFETCH(QString, opened);
        QFETCH(QString, expected);
        QTemporaryDir root;
        QVERIFY(root.isValid());
        QVERIFY(QDir().mkpath(root.filePath(QStringLiteral("kept"))));
        QVERIFY(QDir().mkpath(root.filePath(QStringLiteral("other"))));
        auto place = [&](const QString& name) {
            return name.isEmpty() ? QString() : root.filePath(name);
        };
        if (!stored.isNull())
            storeLocation(place(stored));
        {
            MainWindow window;
            QCOMPARE(statusText(window),
                     "Parsing " + (stored.isNull() ? documentsRecipes() : place(stored)));
            if (!opened.isNull())
                openCollection(window, place(opened));
        }
        QCOMPARE(storedLocation().toString(), place(expected));
    }

    void announcesTheNumberOfRecipesFound_data()
    {
        QTest::addColumn<int>("count");
        QTest::newRow("none") << 0;
        QTest::newRow("one") << 1;
        QTest::newRow("three") << 3;
    }

    void announcesTheNumberOfRecipesFound()
    {
        QFETCH(int, count);
        QTemporaryDir collection;
        const QStringList folders = {"", "Soups/", "Soups/Cold/"};
        for (int i = 0; i < count; ++i) {
            QVERIFY(!writeRecipe(collection.path(),
                                 folders.at(i) + QStringLiteral("r%1.recipe.md").arg(i),
                                 QStringLiteral("Recipe %1").arg(i),
                                 {QStringLiteral("tag%1").arg(i)}, {QStringLiteral("salt")})
                         .isEmpty());
        }
        QVERIFY(writeFile(collection.filePath(QStringLiteral("notes.md")), "# Not a recipe\n"));
        storeLocation(collection.path());
        MainWindow window;
        QCOMPARE(statusText(window), "Parsing " + collection.path());
        QTRY_COMPARE_WITH_TIMEOUT(statusText(window), QStringLiteral("Found %1 recipes").arg(count),
                                  scanTimeout);
        QCOMPARE(shownRows(window, QStringLiteral("Title")), count);
        QCOMPARE(shownRows(window, QStringLiteral("Tags")), count);
        QCOMPARE(shownRows(window, QStringLiteral("Ingredients")), count ? 1 : 0);
        QAbstractItemModelTester tester(viewIn(window, QStringLiteral("Title"))->model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
    }

    void anEmptyLocationStartsNoScan()
    {
        storeLocation(QString());
        MainWindow window;
        QCOMPARE(statusText(window), QStringLiteral("Parsing "));
        windowAction(window, QStringLiteral("reloadCollectionAction"))->trigger();
        QCoreApplication::processEvents();
        windowAction(window, QStringLiteral("randomRecipeAction"))->trigger();
        QCOMPARE(statusText(window), QStringLiteral("No recipe!"));
        QCOMPARE(shownRows(window, QStringLiteral("Title")), 0);
    }

    void reloadingReplacesEveryIndex()
    {
        QTemporaryDir collection;
        writeRecipe(collection.path(), QStringLiteral("a.recipe.md"), QStringLiteral("Apple Pie"),
                    {QStringLiteral("sweet")});
        storeLocation(collection.path());
        MainWindow window;
        QTRY_COMPARE_WITH_TIMEOUT(statusText(window), QStringLiteral("Found 1 recipes"),
                                  scanTimeout);
        writeRecipe(collection.path(), QStringLiteral("b.recipe.md"), QStringLiteral("Bean Soup"),
                    {QStringLiteral("savoury")}, {QStringLiteral("beans")});
        writeRecipe(collection.path(), QStringLiteral("sub/c.recipe.md"), QStringLiteral("Crumble"),
                    {QStringLiteral("sweet")});
        // Found only once the collection is read again.
        QCOMPARE(shownRows(window, QStringLiteral("Title")), 1);
        windowAction(window, QStringLiteral("reloadCollectionAction"))->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(statusText(window), QStringLiteral("Found 3 recipes"),
                                  scanTimeout);
        QCOMPARE(shownRows(window, QStringLiteral("Title")), 3);
        QCOMPARE(shownRows(window, QStringLiteral("Tags")), 2);
        QCOMPARE(shownRows(window, QStringLiteral("Ingredients")), 1);
    }

    void openingTheSameFolderReloadsItCompletely()
    {
        QTemporaryDir collection;
        writeRecipe(collection.path(), QStringLiteral("a.recipe.md"), QStringLiteral("Apple Pie"));
        storeLocation(collection.path());
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_COMPARE_WITH_TIMEOUT(statusText(window), QStringLiteral("Found 1 recipes"),
                                  scanTimeout);
        QAbstractItemView* titles = viewIn(window, QStringLiteral("Title"));
        clickRow(titles, titles->model()->index(0, 0));
        QVERIFY(shownText(window).startsWith(QStringLiteral("Apple Pie")));

        writeRecipe(collection.path(), QStringLiteral("b.recipe.md"), QStringLiteral("Bean Soup"));
        openCollection(window, collection.path());
        QCOMPARE(statusText(window), "Parsing " + collection.path());
        QCOMPARE(shownRows(window, QStringLiteral("Title")), 0);
        QVERIFY(shownText(window).startsWith(QStringLiteral("Saltrove")));
        QTRY_COMPARE_WITH_TIMEOUT(statusText(window), QStringLiteral("Found 2 recipes"),
                                  scanTimeout);
        QCOMPARE(shownRows(window, QStringLiteral("Title")), 2);
    }

    void aCancelledFolderDialogChangesNothing()
    {
        QTemporaryDir collection;
        writeRecipe(collection.path(), QStringLiteral("a.recipe.md"), QStringLiteral("Apple Pie"));
        storeLocation(collection.path());
        MainWindow window;
        QTRY_COMPARE_WITH_TIMEOUT(statusText(window), QStringLiteral("Found 1 recipes"),
                                  scanTimeout);
        openCollection(window, QString());
        QCOMPARE(statusText(window), QStringLiteral("Cancelled"));
        QCOMPARE(shownRows(window, QStringLiteral("Title")), 1);
    }

    void choosingAFolderWhileAScanRuns()
    {
        // Large enough that its scan is still running when the next folder is
        // chosen straight after the window is built.
        QTemporaryDir large;
        const int largeCount = 1500;
        // Long directions, so that reading takes its time on every core.
        const QByteArray body = QByteArray("Stir and wait a little.\n").repeated(1000);
        for (int i = 0; i < largeCount; ++i) {
            QVERIFY(
                writeFile(large.filePath(QStringLiteral("d%1/r%2.recipe.md").arg(i % 20).arg(i)),
                          "# Dish " + QByteArray::number(i) + "\n" + body));
        }
        QTemporaryDir small;
        writeRecipe(small.path(), QStringLiteral("a.recipe.md"), QStringLiteral("Apple Pie"));
        writeRecipe(small.path(), QStringLiteral("b.recipe.md"), QStringLiteral("Bean Soup"));

        storeLocation(large.path());
        MainWindow window;
        QSignalSpy messages(window.statusBar(), &QStatusBar::messageChanged);
        openCollection(window, small.path());
        QCOMPARE(statusText(window), "Parsing " + small.path());
        QCOMPARE(shownRows(window, QStringLiteral("Title")), 0);

        // The scan that was running fills the panes first.
        auto found = [&] {
            for (const QList<QVariant>& message : messages) {
                if (message.at(0).toString().startsWith(QStringLiteral("Found")))
                    return message.at(0).toString();
            }
            return QString();
        };
        QTRY_VERIFY_WITH_TIMEOUT(!found().isEmpty(), scanTimeout);
        QCOMPARE(found(), QStringLiteral("Found %1 recipes").arg(largeCount));

        // In the end the chosen folder is the collection.
        windowAction(window, QStringLiteral("reloadCollectionAction"))->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(statusText(window), QStringLiteral("Found 2 recipes"),
                                  scanTimeout);
        QTRY_COMPARE_WITH_TIMEOUT(shownRows(window, QStringLiteral("Title")), 2, scanTimeout);
    }

    void aChosenRecipeReachesTheRecipeViewAndFollowsSaves()
    {
        QTemporaryDir collection;
        const QString soup = writeRecipe(collection.path(), QStringLiteral("soup.recipe.md"),
                                         QStringLiteral("Bean Soup"), {QStringLiteral("warm")});
        writeRecipe(collection.path(), QStringLiteral("pie.recipe.md"), QStringLiteral("Apple Pie"),
                    {QStringLiteral("sweet")});
        storeLocation(collection.path());
        MainWindow window;
        window.resize(900, 700);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_COMPARE_WITH_TIMEOUT(statusText(window), QStringLiteral("Found 2 recipes"),
                                  scanTimeout);

        // By title (sorted: Apple Pie, Bean Soup).
        QAbstractItemView* titles = viewIn(window, QStringLiteral("Title"));
        clickRow(titles, titles->model()->index(0, 0));
        QVERIFY(shownText(window).startsWith(QStringLiteral("Apple Pie")));

        // By tag (sorted: sweet, warm); the tags dock is behind the
        // ingredients dock in its tab group.
        window.findChild<QDockWidget*>(QStringLiteral("Tags"))->raise();
        auto* tags = qobject_cast<QTreeView*>(viewIn(window, QStringLiteral("Tags")));
        QTRY_VERIFY(tags->isVisible());
        const QModelIndex warm = tags->model()->index(1, 0);
        tags->expand(warm);
        clickRow(tags, tags->model()->index(0, 0, warm));
        QVERIFY(shownText(window).startsWith(QStringLiteral("Bean Soup")));

        // An editor that saves by renaming a new file over the old one, twice.
        for (const char* title : {"Bean Soup, spicier", "Bean Soup, spiciest"}) {
            QVERIFY(writeFile(soup + ".tmp", QByteArray("# ") + title + "\n"));
            QCOMPARE(std::rename(QFile::encodeName(soup + ".tmp").constData(),
                                 QFile::encodeName(soup).constData()),
                     0);
            QTRY_VERIFY(shownText(window).startsWith(QString::fromLatin1(title)));
        }
    }

    void theFolderPaneFillsTheContentPanesAndFollowsSaves()
    {
        QTemporaryDir collection;
        const QString soup = writeRecipe(collection.path(), QStringLiteral("Soups/bean.recipe.md"),
                                         QStringLiteral("Bean Soup"), {QStringLiteral("warm")},
                                         {QStringLiteral("beans")});
        // The default location ends in a slash; titles must still find their
        // files.
        storeLocation(collection.path() + QStringLiteral("/"));
        MainWindow window;
        window.resize(1000, 700);
        for (const char* dock : {"Raw view", "Metadata"})
            window.findChild<QDockWidget*>(dock)->show();
        window.findChild<QDockWidget*>(QStringLiteral("Recipes"))->raise();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_COMPARE_WITH_TIMEOUT(statusText(window), QStringLiteral("Found 1 recipes"),
                                  scanTimeout);

        auto* folders = qobject_cast<QTreeView*>(viewIn(window, QStringLiteral("Recipes")));
        QTRY_COMPARE(folders->model()->rowCount(folders->rootIndex()), 1);
        const QModelIndex soups = folders->model()->index(0, 0, folders->rootIndex());
        QCOMPARE(soups.data().toString(), QStringLiteral("Soups"));
        folders->expand(soups);
        QTRY_COMPARE(folders->model()->rowCount(soups), 1);
        const QModelIndex bean = folders->model()->index(0, 0, soups);
        QCOMPARE(bean.data().toString(), QStringLiteral("Bean Soup"));

        auto* raw = window.findChild<QDockWidget*>(QStringLiteral("Raw view"))
                        ->widget()
                        ->findChild<QTextBrowser*>();
        QAbstractItemView* metadata = viewIn(window, QStringLiteral("Metadata"));
        auto metadataTitle = [&] {
            return metadata->model()->rowCount() ? metadata->model()->index(0, 0).data().toString()
                                                 : QString();
        };
        clickRow(folders, bean);
        QVERIFY(shownText(window).startsWith(QStringLiteral("Bean Soup")));
        QVERIFY(raw->toPlainText().startsWith(QStringLiteral("# Bean Soup\n")));
        QCOMPARE(metadataTitle(), QStringLiteral("Bean Soup"));

        // Saved in place, then by an editor that renames a new file over it.
        QVERIFY(writeFile(soup, "# Bean Soup, thicker\n\n### Ingredients\n\n * 2 kg beans\n"));
        QTRY_COMPARE(metadataTitle(), QStringLiteral("Bean Soup, thicker"));
        QTRY_VERIFY(raw->toPlainText().startsWith(QStringLiteral("# Bean Soup, thicker")));
        QVERIFY(writeFile(soup + ".tmp", "# Bean Soup, smoky\n"));
        QCOMPARE(std::rename(QFile::encodeName(soup + ".tmp").constData(),
                             QFile::encodeName(soup).constData()),
                 0);
        QTRY_COMPARE(metadataTitle(), QStringLiteral("Bean Soup, smoky"));
        QCOMPARE(raw->toPlainText(), QStringLiteral("# Bean Soup, smoky\n"));
        QVERIFY(shownText(window).startsWith(QStringLiteral("Bean Soup, smoky")));

        // A folder is announced too: nothing to render or parse, and the raw
        // view keeps the last text it could read.
        clickRow(folders, folders->model()->index(0, 0, folders->rootIndex()));
        QCOMPARE(shownText(window), QString());
        QCOMPARE(metadata->model()->rowCount(), 0);
        QCOMPARE(raw->toPlainText(), QStringLiteral("# Bean Soup, smoky\n"));
    }

    void aHoveredLinkIsShownInTheStatusBar()
    {
        QTemporaryDir collection;
        QVERIFY(writeFile(collection.filePath(QStringLiteral("a.recipe.md")),
                          "# Linked\n\n[somewhere](https://example.org/a)\n"));
        storeLocation(collection.path());
        MainWindow window;
        window.resize(900, 700);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_COMPARE_WITH_TIMEOUT(statusText(window), QStringLiteral("Found 1 recipes"),
                                  scanTimeout);
        QAbstractItemView* titles = viewIn(window, QStringLiteral("Title"));
        clickRow(titles, titles->model()->index(0, 0));

        auto* browser = window.centralWidget()->findChild<QTextBrowser*>();
        const QTextCursor link = browser->document()->find(QStringLiteral("somewhere"));
        QVERIFY(!link.isNull());
        QTest::mouseMove(browser->viewport(), browser->cursorRect(link).center() - QPoint(10, 0));
        QTRY_COMPARE(statusText(window), QStringLiteral("https://example.org/a"));
    }

    // Last: it runs the application's own event loop.
    void quitEndsTheEventLoop()
    {
        MainWindow window;
        window.show();
        QAction* quit = windowAction(window, QStringLiteral("quitAction"));
        QVERIFY(quit);
        QTimer::singleShot(0, quit, &QAction::trigger);
        QCOMPARE(QApplication::exec(), 0);
    }
};

QTEST_MAIN(MainWindowTest)
#include "tst_mainwindow.moc"
