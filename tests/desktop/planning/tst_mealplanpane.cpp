#include "browse/listpane.h"
#include "mainwindow.h"
#include "planning/mealplanfile.h"
#include "planning/mealplanpane.h"
#include "planning/mealplansession.h"
#include "shopping/shoppinglistpane.h"
#include "support/desktoptesthelpers.h"
#include "support/otherprocess.h"

#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

using namespace testing;

namespace {

constexpr int scanTimeout = 60000;
const QString dockName = QStringLiteral("mealPlanDock");

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QTreeWidget* daysView(QWidget& pane)
{
    return pane.findChild<QTreeWidget*>(QStringLiteral("mealPlanDays"));
}

// Each day as shown, its entries after it indented.
QStringList shownDays(QWidget& pane)
{
    QStringList texts;
    const QTreeWidget* view = daysView(pane);
    for (int i = 0; i < view->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* day = view->topLevelItem(i);
        texts.append(day->text(0));
        for (int j = 0; j < day->childCount(); ++j)
            texts.append(QStringLiteral("  ") + day->child(j)->text(0));
    }
    return texts;
}

QString dayText(const QDate& day)
{
    return QLocale().toString(day, QStringLiteral("dddd d MMMM"));
}

void click(QWidget& pane, const char* button)
{
    auto* found = pane.findChild<QPushButton*>(QLatin1String(button));
    QVERIFY2(found, button);
    QTest::mouseClick(found, Qt::LeftButton);
}

void chooseEntry(QWidget& pane, int day, int entry)
{
    QTreeWidget* view = daysView(pane);
    view->setCurrentItem(view->topLevelItem(day)->child(entry));
}

} // namespace

class MealPlanPaneTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> book;
    QString dal;
    QString longTitle;
    QDate today;

    QString planPath() const { return book->filePath(MealPlanFile::fileName()); }

    void openWindow(MainWindow& window)
    {
        window.resize(800, 600);
        window.show();
        QTRY_COMPARE_WITH_TIMEOUT(statusText(window), QStringLiteral("Found 2 recipes"),
                                  scanTimeout);
    }

