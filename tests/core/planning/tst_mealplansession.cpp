#include "planning/mealplandaysmodel.h"
#include "planning/mealplanfile.h"
#include "planning/mealplansession.h"
#include "shopping/shoppinglistfile.h"
#include "shopping/shoppinglistsession.h"
#include "support/otherprocess.h"
#include "support/recipefiles.h"
#include "support/unprivileged.h"

#include <QAbstractItemModelTester>
#include <QCoreApplication>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

namespace {

const QDate monday(2026, 12, 14);

QString writeRecipe(const QString& folder, const QString& relative, const QByteArray& text)
{
    const QString path = QDir(folder).filePath(relative);
    return testing::writeFile(path, text) ? path : QString();
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString iso(const QDate& day)
{
    return day.toString(Qt::ISODate);
}

// The entries shown for each shown day that has any, as "day: entry; entry".
QStringList shown(const MealPlanSession& session)
{
    QStringList days;
    const QAbstractItemModel* model = session.daysModel();
    for (int row = 0; row < model->rowCount(); ++row) {
        const QModelIndex index = model->index(row, 0);
        QStringList entries;
        for (const QVariant& entry : index.data(MealPlanDaysModel::EntriesRole).toList())
            entries.append(entry.toMap().value(QStringLiteral("display")).toString());
        if (!entries.isEmpty())
            days.append(index.data(MealPlanDaysModel::IsoDateRole).toString() +
                        QStringLiteral(": ") + entries.join(QStringLiteral("; ")));
    }
    return days;
}

} // namespace

class MealPlanSessionTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> dir;
    QString dal;
    QString tarte;

    QString planPath() const { return dir->filePath(MealPlanFile::fileName()); }

