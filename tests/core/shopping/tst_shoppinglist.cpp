#include "shopping/shoppingingredientreader.h"
#include "shopping/shoppinglist.h"
#include "shopping/shoppinglistsettings.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QString writeRecipe(const QString& path, const QByteArray& title, const QByteArray& ingredients,
                    const QByteArray& metadata = QByteArray())
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return QString();
    file.write("# " + title + "\n\nIntro.\n\n### Ingredients\n\n" + ingredients +
               "\n### Directions\n\n * 3 words here are no ingredient\n\n### Metadata\n\n" +
               metadata);
    return path;
}

QStringList texts(const ShoppingList& list)
{
    QStringList shown;
    for (const ShoppingItem& item : list.items())
        shown.append(item.text());
    return shown;
}

} // namespace

class ShoppingListTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;

    QString recipe(const QString& name, const QByteArray& ingredients,
                   const QByteArray& metadata = QByteArray())
    {
        return writeRecipe(dir.filePath(name + QStringLiteral(".recipe.md")), name.toUtf8(),
                           ingredients, metadata);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setOrganizationName(QStringLiteral("vantrel.org"));
        QCoreApplication::setApplicationName(QStringLiteral("Saltrove"));
    }

    void readsTheIngredientsOfAFile_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("written");
        auto row = [](const char* name, const char* line, const char* amount, const char* unit,
                      const char* ingredient, const char* written) {
            QTest::newRow(name) << QByteArray(line) << QString(amount) << QString(unit)
                                << QString(ingredient) << QString(written);
        };
        row("accepted line", " * 1 kg plain flour, sifted", "1", "kg", "plain flour", "1 kg");
        row("name alone", " * salt", "", "", "salt", "");
        row("name alone with comment", "- pepper, to taste", "", "", "pepper", "");
        row("two words: amount and name", " * 2 eggs", "2", "", "eggs", "2");
        row("two words, no number", " * sea salt", "", "", "sea salt", "");
        row("whole and fraction are one amount", " * 1 1/2 cup flour", "1½", "cup", "flour",
            "1 1/2 cup");
        row("whole and vulgar fraction, name alone", " * 2 ½ eggs", "2½", "", "eggs", "2 ½");
        row("decimal comma", " * 1,5 l milk, cold", "1½", "l", "milk", "1,5 l");
        row("an article is one", " * a pinch salt", "1", "pinch", "salt", "a pinch");
        row("text amount", " * some salt", "some", "", "salt", "some");
    }

    void readsTheIngredientsOfAFile()
    {
        QFETCH(QByteArray, line);
        const QString path = recipe(QStringLiteral("read"), line + "\n * 2 pcs onions\n");
        const ShoppingRecipe read = ShoppingIngredientReader::read(path);
        QVERIFY(read.readable);
        QCOMPARE(read.title, QStringLiteral("read"));
        // Bullets outside the ingredients section are no ingredients.
        QCOMPARE(read.ingredients.size(), 2);
        const ShoppingIngredient& first = read.ingredients.first();
        QTEST(first.amount.toDisplayString(), "amount");
        QTEST(first.unit, "unit");
        QTEST(first.name, "name");
        QTEST(first.written, "written");
        QCOMPARE(read.ingredients.last().name, QStringLiteral("onions"));
    }

    void refusesWhatIsNoRecipe()
    {
        QVERIFY(!ShoppingIngredientReader::read(dir.filePath(QStringLiteral("none.recipe.md")))
                     .readable);
        QVERIFY(!ShoppingIngredientReader::read(dir.path()).readable);
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("folder.recipe.md")));
        QVERIFY(!ShoppingIngredientReader::read(dir.filePath(QStringLiteral("folder.recipe.md")))
                     .readable);
        const QString text = dir.filePath(QStringLiteral("notes.txt"));
        QVERIFY(!writeRecipe(text, "Notes", " * 1 kg flour\n").isEmpty());
        QVERIFY(!ShoppingIngredientReader::read(text).readable);
    }

    void mergesAndScales_data()
    {
        QTest::addColumn<QByteArray>("first");
        QTest::addColumn<int>("firstHalves");
        QTest::addColumn<QByteArray>("second"); // empty: the first recipe alone
        QTest::addColumn<QStringList>("expected");
        auto row = [](const char* name, const char* first, int halves, const char* second,
                      const QStringList& expected) {
            QTest::newRow(name) << QByteArray(first) << halves << QByteArray(second) << expected;
        };
        row("½ doubled", " * ½ cup milk\n", 4, "", {"1 cup milk"});
        row("1/2 doubled", " * 1/2 cup milk\n", 4, "", {"1 cup milk"});
        row("1,5 doubled", " * 1,5 l milk\n", 4, "", {"3 l milk"});
        row("1½ and ½", " * 1½ tbsp sugar\n", 2, " * ½ tbsp sugar\n", {"2 tbsp sugar"});
        row("1 1/2 cup doubled", " * 1 1/2 cup flour\n", 4, "", {"3 cup flour"});
        row("ranges of both dashes", " * 1-2 pcs onions\n", 2, " * 1–2 pcs onions\n",
            {"2–4 pcs onions"});
        row("range and single", " * 1-2 pcs onions\n", 3, " * 1 pcs onions\n", {"2½–4 pcs onions"});
        row("a third times three", " * ⅓ cup oil\n", 6, "", {"1 cup oil"});
        row("a sixteenth", " * 1/32 tsp saffron\n", 2, " * 1/32 tsp saffron\n",
            {"0.06 tsp saffron"});
        row("text beside a sum", " * some salt\n", 2, " * 1 tsp salt\n * 1 tsp salt\n",
            {"2 tsp + some salt"});
        row("text is never scaled", " * some parsley\n", 6, "", {"some parsley"});
        row("salt without amount", " * salt\n", 2, " * salt\n", {"salt"});
        row("eggs without unit", " * 2 eggs\n", 2, " * 3 eggs\n", {"5 eggs"});
        row("case and blanks", " * 1 kg Plain Flour\n", 2, " * 500 g plain flour \n",
            {"1.5 kg Plain Flour"});
        row("comment dropped", " * 1 cloves garlic, minced\n", 2, " * 2 cloves garlic\n",
            {"3 cloves garlic"});
        row("kg and g", " * 500 g flour\n", 2, " * 750 g flour\n", {"1.25 kg flour"});
        row("ml and l", " * 500 ml milk\n", 2, " * 1 l milk\n", {"1.5 l milk"});
        row("no unit that neither recipe used", " * 250 ml cream\n", 2, " * 50 ml cream\n",
            {"300 ml cream"});
        row("half a litre and millilitres", " * ½ l water\n", 2, " * 250 ml water\n",
            {"750 ml water"});
        row("decilitres where a recipe used them", " * 2 dl cream\n", 2, " * 50 ml cream\n",
            {"2.5 dl cream"});
        row("units without regard to case", " * 1 L milk\n", 2, " * 5 DL milk\n", {"1.5 l milk"});
        row("mg is no metric group", " * 500 mg saffron\n", 2, " * 1 g saffron\n",
            {"500 mg + 1 g saffron"});
        row("unrelated units side by side", " * 2 pcs carrots\n", 2, " * 300 g carrots\n",
            {"2 pcs + 300 g carrots"});
        row("no tbsp to tsp", " * 1 tbsp sugar\n", 2, " * 1 tsp sugar\n", {"1 tbsp + 1 tsp sugar"});
        row("no volume to weight", " * 1 l water\n", 2, " * 1 kg water\n", {"1 l + 1 kg water"});
        row("ice is not rice", " * 1 cup rice\n", 2, " * 2 cup ice\n", {"1 cup rice", "2 cup ice"});
        row("singular and plural merge", " * 1 pcs onion\n", 2, " * 2 pcs onions\n",
            {"3 pcs onion"});
        row("eggs and an egg", " * 2 eggs\n", 2, " * 1 egg\n", {"3 eggs"});
        row("Zwiebel und Zwiebeln", " * 1 Zwiebel\n", 2, " * 2 Zwiebeln\n", {"3 Zwiebel"});
        row("Ei und Eier", " * 3 Eier\n", 2, " * 1 Ei\n", {"4 Eier"});
        row("glued and spaced grams", " * 200 g bacon\n", 2, " * 100g bacon\n", {"300 g bacon"});
        row("glued amount scales", " * 500g potatoes\n", 4, "", {"1 kg potatoes"});
        row("grams in three languages", " * 200 g Zucker\n", 2, " * 100 Gramm Zucker\n",
            {"300 g Zucker"});
        row("spoons by any name", " * 1 tbsp Öl\n", 2, " * 2 EL Öl\n", {"3 tbsp Öl"});
        row("name first, scaled", " - 白蘑菇 200 克\n", 4, "", {"400 克 白蘑菇"});
        row("name first, merged", " - 盐: 2 g\n", 2, " - 盐 3 克\n", {"5 g 盐"});
        row("name first with note", " - 大蒜 5 瓣（可选，约 20g）\n", 2, "", {"5 瓣 大蒜"});
        row("cloves after the name", " * 2 garlic cloves\n", 2, " * 1 clove garlic\n",
            {"3 cloves garlic"});
        row("alone at ×1 as written", " * 1 1/2 cup flour\n * 1500 ml water\n * 1,5 kg salt\n", 2,
            "", {"1 1/2 cup flour", "1500 ml water", "1,5 kg salt"});
        row("halved", " * 1 kg flour\n * 3 pcs eggs\n", 1, "", {"500 g flour", "1½ pcs eggs"});
        row("not alone, written amounts follow the rules", " * 1 1/2 cup flour\n * 1500 ml water\n",
            2, " * 1 pcs lemon\n", {"1½ cup flour", "1.5 l water", "1 pcs lemon"});

        // Amounts as cooks write them, and lines that hold more than one.
        row("metric sum in decimals", " * 237 ml milk\n", 3, "", {"355.5 ml milk"});
        row("kitchen measures in fractions", " * 1/3 cup oil\n * 1/2 TL Salz\n", 3, "",
            {"½ cup oil", "¾ TL Salz"});
        row("a recipe's decimal comma", " * 0,5 kg Mehl\n * 800 g Zucker\n", 3, "",
            {"750 g Mehl", "1,2 kg Zucker"});
        row("decimal comma, metric range", " * 0,5 l Milch\n * 1-1,5 l Wasser\n", 3, "",
            {"750 ml Milch", "1,5–2,25 l Wasser"});
        row("length beside weight", " * 2 cm Ingwer\n", 3, " * 20 g Ingwer\n",
            {"3 cm + 20 g Ingwer"});
        row("two ingredients on a line", " - 青椒 2 条，红椒 1 条\n", 2, " - 红椒 2 条\n",
            {"2 条 青椒", "3 条 红椒"});
        row("and between two amounts", " * 2 cups flour and 1 cup sugar\n", 4, "",
            {"4 cups flour", "2 cup sugar"});
        row("amount in the note", " - 鸭肉（半只,1 kg,斩块）\n", 4, "", {"1 只 鸭肉"});
        row("range with a tilde", " - 橙汁 35~50ml\n", 2, "", {"35~50ml 橙汁"});
        row("comment keeps the amount", " - 肥肉末 20g #不喜可不加\n", 4, "", {"40 g 肥肉末"});
    }

    void mergesAndScales()
    {
        QFETCH(QByteArray, first);
        QFETCH(int, firstHalves);
        QFETCH(QByteArray, second);
        ShoppingList list;
        list.add(ShoppingIngredientReader::read(recipe(QStringLiteral("first"), first)));
        list.setFactorHalves(0, firstHalves);
        if (!second.isEmpty())
            list.add(ShoppingIngredientReader::read(recipe(QStringLiteral("second"), second)));
        QTEST(texts(list), "expected");
    }

    void scalesByServings_data()
    {
        QTest::addColumn<QByteArray>("metadata");
        QTest::addColumn<int>("servings");
        QTest::addColumn<int>("wanted");
        QTest::addColumn<QString>("expected");
        QTest::newRow("servings") << QByteArray("servings: 4\n") << 4 << 6 << "600 g pasta";
        QTest::newRow("Serves, any case")
            << QByteArray("Serves: 4 people\n") << 4 << 2 << "200 g pasta";
        QTest::newRow("yield, first number")
            << QByteArray("YIELD: about 4 to 6\n") << 4 << 1 << "100 g pasta";
        QTest::newRow("portions") << QByteArray("portions: 3\n") << 3 << 1 << "133.33 g pasta";
        QTest::newRow("no number gives a factor")
            << QByteArray("servings: a few\n") << 0 << 6 << "400 g pasta";
        QTest::newRow("out of range gives a factor")
            << QByteArray("yield: 120 cookies\n") << 0 << 6 << "400 g pasta";
    }

    void scalesByServings()
    {
        QFETCH(QByteArray, metadata);
        QFETCH(int, servings);
        QFETCH(int, wanted);
        ShoppingList list;
        list.add(ShoppingIngredientReader::read(
            recipe(QStringLiteral("pasta"), " * 400 g pasta\n", metadata)));
        QCOMPARE(list.entry(0).recipe.servings, servings);
        QCOMPARE(list.entry(0).wantedServings, servings);
        list.setWantedServings(0, wanted);
        QTEST(texts(list).value(0), "expected");
    }

    void namesEachRecipeWithItsAmount()
    {
        ShoppingList list;
        list.add(ShoppingIngredientReader::read(
            recipe(QStringLiteral("Soup"), " * 2 pcs carrots\n * salt\n")));
        list.add(ShoppingIngredientReader::read(
            recipe(QStringLiteral("Stew"), " * 150 g carrots\n * salt\n")));
        list.setFactorHalves(1, 4);
        list.add(ShoppingIngredientReader::read(recipe(QStringLiteral("Soup"), "")));
        QCOMPARE(list.size(), 2); // the same recipe is not added twice
        const QList<ShoppingItem> items = list.items();
        QCOMPARE(items.size(), 2);
        QCOMPARE(items.at(0).byRecipe, QStringList({"Soup: 2 pcs", "Stew: 300 g"}));
        QCOMPARE(items.at(1).byRecipe, QStringList({"Soup", "Stew"}));

        list.setTicked(items.at(1).key, true);
        QCOMPARE(list.toMarkdown(), QStringLiteral("- [ ] 2 pcs + 300 g carrots\n- [x] salt\n"));
    }

    void aMissingRecipeAddsNothing()
    {
        const QString path = recipe(QStringLiteral("Gone"), " * 1 kg flour\n");
        ShoppingList list;
        list.add(ShoppingIngredientReader::read(path));
        QCOMPARE(texts(list), QStringList{"1 kg flour"});
        QVERIFY(QFile::remove(path));
        QVERIFY(list.reread(path));
        QCOMPARE(list.size(), 1);
        QVERIFY(!list.entry(0).recipe.readable);
        QCOMPARE(list.entry(0).recipe.title, QStringLiteral("Gone"));
        QCOMPARE(texts(list), QStringList());
        QVERIFY(!list.reread(dir.filePath(QStringLiteral("other.recipe.md"))));
    }

    void keepsTheListInItsOwnGroup()
    {
        ShoppingList list;
        list.add(ShoppingIngredientReader::read(
            recipe(QStringLiteral("Kept"), " * 1 kg flour\n * salt\n", "servings: 2\n")));
        list.setWantedServings(0, 3);
        list.add(ShoppingIngredientReader::read(recipe(QStringLiteral("Halved"), " * 1 l milk\n")));
        list.setFactorHalves(1, 3);
        list.setTicked(QStringLiteral("salt"), true);
        ShoppingListSettings::save(list);
        QVERIFY(!QSettings().childGroups().contains(QStringLiteral("General")));

        ShoppingList loaded;
        ShoppingListSettings::load(loaded);
        QCOMPARE(loaded.size(), 2);
        QCOMPARE(loaded.entry(0).wantedServings, 3);
        QCOMPARE(loaded.entry(1).factorHalves, 3);
        QCOMPARE(loaded.toMarkdown(), list.toMarkdown());
        QCOMPARE(loaded.toMarkdown(),
                 QStringLiteral("- [ ] 1.5 kg flour\n- [x] salt\n- [ ] 1.5 l milk\n"));
    }

    void garbageGivesAnEmptyList_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QVariant>("value");
        QTest::newRow("count of two billion") << "recipes/size" << QVariant(2000000000);
        QTest::newRow("count is text") << "recipes/size" << QVariant("many");
        QTest::newRow("path is a list") << "recipes/1/path" << QVariant(QStringList{"/a", "/b"});
        QTest::newRow("path is relative") << "recipes/1/path" << QVariant("soup.recipe.md");
        QTest::newRow("path is a number") << "recipes/1/path" << QVariant(42);
        QTest::newRow("path is bytes") << "recipes/1/path" << QVariant(QByteArray("\xff\x00", 2));
        QTest::newRow("recipes is a value") << "recipes" << QVariant("x");
        QTest::newRow("ticked is a number") << "ticked" << QVariant(7);
    }

    void garbageGivesAnEmptyList()
    {
        QFETCH(QString, key);
        QFETCH(QVariant, value);
        {
            QSettings settings;
            settings.remove(ShoppingListSettings::group());
            settings.beginGroup(ShoppingListSettings::group());
            if (key.startsWith(QStringLiteral("recipes/1/")))
                settings.setValue(QStringLiteral("recipes/size"), 1);
            settings.setValue(key, value);
            settings.sync();
        }
        ShoppingList list;
        ShoppingListSettings::load(list);
        QCOMPARE(list.size(), 0);
        QCOMPARE(list.toMarkdown(), QString());
    }
};

QTEST_GUILESS_MAIN(ShoppingListTest)
#include "tst_shoppinglist.moc"
