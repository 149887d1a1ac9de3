// Renders the touch program's main page, one recipe page, the Shopping list
// page (with that recipe and one more on it, a row ticked and one written by
// hand) and the Find page offscreen, as PNG pictures for the README:
// touch_screenshot <cookbook> <output folder>. Run it with a throw-away HOME
// and a copy of the cookbook, whose shopping list it writes
// (scripts/screenshot-touch.sh does).
#include "qmltypes.h"
#include "browse/recipeimageprovider.h"

#include <QAbstractItemModel>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QQmlApplicationEngine>
#include <QQmlListReference>
#include <QQuickItem>
#include <QQuickWindow>
#include <QSettings>
#include <QTextStream>

#include <cstdlib>
#include <functional>

namespace {

// Runs the event loop until `done` holds, for at most `ms` milliseconds.
bool waitFor(const std::function<bool()>& done, int ms = 20000)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > ms)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    return true;
}

bool save(QQuickWindow* window, const QString& path)
{
    const QImage image = window->grabWindow();
    if (image.isNull() || !image.save(path))
        return false;
    QTextStream(stdout) << "Saved " << path << Qt::endl;
    return true;
}

// The action of `owner`'s list property `actions` named `name`.
QObject* actionNamed(QObject* owner, const char* name)
{
    if (!owner)
        return nullptr;
    QQmlListReference list(owner, "actions");
    for (qsizetype i = 0; i < list.count(); ++i) {
        if (list.at(i)->objectName() == QLatin1String(name))
            return list.at(i);
    }
    return nullptr;
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QUICK_CONTROLS_STYLE", "Material");
    // No session bus: the cooking page's screen saver and notification calls
    // must not reach the desktop the pictures are taken on.
    qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent");
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        QTextStream(stderr) << "usage: touch_screenshot <cookbook> <output folder>" << Qt::endl;
        return EXIT_FAILURE;
    }
    QCoreApplication::setOrganizationName(QStringLiteral("vantrel.org"));
    QCoreApplication::setOrganizationDomain(QStringLiteral("vantrel.org"));
    QCoreApplication::setApplicationName(QStringLiteral("SaltroveTouch"));
    const QString cookbook = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    const QDir output(QString::fromLocal8Bit(argv[2]));
    {
        QSettings settings;
        settings.beginGroup(QStringLiteral("General"));
        settings.setValue(QStringLiteral("location"), cookbook);
    }
    registerQmlTypes();

    // As the program does: the recipe pages' pictures come from its provider.
    QQmlApplicationEngine engine;
    engine.addImageProvider(RecipeImageProvider::name(), new RecipeImageProvider); // engine's
    engine.load(QUrl(QStringLiteral("qrc:/qml/main.qml")));
    auto* window = engine.rootObjects().isEmpty()
                       ? nullptr
                       : qobject_cast<QQuickWindow*>(engine.rootObjects().constFirst());
    if (!window)
        return EXIT_FAILURE;

    auto* titles = window->findChild<QQuickItem*>(QStringLiteral("titleList"));
    QObject* pageStack = window->property("pageStack").value<QObject*>();
    if (!titles || !pageStack)
        return EXIT_FAILURE;
    const auto count = [titles] { return titles->property("count").toInt(); };
    const auto settled = [pageStack] { return !pageStack->property("busy").toBool(); };
    if (!waitFor([&] { return count() > 0; })) {
        QTextStream(stderr) << "no recipes found in " << cookbook << Qt::endl;
        return EXIT_FAILURE;
    }
    if (!save(window, output.filePath(QStringLiteral("saltrovetouch-main.png"))))
        return EXIT_FAILURE;

    // Open the recipe with the longest title that fits, as a tap would.
    QQuickItem* row = nullptr;
    for (int i = 0; i < count(); ++i) {
        QQuickItem* item = nullptr;
        QMetaObject::invokeMethod(titles, "itemAtIndex", Q_RETURN_ARG(QQuickItem*, item),
                                  Q_ARG(int, i));
        if (item && item->property("text").toString().contains(QStringLiteral("soup"),
                                                               Qt::CaseInsensitive)) {
            row = item;
            break;
        }
        if (!row)
            row = item;
    }
    if (!row || !QMetaObject::invokeMethod(row, "clicked"))
        return EXIT_FAILURE;
    if (!waitFor([&] { return pageStack->property("depth").toInt() == 2 && settled(); }))
        return EXIT_FAILURE;
    if (!save(window, output.filePath(QStringLiteral("saltrovetouch-recipe.png"))))
        return EXIT_FAILURE;

    {
    // The cooking page of the sample's dal, from the recipe page's "Cook", on
    // its third step with a timer running.
    const QString dal = cookbook + QStringLiteral("/Soups/red-lentil-dal.recipe.md");
    if (QFile::exists(dal)) {
        auto* recipePage = pageStack->property("currentItem").value<QQuickItem*>();
        if (!recipePage)
            return EXIT_FAILURE;
        recipePage->setProperty("path", dal);
        if (!QMetaObject::invokeMethod(recipePage, "cook"))
            return EXIT_FAILURE;
        if (!waitFor([&] { return pageStack->property("depth").toInt() == 3 && settled(); }))
            return EXIT_FAILURE;
        auto* cookPage = pageStack->property("currentItem").value<QQuickItem*>();
        QObject* session = cookPage->property("session").value<QObject*>();
        if (!session)
            return EXIT_FAILURE;
        session->setProperty("currentStep", 2);
        int timer = 0;
        QMetaObject::invokeMethod(session, "startTimer", Q_RETURN_ARG(int, timer), Q_ARG(int, 2),
                                  Q_ARG(int, 0));
        // The swipe to the step settles and the timer's strip is laid out.
        waitFor([] { return false; }, 1200);
        if (!save(window, output.filePath(QStringLiteral("saltrovetouch-cook.png"))))
            return EXIT_FAILURE;
        // Back to the recipe page for the shopping list's pictures.
        // The stack's pop takes the page to go back to; none means the top one.
        QMetaObject::invokeMethod(pageStack, "pop", Q_ARG(QVariant, QVariant()));
        if (!waitFor([&] { return pageStack->property("depth").toInt() == 2 && settled(); }))
            return EXIT_FAILURE;
    }
    }

    // Put that recipe and the next title's on the shopping list, as the
    // recipe page's action does.
    QObject* shoppingList = window->property("shoppingList").value<QObject*>();
    QObject* recipePage = pageStack->property("currentItem").value<QObject*>();
    QObject* add = actionNamed(recipePage, "addToShoppingListAction");
    if (!shoppingList || !add || !QMetaObject::invokeMethod(add, "trigger"))
        return EXIT_FAILURE;
    QQuickItem* next = nullptr;
    QMetaObject::invokeMethod(titles, "itemAtIndex", Q_RETURN_ARG(QQuickItem*, next),
                              Q_ARG(int, 0));
    QString added;
    if (next)
        QMetaObject::invokeMethod(shoppingList, "addRecipe", Q_RETURN_ARG(QString, added),
                                  Q_ARG(QString, next->property("path").toString()));
    bool rowAdded = false;
    QMetaObject::invokeMethod(shoppingList, "addRow", Q_RETURN_ARG(bool, rowAdded),
                              Q_ARG(QString, QStringLiteral("coffee")));
    QMetaObject::invokeMethod(shoppingList, "setTicked", Q_ARG(int, 1), Q_ARG(bool, true));

    QObject* drawer = window->property("globalDrawer").value<QObject*>();
    QObject* showList = actionNamed(drawer, "shoppingListAction");
    if (!showList || !QMetaObject::invokeMethod(showList, "trigger"))
        return EXIT_FAILURE;
    if (!waitFor([&] { return pageStack->property("depth").toInt() == 2 && settled(); }))
        return EXIT_FAILURE;
    if (!save(window, output.filePath(QStringLiteral("saltrovetouch-shopping-list.png"))))
        return EXIT_FAILURE;

    // Find: a word and two ingredients, one of them missing from some.
    QObject* find = actionNamed(drawer, "findAction");
    if (!find || !QMetaObject::invokeMethod(find, "trigger"))
        return EXIT_FAILURE;
    if (!waitFor([&] { return pageStack->property("depth").toInt() == 2 && settled(); }))
        return EXIT_FAILURE;
    QObject* findPage = pageStack->property("currentItem").value<QObject*>();
    QObject* search = findPage ? findPage->property("search").value<QObject*>() : nullptr;
    if (!search)
        return EXIT_FAILURE;
    QMetaObject::invokeMethod(search, "chooseIngredient", Q_ARG(QString, QStringLiteral("onion")));
    QMetaObject::invokeMethod(search, "chooseIngredient", Q_ARG(QString, QStringLiteral("garlic")));
    if (!waitFor([&] {
            return search->property("status").toString().endsWith(QLatin1String(" recipes"));
        }))
        return EXIT_FAILURE;
    waitFor([] { return false; }, 300); // the list lays out its rows
    if (!save(window, output.filePath(QStringLiteral("saltrovetouch-find.png"))))
        return EXIT_FAILURE;
    return EXIT_SUCCESS;
}