    std::unique_ptr<MealPlanSession> openSession()
    {
        auto session = std::make_unique<MealPlanSession>();
        session->setToday(monday);
        session->setCollectionPath(dir->path());
        return session;
    }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setOrganizationName(QStringLiteral("vantrel.org"));
        QCoreApplication::setApplicationName(QStringLiteral("Saltrove"));
        QLocale::setDefault(QLocale(QLocale::English));
    }

    void init()
    {
        QSettings().clear();
        QSettings().setValue(QStringLiteral("ShoppingListFile/movedToFile"), true);
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(dir->isValid());
        dal = writeRecipe(dir->path(), QStringLiteral("Soups/red lentil dal.recipe.md"),
                          "# Red lentil dal\n\n### Ingredients\n\n * 250 g red lentils\n"
                          " * 1 onion\n\n### Metadata\n\nservings: 4\n");
        tarte = writeRecipe(dir->path(), QStringLiteral("Backen/Käse-Tarte.recipe.md"),
                            "# Käse Tarte\n\n### Ingredients\n\n * 200 g Mehl\n"
                            " * 150 g Bergkäse\n");
        QVERIFY(!dal.isEmpty() && !tarte.isEmpty());
    }

    void plansAWeekFromToday()
    {
        auto session = openSession();
        QAbstractItemModelTester tester(session->daysModel(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QVERIFY(session->keptInFile());
        QVERIFY(session->planRecipe(dal, iso(monday), 4));
        QVERIFY(session->planRecipe(tarte, iso(monday.addDays(1))));
        QVERIFY(!session->planRecipe(dir->filePath("gone.recipe.md"), iso(monday)));
        QVERIFY(!session->planRecipe(dal, QStringLiteral("next Monday")));
        QCOMPARE(QString::fromUtf8(readFile(planPath())),
                 QStringLiteral("# Meal plan\n\n## 2026-12-14 Monday\n\n"
                                "- [Red lentil dal](Soups/red%20lentil%20dal.recipe.md) for 4\n\n"
                                "## 2026-12-15 Tuesday\n\n"
                                "- [Käse Tarte](Backen/K%C3%A4se-Tarte.recipe.md)\n"));
        QCOMPARE(shown(*session),
                 (QStringList{"2026-12-14: Red lentil dal, for 4", "2026-12-15: Käse Tarte"}));
        const QAbstractItemModel* days = session->daysModel();
        QCOMPARE(days->rowCount(), 7);
        QVERIFY(days->index(0, 0).data(MealPlanDaysModel::TodayRole).toBool());
        QVERIFY(!days->index(1, 0).data(MealPlanDaysModel::TodayRole).toBool());
        QCOMPARE(days->index(0, 0).data().toString(), QStringLiteral("Monday 14 December"));
        // The plan of any program, through the free function.
        QCOMPARE(readMealPlan(dir->path()).size(), 2);
        QCOMPARE(readMealPlan(dir->path()).first().recipePath, dal);
    }

    void showsWeeksAcrossTheYearsEnd()
    {
        auto session = openSession();
        session->setToday(QDate(2026, 12, 29));
        QVERIFY(session->planRecipe(dal, QStringLiteral("2027-01-02"), 2));
        QCOMPARE(shown(*session), QStringList{"2027-01-02: Red lentil dal, for 2"});
        QCOMPARE(session->weekTitle(), QStringLiteral("29 December to 4 January 2027"));
        session->showLaterWeek();
        QCOMPARE(session->weekStart(), QDate(2027, 1, 5));
        QCOMPARE(shown(*session), QStringList());
        session->showEarlierWeek();
        session->showEarlierWeek();
        QCOMPARE(session->daysModel()->index(0, 0).data(MealPlanDaysModel::PastRole).toBool(),
                 true);
        session->showThisWeek();
        QCOMPARE(session->weekStart(), QDate(2026, 12, 29));
    }

    void movesChangesAndRemovesEntries()
    {
        QVERIFY(testing::writeFile(
            planPath(),
            "# Meal plan\n\nWritten on the phone.\n\n## 2026-12-14 Montag\n\n"
            "- Lunch: leftovers\n"
            "- Dinner: [Red lentil dal](Soups/red%20lentil%20dal.recipe.md)\n\n"
            "## 2026-12-16 Mittwoch\n\n- [Käse Tarte](Backen/Käse-Tarte.recipe.md) ×2\n"));
        auto session = openSession();
        session->setServings(iso(monday), 1, 6);
        session->moveEntry(iso(monday), 1, iso(monday.addDays(2)));
        session->removeEntry(iso(monday.addDays(2)), 0);
        session->removeEntry(iso(monday.addDays(2)), 5);
        QCOMPARE(QString::fromUtf8(readFile(planPath())),
                 QStringLiteral("# Meal plan\n\nWritten on the phone.\n\n## 2026-12-14 Montag\n\n"
                                "- Lunch: leftovers\n\n## 2026-12-16 Mittwoch\n\n"
                                "- Dinner: [Red lentil dal](Soups/red%20lentil%20dal.recipe.md) "
                                "for 6\n"));
    }

    void pastDaysStayUntilCleared()
    {
        QVERIFY(testing::writeFile(
            planPath(), "# Meal plan\n\n## 2026-12-01 Dienstag\n\n- Raclette\n\nLecker!\n\n"
                        "## 2026-12-13\n\n- Lunch: leftovers\n\n## 2026-12-14 Monday\n\n"
                        "- Dinner: dal\n"));
        auto session = openSession();
        QVERIFY(session->planRecipe(tarte, iso(monday.addDays(1))));
        QCOMPARE(session->pastDays(), 2);
        QVERIFY(readFile(planPath())
                    .startsWith("# Meal plan\n\n## 2026-12-01 Dienstag\n\n"
                                "- Raclette\n\nLecker!\n"));
        session->clearPastDays();
        QCOMPARE(session->pastDays(), 0);
        QCOMPARE(
            readFile(planPath()),
            QByteArray(
                "# Meal plan\n\n## 2026-12-14 Monday\n\n- Dinner: dal\n\n"
                "## 2026-12-15 Tuesday\n\n- [Käse Tarte](Backen/K%C3%A4se-Tarte.recipe.md)\n"));
    }

    void keepsWhatAnotherDeviceWroteMeanwhile()
    {
        auto phone = openSession();
        auto laptop = openSession();
        QVERIFY(phone->planRecipe(dal, iso(monday)));
        // The laptop has not heard of it yet, and writes another day.
        QVERIFY(laptop->planRecipe(tarte, iso(monday.addDays(3)), 2));
        const QList<PlannedMeal> meals = readMealPlan(dir->path());
        QCOMPARE(meals.size(), 2);
        QCOMPARE(meals.at(0).title, QStringLiteral("Red lentil dal"));
        QCOMPARE(meals.at(1).title, QStringLiteral("Käse Tarte"));
        // An entry is named as the laptop shows it, though another program
        // put one before it meanwhile.
        QVERIFY(otherprocess::writeFile(planPath(),
                                        "## 2026-12-14\n\n- Lunch: leftovers\n"
                                        "- [Red lentil dal](Soups/red%20lentil%20dal.recipe.md)\n",
                                        false));
        laptop->removeEntry(iso(monday), 0);
        QCOMPARE(readFile(planPath()), QByteArray("## 2026-12-14\n\n- Lunch: leftovers\n"));
    }

    void followsTheFileOnDisk_data()
    {
        QTest::addColumn<bool>("renameOver");
        QTest::newRow("written in place") << false;
        QTest::newRow("renamed over") << true;
    }

    void followsTheFileOnDisk()
    {
        QFETCH(bool, renameOver);
        auto session = openSession();
        QVERIFY(session->planRecipe(dal, iso(monday)));
        const QList<QPair<QByteArray, QString>> edits{{"- 晚饭：饺子", "饺子"},
                                                      {"- Dîner : crêpes", "crêpes"}};
        for (const auto& [entry, text] : edits) {
            QVERIFY(otherprocess::writeFile(planPath(), "## 2026-12-15 Dienstag\n\n" + entry + "\n",
                                            renameOver));
            QTRY_COMPARE(shown(*session).value(0).section(QLatin1Char(':'), -1).trimmed(), text);
        }
    }

    void putsTheShownDaysOnTheShoppingList()
    {
        auto session = openSession();
        ShoppingListSession list;
        list.setCollectionPath(dir->path());
        QCOMPARE(session->addShownDaysToShoppingList(&list),
                 QStringLiteral("No recipes planned on these days"));
        QVERIFY(session->planRecipe(dal, iso(monday), 2));
        QVERIFY(session->planRecipe(dal, iso(monday.addDays(3))));
        QVERIFY(session->planRecipe(tarte, iso(monday.addDays(4))));
        QVERIFY(session->planRecipe(tarte, iso(monday.addDays(5))));
        // Next week's is not shown, so not bought.
        QVERIFY(session->planRecipe(dal, iso(monday.addDays(7)), 10));
        QCOMPARE(session->addShownDaysToShoppingList(&list),
                 QStringLiteral("2 recipe(s) added to the shopping list"));
        const QString text =
            QString::fromUtf8(readFile(dir->filePath(ShoppingListFile::fileName())));
        QVERIFY2(text.contains(QStringLiteral(
                     "[Red lentil dal](Soups/red%20lentil%20dal.recipe.md) 6 servings")),
                 qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("[Käse Tarte](Backen/Käse-Tarte.recipe.md) ×2")),
                 qPrintable(text));
        // The list's own rows, merged: 250 g for 4 servings, 375 g for 6.
        QVERIFY2(text.contains(QStringLiteral("375 g red lentils")), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("400 g Mehl")), qPrintable(text));
        // Already there: left as it is.
        QCOMPARE(session->addShownDaysToShoppingList(&list),
                 QStringLiteral("0 recipe(s) added to the shopping list"));
    }

    void neverWritesAFileItCannotRead()
    {
        const QByteArray latin1("## 2026-12-14\n\n- K\xe4sesp\xe4tzle\n");
        QVERIFY(testing::writeFile(planPath(), latin1));
        auto session = openSession();
        QSignalSpy said(session.get(), &MealPlanSession::message);
        session->setCollectionPath(dir->path());
        QVERIFY(!session->keptInFile());
        QVERIFY(session->planRecipe(dal, iso(monday)));
        QCOMPARE(readFile(planPath()), latin1);
        QCOMPARE(shown(*session), QStringList{"2026-12-14: Red lentil dal"});
        // Kept in the settings, for the next start.
        MealPlanSession later;
        later.setToday(monday);
        QCOMPARE(shown(later), QStringList{"2026-12-14: Red lentil dal"});
    }

    void aFolderThatCannotBeWrittenIsLeftAlone()
    {
        SALTROVE_RUN_UNPRIVILEGED();
        QVERIFY(testing::writeFile(planPath(), "## 2026-12-15\n\n- Lunch: leftovers\n"));
        QVERIFY(::chmod(QFile::encodeName(dir->path()).constData(), 0555) == 0);
        MealPlanSession session;
        session.setToday(monday);
        QSignalSpy said(&session, &MealPlanSession::message);
        session.setCollectionPath(dir->path());
        QVERIFY(!session.keptInFile());
        QVERIFY(session.planRecipe(dal, iso(monday)));
        session.setCollectionPath(dir->path());
        QCOMPARE(said.size(), 1);
        QVERIFY(said.first().first().toString().contains(dir->path()));
        // What the file said is where the kept plan starts; the file stays.
        QCOMPARE(shown(session),
                 (QStringList{"2026-12-14: Red lentil dal", "2026-12-15: Lunch: leftovers"}));
        QCOMPARE(readFile(planPath()), QByteArray("## 2026-12-15\n\n- Lunch: leftovers\n"));
        ::chmod(QFile::encodeName(dir->path()).constData(), 0755);
    }
};

QTEST_GUILESS_MAIN(MealPlanSessionTest)

#include "tst_mealplansession.moc"
