// Takes the README's picture of the cooking view: the main window on a
// cookbook, offscreen, "Cook" on one recipe at twice its servings, on a step
// with a span of time whose timer runs.
//
//   cooking_screenshot <cookbook folder> <output.png> <title> <step>

#include "cooking/cookingtimers.h"
#include "cooking/cookingview.h"
#include "mainwindow.h"
#include "screenshotsupport.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDockWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
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
    // No session bus: the picture needs neither the screen saver nor
    // notifications.
    qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent");
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 5) {
        std::fprintf(stderr, "usage: cooking_screenshot <cookbook> <output.png> <title> <step>\n");
        return 2;
    }
    const QString cookbook = QDir(args.at(1)).absolutePath();
    const QString output = args.at(2);
    screenshot::prepareWindowOn(cookbook);

    MainWindow window;
    window.resize(1200, 760);
    window.show();

    int status = 1;
    auto cook = [&] {
        if (!chooseTitle(window, args.at(3))) {
            std::fprintf(stderr, "no recipe titled %s\n", qPrintable(args.at(3)));
            QCoreApplication::exit(1);
            return;
        }
        window.findChild<QAction*>(QStringLiteral("cookAction"))->trigger();
        auto* view = window.findChild<CookingView*>(QStringLiteral("cookingView"));
        // A window of a laptop's size rather than the offscreen screen's.
        view->showNormal();
        view->resize(1280, 800);
        if (auto* servings = view->findChild<QSpinBox*>(QStringLiteral("cookingServings")))
            servings->setValue(servings->value() * 2);
        view->showStep(args.at(4).toInt() - 1);
        if (auto* timer = view->findChild<QPushButton*>(QStringLiteral("cookingTimerButton")))
            timer->click();
        view->findChild<QAbstractItemView*>(QStringLiteral("cookingIngredients"))
            ->model()
            ->setData(view->findChild<QAbstractItemView*>(QStringLiteral("cookingIngredients"))
                          ->model()
                          ->index(0, 0),
                      Qt::Checked, Qt::CheckStateRole);
        QTimer::singleShot(1500, view, [&, view] {
            status = view->grab().save(output) ? 0 : 1;
            QCoreApplication::quit();
        });
    };
    QObject::connect(window.statusBar(), &QStatusBar::messageChanged, &window,
                     [&](const QString& message) {
                         if (message.startsWith(QStringLiteral("Found")))
                             QTimer::singleShot(300, &window, cook);
                     });
    // Gives up rather than hang when nothing is found.
    QTimer::singleShot(60000, &window, [] { QCoreApplication::exit(1); });
    const int result = QApplication::exec();
    return result ? result : status;
}
