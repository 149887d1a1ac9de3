#include "cooking/cookingrecipe.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestCookingRecipe : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void readsTitleServingsAndIngredients();
    void unreadableFileHasNoSteps_data();
    void unreadableFileHasNoSteps();
    void matchesStepIngredients_data();
    void matchesStepIngredients();
    void scalesAmountsInText_data();
    void scaledAmountsKeepTheRecipesDecimalMark_data();
    void scaledAmountsKeepTheRecipesDecimalMark();
    void scalesAmountsInText();
    void sampleRecipeShowsTheRules();

private:
    QString write(const QString& name, const QByteArray& content);
    QTemporaryDir m_dir;
};

namespace {

const QByteArray lentilSoup = "# Lentil Soup\n\n### Ingredients\n\n"
                              " * 200 g red lentils\n"
                              " * 2 pcs onions, chopped\n"
                              " * 3 eggs\n"
                              " * 500 ml water\n"
                              " * Crème fraîche\n"
                              " * salt\n\n"
                              "### Directions\n\n"
                              "1. Rinse the lentils.\n"
                              "2. Fry the onion, add the water.\n"
                              "3. Stir in the creme fraiche; boil the eggs apart.\n"
                              "4. Season with salt, not with salted butter or icecream.\n\n"
                              "### Metadata\n\nServings: 4\n";

QStringList namesOf(const CookingRecipe& recipe, int step)
{
    QStringList names;
    for (int row : recipe.steps().at(step).ingredients)
        names.append(recipe.ingredients().at(row).name);
    return names;
}

} // namespace

void TestCookingRecipe::initTestCase()
{
    QVERIFY(m_dir.isValid());
}

QString TestCookingRecipe::write(const QString& name, const QByteArray& content)
{
    const QString path = m_dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QString();
    file.write(content);
    return path;
}

void TestCookingRecipe::readsTitleServingsAndIngredients()
{
    const CookingRecipe recipe = CookingRecipe::read(write("lentils.recipe.md", lentilSoup));
    QCOMPARE(recipe.title(), QStringLiteral("Lentil Soup"));
    QCOMPARE(recipe.servings(), 4);
    QStringList names;
    for (const IngredientReading& ingredient : recipe.ingredients())
        names.append(ingredient.name);
    QCOMPARE(names,
             (QStringList{"red lentils", "onions", "eggs", "water", "Crème fraîche", "salt"}));
    QCOMPARE(recipe.steps().size(), 4);
    QCOMPARE(recipe.stepText(9, Fraction(2)), QString());

    QByteArray crlf = lentilSoup;
    crlf.replace("\n", "\r\n");
    const CookingRecipe windows = CookingRecipe::read(write("crlf.recipe.md", crlf));
    QCOMPARE(windows.ingredients().size(), recipe.ingredients().size());
    QCOMPARE(windows.steps().size(), recipe.steps().size());
    QCOMPARE(windows.steps().at(1).text, recipe.steps().at(1).text);
    QCOMPARE(windows.servings(), 4);
}

void TestCookingRecipe::unreadableFileHasNoSteps_data()
{
    QTest::addColumn<QString>("path");
    QVERIFY(QDir(m_dir.path()).mkpath("folder.recipe.md"));
    QTest::newRow("missing") << m_dir.filePath("missing.recipe.md");
    QTest::newRow("folder") << m_dir.filePath("folder.recipe.md");
    QTest::newRow("device") << QStringLiteral("/dev/zero");
}

void TestCookingRecipe::unreadableFileHasNoSteps()
{
    QFETCH(QString, path);
    const CookingRecipe recipe = CookingRecipe::read(path);
    QVERIFY(recipe.steps().isEmpty());
    QVERIFY(recipe.ingredients().isEmpty());
    QVERIFY(!recipe.title().isEmpty());
}

