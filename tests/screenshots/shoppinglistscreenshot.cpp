// Takes the README's picture of the shopping list: the main window on a
// cookbook, offscreen, with two recipes on the list, one of them doubled.
//
//   shoppinglist_screenshot <cookbook folder> <output.png> <title> <title>

#include "mainwindow.h"
#include "screenshotsupport.h"
#include "shopping/shoppinglistpane.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDockWidget>
#include <QStatusBar>
#include <QTableView>
#include <QTimer>

#include <cstdio>

namespace {

// Makes the recipe of that title the active one, as a click in the title list.
bool chooseTitle(MainWindow& window, const QString& title)
{
    auto* titles = window.findChild<QDockWidget*>(QStringLiteral("Title"))
                       ->widget()
                       ->findChild<QAbstractItemView*>();
    if (!titles->model())
        return false;
    const QModelIndexList found = titles->model()->match(
        titles->model()->index(0, 0), Qt::DisplayRole, title, 1, Qt::MatchExactly);
    if (found.isEmpty())
        return false;
    titles->setCurrentIndex(found.first());
    emit titles->clicked(found.first());
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 5) {
        std::fprintf(stderr, "usage: shoppinglist_screenshot <cookbook> <output.png> <title> "
                             "<title>\n");
        return 2;
    }
    const QString cookbook = QDir(args.at(1)).absolutePath();
    const QString output = args.at(2);

    screenshot::prepareWindowOn(cookbook);

    MainWindow window;
    window.resize(1200, 760);
    window.show();

    int status = 1;
    auto fillList = [&] {
        auto* dock = window.findChild<QDockWidget*>(QStringLiteral("Shopping list"));
        auto* pane = qobject_cast<ShoppingListPane*>(dock->widget());
        for (const QString& title : {args.at(3), args.at(4)}) {
            if (!chooseTitle(window, title)) {
                std::fprintf(stderr, "no recipe titled %s\n", qPrintable(title));
                QCoreApplication::exit(1);
                return;
            }
            pane->addCurrentRecipe();
        }
        // The first recipe doubled, so that the picture shows scaling too.
        QAbstractItemModel* recipes =
            pane->findChild<QTableView*>(QStringLiteral("shoppingRecipes"))->model();
        recipes->setData(recipes->index(0, 1), 4);
        window.findChild<QAction*>(QStringLiteral("shoppingListAction"))->trigger();
        window.resizeDocks({dock}, {430}, Qt::Horizontal);
        QTimer::singleShot(400, &window, [&] {
            status = window.grab().save(output) ? 0 : 1;
            QCoreApplication::quit();
        });
    };
    QObject::connect(window.statusBar(), &QStatusBar::messageChanged, &window,
                     [&](const QString& message) {
                         if (message.startsWith(QStringLiteral("Found")))
                             QTimer::singleShot(300, &window, fillList);
                     });
    // Gives up rather than hang when nothing is found.
    QTimer::singleShot(60000, &window, [] { QCoreApplication::exit(1); });
    const int result = QApplication::exec();
    return result ? result : status;
}
