// Takes the README's picture of the desktop program: the main window on a
// cookbook, offscreen, once the collection is scanned and one recipe is shown,
// with the folder tree open beside it.
//
//   desktop_screenshot <cookbook folder> <output.png> [recipe title]

#include "mainwindow.h"
#include "screenshotsupport.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QDockWidget>
#include <QStatusBar>
#include <QTimer>
#include <QTreeView>

#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: desktop_screenshot <cookbook> <output.png> [title]\n");
        return 2;
    }
    const QString cookbook = QDir(args.at(1)).absolutePath();
    const QString output = args.at(2);
    const QString title = args.size() > 3 ? args.at(3) : QStringLiteral("Oat and Honey Bread");

    // Never the user's own settings.
    screenshot::prepareWindowOn(cookbook);

    MainWindow window;
    window.resize(1200, 760);
    window.show();

    int status = 1;
    auto grab = [&] {
        status = window.grab().save(output) ? 0 : 1;
        QCoreApplication::quit();
    };
    auto showRecipe = [&] {
        // The title list is the second dock of its tab group; bring it up.
        window.findChild<QDockWidget*>(QStringLiteral("Title"))->raise();
        auto* titles = window.findChild<QDockWidget*>(QStringLiteral("Title"))
                           ->widget()
                           ->findChild<QAbstractItemView*>();
        const QModelIndexList found = titles->model()->match(
            titles->model()->index(0, 0), Qt::DisplayRole, title, 1, Qt::MatchExactly);
        if (!found.isEmpty()) {
            titles->setCurrentIndex(found.first());
            emit titles->clicked(found.first());
        }
        auto* tags =
            qobject_cast<QTreeView*>(window.findChild<QDockWidget*>(QStringLiteral("Tags"))
                                         ->widget()
                                         ->findChild<QAbstractItemView*>());
        if (tags && tags->model()) {
            const QModelIndexList oven = tags->model()->match(
                tags->model()->index(0, 0), Qt::DisplayRole, QStringLiteral("oven"), 1);
            if (!oven.isEmpty())
                tags->expand(oven.first());
        }
        // The folder tree, with titles in place of file names, in front of
        // the title list. Folders are read as they are opened, so open them
        // twice: the second round reaches the folders the first one found.
        window.findChild<QDockWidget*>(QStringLiteral("Recipes"))->raise();
        auto* folders =
            qobject_cast<QTreeView*>(window.findChild<QDockWidget*>(QStringLiteral("Recipes"))
                                         ->widget()
                                         ->findChild<QAbstractItemView*>());
        if (folders)
            folders->expandAll();
        QTimer::singleShot(400, &window, [&, folders] {
            if (folders)
                folders->expandAll();
            QTimer::singleShot(400, &window, grab);
        });
    };
    QObject::connect(window.statusBar(), &QStatusBar::messageChanged, &window,
                     [&](const QString& message) {
                         if (message.startsWith(QStringLiteral("Found")))
                             QTimer::singleShot(300, &window, showRecipe);
                     });
    // Gives up rather than hang when nothing is found.
    QTimer::singleShot(60000, &window, [] { QCoreApplication::exit(1); });
    const int result = QApplication::exec();
    return result ? result : status;
}
