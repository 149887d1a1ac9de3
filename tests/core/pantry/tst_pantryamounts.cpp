#include "pantry/pantryamounts.h"
#include "pantry/pantrystaples.h"
#include "pantry/pantrystock.h"
#include "shopping/shoppingingredientreader.h"
#include "shopping/shoppinglist.h"
#include "support/recipefiles.h"

#include <QTemporaryDir>
#include <QtTest>

// What the pantry leaves to buy of a shopping row, the staples, and the
// amounts merged into and taken out of an item.
class TestPantryAmounts : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    int recipes = 0;

    // The one row a recipe listing `line` gives on the shopping list.
    ShoppingItem rowOf(const QString& line)
    {
        const QString path = dir.filePath(QStringLiteral("r%1.recipe.md").arg(++recipes));
        const QByteArray text =
            "# Dish\n\n### Ingredients\n\n * " + line.toUtf8() + "\n\n### Directions\n\nCook.\n";
        if (!testing::writeFile(path, text))
            return {};
        ShoppingList list;
        list.add(ShoppingIngredientReader::read(path));
        const QList<ShoppingItem> items = list.items();
        return items.isEmpty() ? ShoppingItem() : items.first();
    }

    static QList<IngredientReading> pantryOf(const QStringList& lines)
    {
        QList<IngredientReading> items;
        for (const QString& line : lines)
            items.append(readIngredientLine(line));
        return items;
    }

