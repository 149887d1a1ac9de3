#include "planning/mealplanfile.h"
#include "support/recipefiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString folder = QStringLiteral("/home/cook/Rezepte");

// One meal as "day|label|title|path below the folder|servings|halves".
QString described(const PlannedMeal& meal)
{
    const QString path =
        meal.recipePath.isEmpty() ? QString() : QDir(folder).relativeFilePath(meal.recipePath);
    return QStringLiteral("%1|%2|%3|%4|%5|%6")
        .arg(meal.day.toString(Qt::ISODate), meal.label, meal.title, path)
        .arg(meal.servings)
        .arg(meal.factorHalves);
}

QStringList described(const QList<PlannedMeal>& meals)
{
    QStringList all;
    for (const PlannedMeal& meal : meals)
        all.append(described(meal));
    return all;
}

const QString example =
    QStringLiteral("# Meal plan\n"
                   "\n"
                   "## 2026-12-14 Monday\n"
                   "\n"
                   "- Dinner: [Red lentil dal](Soups/red-lentil-dal.recipe.md) for 4\n"
                   "- Lunch: leftovers\n"
                   "\n"
                   "## 2026-12-15 Tuesday\n"
                   "\n"
                   "- [Käse Tarte](Backen/K%C3%A4se-Tarte.recipe.md) ×2\n");

} // namespace