void TestCookingRecipe::matchesStepIngredients_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("step");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("last word of a longer name") << lentilSoup << 0 << QStringList{"red lentils"};
    QTest::newRow("singular finds plural, in order")
        << lentilSoup << 1 << QStringList{"onions", "water"};
    QTest::newRow("accents and case") << lentilSoup << 2 << QStringList{"eggs", "Crème fraîche"};
    QTest::newRow("whole words only") << lentilSoup << 3 << QStringList{"salt"};
    QTest::newRow("CJK anywhere")
        << QByteArray("# 番茄炒蛋\n\n### Ingredients\n\n* 鸡蛋 3个\n* 番茄 2个\n* 盐 适量\n\n"
                      "### Directions\n\n1. 把鸡蛋打散，番茄切块。\n2. 加盐。\n")
        << 0 << QStringList{"鸡蛋", "番茄"};
    QTest::newRow("German plural")
        << QByteArray("# Kuchen\n\n### Zutaten\n\n### Ingredients\n\n- 3 Eier\n- 1 Zwiebel\n\n"
                      "### Directions\n\nDas Ei und die Zwiebeln verrühren.\n")
        << 0 << QStringList{"Eier", "Zwiebel"};
}

void TestCookingRecipe::matchesStepIngredients()
{
    QFETCH(QByteArray, content);
    QFETCH(int, step);
    QFETCH(QStringList, expected);
    const CookingRecipe recipe = CookingRecipe::read(write("match.recipe.md", content));
    QVERIFY(step < recipe.steps().size());
    QCOMPARE(namesOf(recipe, step), expected);
}

void TestCookingRecipe::scalesAmountsInText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("numerator");
    QTest::addColumn<int>("denominator");
    QTest::addColumn<QString>("expected");

    auto row = [](const char* name, const QString& text, int numerator, int denominator,
                  const QString& expected) {
        QTest::newRow(name) << text << numerator << denominator << expected;
    };
    const QString step = QStringLiteral("Add 200 g sugar and the 3 eggs, then 500 ml water.");
    row("double", step, 2, 1, "Add 400 g sugar and the 6 eggs, then 1 l water.");
    row("half", step, 1, 2, "Add 100 g sugar and the 1½ eggs, then 250 ml water.");
    row("unchanged at one", QStringLiteral("Add 200g sugar, 3 eggs, 500 ml water."), 1, 1,
        "Add 200g sugar, 3 eggs, 500 ml water.");
    row("glued unit", QStringLiteral("Add 200g sugar."), 2, 1, "Add 400 g sugar.");
    row("range", QStringLiteral("Add 2-3 tbsp water."), 2, 1, "Add 4–6 tbsp water.");
    row("name after number", QStringLiteral("Beat 2 red lentils"), 2, 1, "Beat 4 red lentils");
    row("temperature, time, size and step stay",
        QStringLiteral("Step 2: bake 20 minutes at 180 °C in a 20 cm tin on gas mark 4."), 2, 1,
        "Step 2: bake 20 minutes at 180 °C in a 20 cm tin on gas mark 4.");
    row("Fahrenheit", QStringLiteral("Preheat to 350°F, add 2 eggs."), 2, 1,
        "Preheat to 350°F, add 4 eggs.");
    row("duration beside an amount", QStringLiteral("Simmer 10 min, add 1 tbsp water."), 3, 1,
        "Simmer 10 min, add 3 tbsp water.");
    row("CJK measure word", QStringLiteral("加入鸡蛋 3个"), 2, 1, "加入鸡蛋 6个");
}

void TestCookingRecipe::scalesAmountsInText()
{
    QFETCH(QString, text);
    QFETCH(int, numerator);
    QFETCH(int, denominator);
    QFETCH(QString, expected);
    const QByteArray content = "# Test\n\n### Ingredients\n\n * 200 g sugar\n * 3 eggs\n"
                               " * 500 ml water\n * 200 g red lentils\n\n### Directions\n\n" +
                               text.toUtf8() + "\n";
    const CookingRecipe recipe = CookingRecipe::read(write("scale.recipe.md", content));
    QCOMPARE(recipe.steps().size(), 1);
    QCOMPARE(recipe.stepText(0, Fraction(numerator, denominator)), expected);
    if (numerator == denominator)
        QCOMPARE(recipe.stepText(0, Fraction(1)), recipe.steps().at(0).text);
}