private slots:
    void initTestCase()
    {
        useTestIdentity();
        QLocale::setDefault(QLocale(QLocale::English));
    }

    void init()
    {
        QSettings settings;
        settings.clear();
        settings.setValue(QStringLiteral("ShoppingListFile/movedToFile"), true);
        book = std::make_unique<QTemporaryDir>();
        dal = book->filePath(QStringLiteral("Soups/red lentil dal.recipe.md"));
        QVERIFY(writeFile(dal, "# Red lentil dal\n\n### Ingredients\n\n * 250 g red lentils\n\n"
                               "### Metadata\n\nservings: 4\n"));
        longTitle = QStringLiteral("Omas badische Schwarzwälder Kirschtorte mit extra viel "
                                   "Kirschwasser, Sahne und Schokoladenraspeln für die "
                                   "Weihnachtsfeier 黑森林蛋糕");
        QVERIFY(writeFile(book->filePath(QStringLiteral("Backen/Kirschtorte.recipe.md")),
                          "# " + longTitle.toUtf8() + "\n\n### Ingredients\n\n * 200 g Mehl\n"));
        settings.setValue(QStringLiteral("General/location"), book->path());
        today = QDate::currentDate();
    }

    void theDockIsHiddenUntilItsActionShowsIt()
    {
        MainWindow window;
        openWindow(window);
        auto* dock = window.findChild<QDockWidget*>(dockName);
        QVERIFY(dock);
        QCOMPARE(dock->windowTitle(), QStringLiteral("Meal plan"));
        QVERIFY(!dock->isVisible());
        windowAction(window, QStringLiteral("mealPlanAction"))->trigger();
        QTRY_VERIFY(dock->isVisible());
        // Seven days from today, today standing out.
        const QStringList days = shownDays(*dock->widget());
        QCOMPARE(days.size(), 7);
        QCOMPARE(days.first(), QStringLiteral("Today, ") + dayText(today));
        QCOMPARE(days.last(), dayText(today.addDays(6)));
        const QTreeWidgetItem* first = daysView(*dock->widget())->topLevelItem(0);
        const QTreeWidgetItem* second = daysView(*dock->widget())->topLevelItem(1);
        QVERIFY(first->background(0) != second->background(0));
        click(*dock->widget(), "laterWeekButton");
        QCOMPARE(shownDays(*dock->widget()).first(), dayText(today.addDays(7)));
        click(*dock->widget(), "earlierWeekButton");
        click(*dock->widget(), "earlierWeekButton");
        QCOMPARE(shownDays(*dock->widget()).first(), dayText(today.addDays(-7)));
    }

    void plansTheActiveRecipeOnTheChosenDay()
    {
        MainWindow window;
        openWindow(window);
        MealPlanPane* pane = window.mealPlan();
        QList<QString> asked;
        MealPlanPane::PlannedDay answer{today.addDays(2), 3};
        pane->setDayQuestion([&](const QString& title) {
            asked.append(title);
            return answer;
        });
        QAction* plan = windowAction(window, QStringLiteral("planRecipeAction"));
        plan->trigger();
        QCOMPARE(statusText(window), QStringLiteral("No recipe to plan"));
        emit dockPane<ListPane>(window, QStringLiteral("Title"))->fileSelected(dal);
        plan->trigger();
        QCOMPARE(asked, QStringList{"Red lentil dal"});
        QCOMPARE(shownDays(*pane).mid(2, 3),
                 (QStringList{dayText(today.addDays(2)), "  Red lentil dal, for 3",
                              dayText(today.addDays(3))}));
        QVERIFY(readFile(planPath())
                    .contains("\n- [Red lentil dal](Soups/red%20lentil%20dal.recipe.md) for 3\n"));
        // A day beyond the week shows its week.
        answer = {today.addDays(30), 0};
        plan->trigger();
        QCOMPARE(window.mealPlan()->session()->weekStart(), today.addDays(30));
        QCOMPARE(shownDays(*pane).mid(0, 2),
                 (QStringList{dayText(today.addDays(30)), "  Red lentil dal"}));
        answer = {};
        plan->trigger();
        QCOMPARE(statusText(window), QStringLiteral("Cancelled"));
        QCOMPARE(readMealPlan(book->path()).size(), 2);
    }

    void entriesAreMovedChangedAndRemoved()
    {
        MainWindow window;
        openWindow(window);
        MealPlanPane* pane = window.mealPlan();
        pane->dropRecipes({dal, dal}, today.addDays(1));
        chooseEntry(*pane, 1, 1);
        auto* servings = pane->findChild<QSpinBox*>(QStringLiteral("servingsBox"));
        QVERIFY(servings->isEnabled());
        servings->setValue(6);
        QCOMPARE(shownDays(*pane).mid(1, 3),
                 (QStringList{dayText(today.addDays(1)), "  Red lentil dal",
                              "  Red lentil dal, for 6"}));
        // Still the chosen one after the change.
        QCOMPARE(daysView(*pane)->currentItem()->text(0), QStringLiteral("Red lentil dal, for 6"));
        pane->moveCurrentEntry(today.addDays(4));
        QCOMPARE(readMealPlan(book->path()).last().day, today.addDays(4));
        QCOMPARE(readMealPlan(book->path()).last().servings, 6);
        chooseEntry(*pane, 1, 0);
        click(*pane, "removeEntryButton");
        QCOMPARE(readMealPlan(book->path()).size(), 1);
        QCOMPARE(shownDays(*pane).count(QStringLiteral("  Red lentil dal, for 6")), 1);
    }

    void clearsPastDaysWhenTheUserSaysSo()
    {
        QVERIFY(writeFile(planPath(), "## 2020-02-29 Samstag\n\n- Fondue\n"));
        MainWindow window;
        openWindow(window);
        MealPlanPane* pane = window.mealPlan();
        QList<int> asked;
        bool answer = false;
        pane->setClearQuestion([&](int days) {
            asked.append(days);
            return answer;
        });
        click(*pane, "clearPastDaysButton");
        QCOMPARE(readMealPlan(book->path()).size(), 1);
        answer = true;
        click(*pane, "clearPastDaysButton");
        QCOMPARE(asked, (QList<int>{1, 1}));
        QCOMPARE(readMealPlan(book->path()).size(), 0);
        click(*pane, "clearPastDaysButton");
        QCOMPARE(asked.size(), 2);
        QCOMPARE(statusText(window), QStringLiteral("No past days in the plan"));
    }

    void putsTheShownDaysOnTheShoppingList()
    {
        MainWindow window;
        openWindow(window);
        MealPlanPane* pane = window.mealPlan();
        pane->dropRecipes({dal}, today);
        pane->dropRecipes({dal}, today.addDays(6));
        click(*pane, "addDaysToShoppingListButton");
        QCOMPARE(statusText(window), QStringLiteral("1 recipe(s) added to the shopping list"));
        const QByteArray list = readFile(book->filePath(QStringLiteral("shopping-list.md")));
        QVERIFY2(list.contains("(Soups/red%20lentil%20dal.recipe.md) 8 servings\n"),
                 list.constData());
        QVERIFY2(list.contains("- [ ] 500 g red lentils\n"), list.constData());
    }

    void followsThePlanWrittenElsewhere()
    {
        MainWindow window;
        openWindow(window);
        MealPlanPane* pane = window.mealPlan();
        const QByteArray phone =
            "# Meal plan\n\n## " + today.toString(Qt::ISODate).toUtf8() +
            " Montag\n\n- Abendessen: [Dal](Soups/red%20lentil%20dal.recipe.md) "
            "for 2\n";
        QVERIFY(otherprocess::writeFile(planPath(), phone, true));
        QTRY_COMPARE(shownDays(*pane).value(1), QStringLiteral("  Abendessen: Dal, for 2"));
        // An entry opens its recipe.
        QTreeWidget* view = daysView(*pane);
        emit view->itemActivated(view->topLevelItem(0)->child(0), 0);
        QTRY_VERIFY(shownText(window).contains(QStringLiteral("Red lentil dal")));
    }

    void longTitlesScrollInASmallWindow()
    {
        MainWindow window;
        openWindow(window);
        windowAction(window, QStringLiteral("mealPlanAction"))->trigger();
        MealPlanPane* pane = window.mealPlan();
        pane->dropRecipes({book->filePath(QStringLiteral("Backen/Kirschtorte.recipe.md"))}, today);
        QTRY_VERIFY(pane->isVisible());
        QTreeWidget* view = daysView(*pane);
        QCOMPARE(view->topLevelItem(0)->child(0)->text(0), longTitle);
        QVERIFY(pane->width() < window.width());
        QVERIFY(window.width() <= 800);
        // Shown whole, a scroll bar away.
        QTRY_VERIFY(view->horizontalScrollBar()->maximum() > 0);
        QVERIFY(view->textElideMode() == Qt::ElideNone);
    }
};

QTEST_MAIN(MealPlanPaneTest)

#include "tst_mealplanpane.moc"
