// Takes the README's picture of the Find pane: the main window on a cookbook,
// offscreen, with the Find dock shown, a word typed, two ingredients chosen
// and the first result shown in the recipe view.
//
//   desktop_find_screenshot <cookbook folder> <output.png> <text> <ingredient>...

#include "find/findpane.h"
#include "mainwindow.h"
#include "screenshotsupport.h"
#include "search/recipesearch.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDockWidget>
#include <QLineEdit>
#include <QStatusBar>
#include <QTimer>

#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 4) {
        std::fprintf(
            stderr,
            "usage: desktop_find_screenshot <cookbook> <output.png> <text> [ingredient...]\n");
        return 2;
    }
    const QString cookbook = QDir(args.at(1)).absolutePath();
    const QString output = args.at(2);
    const QString text = args.at(3);
    const QStringList ingredients = args.mid(4);

    // Never the user's own settings.
    screenshot::prepareWindowOn(cookbook);

    MainWindow window;
    window.resize(1200, 760);
    window.show();

    int status = 1;
    auto* dock = window.findChild<QDockWidget*>(QStringLiteral("Find"));
    auto* results = dock->findChild<QAbstractItemView*>(QStringLiteral("findResults"));
    auto grab = [&] {
        status = window.grab().save(output) ? 0 : 1;
        QCoreApplication::quit();
    };
    auto showFirst = [&] {
        if (results->model()->rowCount() > 0) {
            const QModelIndex first = results->model()->index(0, 0);
            results->setCurrentIndex(first);
            emit results->clicked(first);
        }
        QTimer::singleShot(300, &window, grab);
    };
    auto find = [&] {
        window.findChild<QAction*>(QStringLiteral("findAction"))->trigger();
        RecipeSearch* search = qobject_cast<FindPane*>(dock->widget())->search();
        for (const QString& ingredient : ingredients)
            search->chooseIngredient(ingredient);
        auto* field = dock->findChild<QLineEdit*>(QStringLiteral("findText"));
        field->setText(text);
        emit field->returnPressed();
        QTimer::singleShot(600, &window, showFirst);
    };
    QObject::connect(window.statusBar(), &QStatusBar::messageChanged, &window,
                     [&](const QString& message) {
                         if (message.startsWith(QStringLiteral("Found")))
                             QTimer::singleShot(300, &window, find);
                     });
    // Gives up rather than hang when nothing is found.
    QTimer::singleShot(60000, &window, [] { QCoreApplication::exit(1); });
    const int result = QApplication::exec();
    return result ? result : status;
}