void TestCookingRecipe::scaledAmountsKeepTheRecipesDecimalMark_data()
{
    QTest::addColumn<QByteArray>("ingredients");
    QTest::addColumn<QString>("step");
    QTest::addColumn<int>("numerator");
    QTest::addColumn<int>("denominator");
    QTest::addColumn<QString>("expected");
    QTest::newRow("German comma") << QByteArray(" * 0,5 l Milch\n * 2 EL Zucker\n")
                                  << QStringLiteral("Die 0,5 l Milch mit 2 EL Zucker erhitzen.")
                                  << 3 << 1
                                  << QStringLiteral("Die 1,5 l Milch mit 6 EL Zucker erhitzen.");
    QTest::newRow("French comma, sum in decimals")
        << QByteArray("- 1,2 kg de pommes de terre\n- 300 ml de crème\n")
        << QStringLiteral("Verser 300 ml de crème.") << 3 << 2
        << QStringLiteral("Verser 450 ml de crème.");
    QTest::newRow("French comma on a litre")
        << QByteArray("- 0,3 l de lait\n") << QStringLiteral("Chauffer 0,3 l de lait.") << 5 << 1
        << QStringLiteral("Chauffer 1,5 l de lait.");
    QTest::newRow("English point") << QByteArray(" * 0.5 l milk\n * 2 eggs\n")
                                   << QStringLiteral("Heat the 0.5 l milk.") << 3 << 1
                                   << QStringLiteral("Heat the 1.5 l milk.");
    QTest::newRow("no decimals written") << QByteArray(" * 1 l milk\n")
                                         << QStringLiteral("Heat 1 l milk.") << 3 << 2
                                         << QStringLiteral("Heat 1.5 l milk.");
}

// A recipe that writes "0,5 l" reads its scaled amounts with a comma too.
void TestCookingRecipe::scaledAmountsKeepTheRecipesDecimalMark()
{
    QFETCH(QByteArray, ingredients);
    QFETCH(QString, step);
    QFETCH(int, numerator);
    QFETCH(int, denominator);
    QFETCH(QString, expected);
    const QByteArray content = "# Rezept\n\n### Ingredients\n\n" + ingredients +
                               "\n### Directions\n\n" + step.toUtf8() + "\n";
    const CookingRecipe recipe = CookingRecipe::read(write("mark.recipe.md", content));
    QCOMPARE(recipe.steps().size(), 1);
    QCOMPARE(recipe.stepText(0, Fraction(numerator, denominator)), expected);
}

// The sample cookbook's recipe for cooking mode has a range, a compound span
// of time and amounts in its steps that follow the servings.
void TestCookingRecipe::sampleRecipeShowsTheRules()
{
    const CookingRecipe recipe =
        CookingRecipe::read(QStringLiteral(SAMPLE_COOKBOOK "/Soups/red-lentil-dal.recipe.md"));
    QCOMPARE(recipe.title(), QStringLiteral("Red Lentil Dal"));
    QCOMPARE(recipe.servings(), 4);
    QCOMPARE(recipe.steps().size(), 5);
    QCOMPARE(recipe.steps().at(4).section, QStringLiteral("To finish"));
    QStringList spans;
    qint64 longest = 0;
    for (const CookingStep& step : recipe.steps()) {
        for (const StepDuration& duration : step.durations) {
            spans.append(step.text.mid(duration.position, duration.length));
            longest = std::max(longest, duration.highSeconds);
        }
    }
    QCOMPARE(spans, (QStringList{"5-7 minutes", "a minute", "20–25 minutes", "1 hour 10 minutes"}));
    QCOMPARE(longest, 4200);
    QCOMPARE(
        recipe.stepText(0, Fraction(2)),
        QStringLiteral("Melt 2 tbsp butter in a large pot and soften the onion for 5-7 minutes."));
    QVERIFY(recipe.stepText(2, Fraction(2)).contains(QStringLiteral("1.5 l water")));
}

QTEST_GUILESS_MAIN(TestCookingRecipe)
#include "tst_cookingrecipe.moc"
