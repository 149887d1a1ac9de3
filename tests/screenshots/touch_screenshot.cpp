// Renders the touch program's main page and one recipe page offscreen, as
// PNG pictures for the README: touch_screenshot <cookbook> <output folder>.
// Run it with a throw-away HOME (scripts/screenshot-touch.sh does).
#include "qmltypes.h"
#include "recipeimageprovider.h"

#include <QAbstractItemModel>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QQmlApplicationEngine>
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
    }
    return EXIT_SUCCESS;
}