class MealPlanFileTest : public QObject
{
    Q_OBJECT

private slots:
    void readsPlansAsPeopleWriteThem_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("meals");
        QTest::newRow("the program's own")
            << example
            << QStringList{"2026-12-14|Dinner|Red lentil dal|Soups/red-lentil-dal.recipe.md|4|0",
                           "2026-12-14|Lunch|leftovers||0|0",
                           "2026-12-15||Käse Tarte|Backen/Käse-Tarte.recipe.md|0|4"};
        QTest::newRow("German weekday first, ticked, star bullets")
            << QStringLiteral(
                   "Wochenplan der Familie\n\n### Montag, 2026-12-14\n"
                   "* [x] Abendessen: [Linsen-Dal](Suppen/Linsen%20Dal.recipe.md) for 2\n"
                   "* Mittag: Reste vom Sonntag\n")
            << QStringList{"2026-12-14|Abendessen|Linsen-Dal|Suppen/Linsen Dal.recipe.md|2|0",
                           "2026-12-14|Mittag|Reste vom Sonntag||0|0"};
        QTest::newRow("Japanese, full-width colon, link in angle brackets")
            << QStringLiteral("## 2026-12-16（水曜日）\n\n- 夕食：[カレー](<和食/カレー "
                              "ライス.recipe.md>) x1½\n")
            << QStringList{"2026-12-16|夕食|カレー|和食/カレー ライス.recipe.md|0|3"};
        QTest::newRow("French, a link that is no recipe, a web address")
            << QStringLiteral("## lundi 2026-12-14 — Noël approche\n\n"
                              "- Dîner : [la carte](https://example.org/menu)\n"
                              "- https://example.org/tarte-tatin\n")
            << QStringList{"2026-12-14|Dîner|[la carte](https://example.org/menu)||0|0",
                           "2026-12-14||https://example.org/tarte-tatin||0|0"};
        QTest::newRow("across a year's end, out of order")
            << QStringLiteral(
                   "## 2027-01-01 Friday\n\n- [Hoppin' John](Neujahr/hoppin-john.recipe.md)\n\n"
                   "## 2026-12-31 Thursday\n\n- Dinner: raclette\n")
            << QStringList{"2026-12-31|Dinner|raclette||0|0",
                           "2027-01-01||Hoppin' John|Neujahr/hoppin-john.recipe.md|0|0"};
        QTest::newRow("notes under a day's other heading, no dates, no days")
            << QStringLiteral(
                   "# Plan\n\n- not a day yet\n\n## 2026-02-30 nonsense\n\n"
                   "## 2026-12-17\n\n- 晚饭：[麻婆豆腐](川菜/麻婆豆腐.recipe.md) for 3\n\n"
                   "### Einkauf\n\n- Tofu nicht vergessen\n")
            << QStringList{"2026-12-17|晚饭|麻婆豆腐|川菜/麻婆豆腐.recipe.md|3|0"};
    }

    void readsPlansAsPeopleWriteThem()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, meals);
        QCOMPARE(described(MealPlanFile::parse(text, folder).meals()), meals);
    }

    void writesEntriesAsPeopleReadThem()
    {
        MealPlanFile plan = MealPlanFile::parse(QString(), folder);
        const QLocale english(QLocale::English);
        PlannedMeal dal{QDate(2026, 12, 14),
                        QStringLiteral("Dinner"),
                        folder + QStringLiteral("/Soups/red-lentil-dal.recipe.md"),
                        QStringLiteral("Red lentil dal"),
                        QString(),
                        4,
                        0};
        PlannedMeal tarte{QDate(2026, 12, 15),
                          QString(),
                          folder + QStringLiteral("/Backen/Käse-Tarte.recipe.md"),
                          QStringLiteral("Käse Tarte"),
                          QString(),
                          0,
                          4};
        PlannedMeal leftovers{QDate(2026, 12, 14),
                              QStringLiteral("Lunch"),
                              QString(),
                              QStringLiteral("leftovers"),
                              QStringLiteral("leftovers"),
                              0,
                              0};
        // Added out of order: days come out in date order.
        plan.add(tarte, english);
        plan.add(dal, english);
        plan.add(leftovers, english);
        QCOMPARE(plan.toText(), example);
        // What it wrote reads back as the same meals.
        QCOMPARE(described(MealPlanFile::parse(plan.toText(), folder).meals()),
                 described(plan.meals()));
    }

    void changesOnlyTheEntryItChanges()
    {
        const QString text =
            QStringLiteral("Our plan, synced with the phone.\r\n\r\n"
                           "## 2026-12-20 Sonntag\r\n\r\nNach dem Adventskonzert.\r\n\r\n"
                           "- Abendessen: [Gans](Feste/Gans.recipe.md) for 6\r\n"
                           "- [Rotkohl](Feste/Rotkohl.recipe.md)\r\n"
                           "  - mit Äpfeln\r\n\r\n### Getränke\r\n\r\n- Glühwein\r\n\r\n"
                           "## 2026-12-14 Monday\r\n\r\n- Lunch: leftovers\r\n");
        MealPlanFile plan = MealPlanFile::parse(text, folder);
        QVERIFY(plan.setAmount(QDate(2026, 12, 20), 1, 8, 0));
        QVERIFY(plan.remove(QDate(2026, 12, 14), 0));
        QVERIFY(!plan.remove(QDate(2026, 12, 14), 0));
        QVERIFY(!plan.setAmount(QDate(2026, 12, 21), 0, 2, 0));
        QCOMPARE(plan.toText(),
                 QStringLiteral("Our plan, synced with the phone.\r\n\r\n"
                                "## 2026-12-14 Monday\r\n\r\n"
                                "## 2026-12-20 Sonntag\r\n\r\nNach dem Adventskonzert.\r\n\r\n"
                                "- Abendessen: [Gans](Feste/Gans.recipe.md) for 6\r\n"
                                "- [Rotkohl](Feste/Rotkohl.recipe.md) for 8\r\n"
                                "  - mit Äpfeln\r\n\r\n### Getränke\r\n\r\n- Glühwein\r\n"));
        // An entry is found again by what it says.
        QCOMPARE(plan.indexOf(QDate(2026, 12, 20), QString(),
                              QStringLiteral("[Rotkohl](Feste/Rotkohl.recipe.md) for 8")),
                 1);
        QCOMPARE(plan.indexOf(QDate(2026, 12, 20), QStringLiteral("Abendessen"),
                              QStringLiteral("Glühwein")),
                 -1);
    }

    void linksReadBackToTheRecipe_data()
    {
        QTest::addColumn<QString>("relative");
        QTest::addColumn<QString>("link");
        QTest::newRow("plain") << "Soups/dal.recipe.md"
                               << "Soups/dal.recipe.md";
        QTest::newRow("blanks and brackets")
            << "Suppen/Tomatensuppe (schnell) für 4.recipe.md"
            << "Suppen/Tomatensuppe%20%28schnell%29%20f%C3%BCr%204.recipe.md";
        QTest::newRow("Chinese, hash, percent")
            << "川菜/#1 100% 辣.recipe.md"
            << "%E5%B7%9D%E8%8F%9C/%231%20100%25%20%E8%BE%A3.recipe.md";
    }

    void linksReadBackToTheRecipe()
    {
        QFETCH(QString, relative);
        QFETCH(QString, link);
        const QString path = folder + QLatin1Char('/') + relative;
        QCOMPARE(MealPlanFile::linkTo(folder, path), link);
        PlannedMeal meal;
        QVERIFY(MealPlanFile::readEntry(
            MealPlanFile::entryLine({QDate(2026, 1, 1), {}, path, "[x]", {}, 2, 0}, folder), folder,
            &meal));
        QCOMPARE(meal.recipePath, path);
        QCOMPARE(meal.title, QStringLiteral("[x]"));
        QCOMPARE(meal.servings, 2);
    }

    void readsTheCookbooksPlanOnly_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("meals");
        QTest::newRow("none") << QByteArray() << 0;
        QTest::newRow("UTF-8") << example.toUtf8() << 3;
        QTest::newRow("Latin-1") << QByteArray("## 2026-12-14\n\n- K\xe4se\n") << 0;
        // Lines no person writes, near the size limit: read, not hung on.
        QTest::newRow("megabyte lines")
            << QByteArray("## 2026-12-14 " + QByteArray(500000, '#') + "\n\n- [" +
                          QByteArray(1000000, '[') + "](" + QByteArray(1000000, ' ') + "\n- " +
                          QByteArray(1000000, ':') + "\n")
            << 2;
    }

    void readsTheCookbooksPlanOnly()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, meals);
        QTemporaryDir dir;
        if (!content.isEmpty())
            QVERIFY(testing::writeFile(dir.filePath(MealPlanFile::fileName()), content));
        QCOMPARE(readMealPlan(dir.path()).size(), meals);
    }
};

QTEST_GUILESS_MAIN(MealPlanFileTest)

#include "tst_mealplanfile.moc"