private slots:
    void takesThePantrysPartOffARow_data()
    {
        QTest::addColumn<QString>("needed");
        QTest::addColumn<QStringList>("pantry");
        QTest::addColumn<QString>("toBuy");
        QTest::addColumn<QString>("inPantry");
        QTest::addColumn<bool>("covered");

        QTest::newRow("grams") << "750 g red lentils" << QStringList{"500 g red lentils"} << "250 g"
                               << "500 g" << false;
        QTest::newRow("kilograms and grams") << "1 kg Mehl" << QStringList{"300 g Mehl"} << "700 g"
                                             << "300 g" << false;
        QTest::newRow("grams against kilograms") << "500 g rice" << QStringList{"1 kg rice"} << ""
                                                 << "1 kg" << true;
        QTest::newRow("litres and millilitres")
            << "1 l milk" << QStringList{"250 ml milk"} << "750 ml"
            << "250 ml" << false;
        QTest::newRow("pieces against a count") << "3 onions" << QStringList{"2 pcs onions"} << "1"
                                                << "2 pcs" << false;
        QTest::newRow("cups and grams never add up")
            << "2 cups flour" << QStringList{"500 g flour"} << "2 cups"
            << "500 g" << false;
        QTest::newRow("two items of one name")
            << "1 kg flour" << QStringList{"2 cups flour", "400 g flour"} << "600 g"
            << "2 cups + 400 g" << false;
        QTest::newRow("enough without an amount")
            << "750 g red lentils" << QStringList{"red lentils"} << ""
            << "" << true;
        QTest::newRow("a name without an amount is covered by any amount")
            << "basil" << QStringList{"1 bunch basil"} << ""
            << "1 bunch" << true;
        QTest::newRow("words are never taken off")
            << "some nutmeg" << QStringList{"10 g nutmeg"} << "some"
            << "10 g" << false;
        QTest::newRow("a pinch and grams never add up")
            << "a pinch nutmeg" << QStringList{"10 g nutmeg"} << "1 pinch"
            << "10 g" << false;
        QTest::newRow("German plural") << "3 Zwiebeln" << QStringList{"1 Zwiebel"} << "2"
                                       << "1" << false;
        QTest::newRow("French plural") << "4 poireaux" << QStringList{"1 poireau"} << "3"
                                       << "1" << false;
        QTest::newRow("English singular against plural") << "1 egg" << QStringList{"6 eggs"} << ""
                                                         << "6" << true;
        QTest::newRow("Chinese measure words")
            << "白蘑菇 200 克" << QStringList{"白蘑菇 150 克"} << "50 克"
            << "150 克" << false;
        QTest::newRow("decimal commas")
            << "1,5 kg Kartoffeln" << QStringList{"500 g Kartoffeln"} << "1 kg"
            << "500 g" << false;
    }

    void takesThePantrysPartOffARow()
    {
        QFETCH(QString, needed);
        QFETCH(QStringList, pantry);
        QFETCH(QString, toBuy);
        QFETCH(QString, inPantry);
        QFETCH(bool, covered);
        const ShoppingItem row = rowOf(needed);
        QVERIFY(!row.name.isEmpty());
        const PantryStock stock(pantryOf(pantry));
        const PantryCoverage coverage = PantryAmounts::cover(row, stock.itemsNamed(row.name));
        QVERIFY(coverage.held);
        QCOMPARE(coverage.toBuy, toBuy);
        QCOMPARE(coverage.inPantry, inPantry);
        QCOMPARE(coverage.covered, covered);
    }

    void rowsThePantryLacksStayAsTheyAre()
    {
        const ShoppingItem row = rowOf(QStringLiteral("750 g red lentils"));
        const PantryStock stock(pantryOf({QStringLiteral("2 kg flour"), QStringLiteral("rice")}));
        const QList<IngredientReading> held = stock.itemsNamed(row.name);
        QVERIFY(held.isEmpty());
        const PantryCoverage coverage = PantryAmounts::cover(row, held);
        QVERIFY(!coverage.held);
        QVERIFY(!coverage.covered);
        QCOMPARE(coverage.toBuy, QStringLiteral("750 g"));
    }

    void namesMatchAsTheShoppingListMergesThem_data()
    {
        QTest::addColumn<QString>("pantry");
        QTest::addColumn<QString>("asked");
        QTest::addColumn<bool>("found");
        QTest::newRow("case") << "2 kg Flour"
                              << "flour" << true;
        QTest::newRow("English plural") << "3 tomatoes"
                                        << "tomato" << true;
        QTest::newRow("German plural") << "Eier"
                                       << "Ei" << true;
        QTest::newRow("Spanish accents") << "1 kg azúcar moreno"
                                         << "Azucar moreno" << true;
        QTest::newRow("Japanese") << "醤油 200 ml"
                                  << "醤油" << true;
        QTest::newRow("never inside another name") << "rice"
                                                   << "ice" << false;
        QTest::newRow("another word") << "red lentils"
                                      << "lentils" << false;
    }

    void namesMatchAsTheShoppingListMergesThem()
    {
        QFETCH(QString, pantry);
        QFETCH(QString, asked);
        QFETCH(bool, found);
        const PantryStock stock(pantryOf({pantry}));
        QCOMPARE(!stock.itemsNamed(asked).isEmpty(), found);
        QCOMPARE(stock.covers(asked), found);
    }

    void staplesAreNeverMissing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("staple");
        for (const char* name : {"salt",   "Salz",   "sel",     "sal",    "sale",
                                 "盐",     "塩",     "water",   "Wasser", "eau",
                                 "水",     "pepper", "Pfeffer", "poivre", "こしょう",
                                 "oil",    "Öl",     "huile",   "olio",   "sugar",
                                 "Zucker", "sucre",  "azúcar",  "砂糖",   "Salt and pepper"})
            QTest::newRow(name) << QString::fromUtf8(name) << true;
        for (const char* name :
             {"salted butter", "sugar snap peas", "olive", "Pfefferminze", "水饺", "flour"})
            QTest::newRow(name) << QString::fromUtf8(name) << false;
    }

    void staplesAreNeverMissing()
    {
        QFETCH(QString, name);
        QFETCH(bool, staple);
        QCOMPARE(PantryStaples::isStaple(name), staple);
        QCOMPARE(PantryStock().covers(name), staple);
    }

    void addsAmountsWhereTheyAddUp_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("added");
        QTest::addColumn<QString>("result");
        QTest::newRow("grams") << "500 g red lentils"
                               << "250 g"
                               << "750 g red lentils";
        QTest::newRow("into kilograms") << "2 kg flour"
                                        << "500 g"
                                        << "2.5 kg flour";
        QTest::newRow("the note stays") << "1 l milk, fresh"
                                        << "500 ml"
                                        << "1.5 l milk, fresh";
        QTest::newRow("a count and pieces") << "2 onions"
                                            << "3 pcs"
                                            << "5 onions";
        QTest::newRow("cups and grams") << "2 cups flour"
                                        << "500 g"
                                        << "";
        QTest::newRow("enough stays enough") << "rice"
                                             << "1 kg"
                                             << "";
    }

    void addsAmountsWhereTheyAddUp()
    {
        QFETCH(QString, item);
        QFETCH(QString, added);
        QFETCH(QString, result);
        const IngredientReading amount = readIngredientLine(added + QStringLiteral(" x"));
        QCOMPARE(PantryAmounts::withMore(readIngredientLine(item), amount.amount, amount.unit),
                 result);
    }

    void takesAmountsOutNeverBelowZero_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("used");
        QTest::addColumn<QString>("result");
        QTest::addColumn<bool>("usedUp");
        QTest::newRow("grams") << "500 g red lentils"
                               << "200 g"
                               << "300 g red lentils" << false;
        QTest::newRow("grams from kilograms") << "2 kg flour"
                                              << "250 g"
                                              << "1.75 kg flour" << false;
        QTest::newRow("more than there is") << "200 ml cream"
                                            << "1 l"
                                            << "0 ml cream" << true;
        QTest::newRow("exactly all") << "3 eggs"
                                     << "3"
                                     << "0 eggs" << true;
        QTest::newRow("a third of a cup") << "1 cup sugar"
                                          << "1/3 cup"
                                          << "⅔ cup sugar" << false;
        QTest::newRow("cups and grams") << "2 cups flour"
                                        << "100 g"
                                        << "" << false;
    }

    void takesAmountsOutNeverBelowZero()
    {
        QFETCH(QString, item);
        QFETCH(QString, used);
        QFETCH(QString, result);
        QFETCH(bool, usedUp);
        const IngredientReading amount = readIngredientLine(used + QStringLiteral(" x"));
        bool gone = false;
        QCOMPARE(
            PantryAmounts::withLess(readIngredientLine(item), amount.amount, amount.unit, &gone),
            result);
        QCOMPARE(gone, usedUp);
    }
};

QTEST_GUILESS_MAIN(TestPantryAmounts)
#include "tst_pantryamounts.moc"
