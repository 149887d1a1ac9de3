// Recipes read from Cooklang files and from text written by a person.
#include "import/cooklangreader.h"
#include "import/plaintextreader.h"
#include "import/recipeimporter.h"
#include "import/recipemarkdownwriter.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QStringList describe(const QList<ImportedStep>& steps)
{
    QStringList out;
    for (const ImportedStep& step : steps)
        out << step.section + QLatin1Char('|') + step.text;
    return out;
}

} // namespace

class TestTextImport : public QObject
{
    Q_OBJECT
private slots:
    void readsCooklang_data();
    void readsCooklang();
    void readsCooklangFiles();
    void readsPlainText_data();
    void readsPlainText();
    void readsTheClipboard();
    void takesServingsOutOfTheText_data();
    void takesServingsOutOfTheText();
};

void TestTextImport::readsCooklang_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("ingredients");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("tags");
    QTest::addColumn<QString>("yield");
    QTest::addColumn<int>("totalSeconds");

    QTest::newRow("metadata lines, ingredients, cookware, timers")
        << ">> title: Tomato Soup\n>> servings: 4\n>> tags: soup, vegan\n>> time: 45 minutes\n\n"
           "Put @tomatoes{1%kg} and @garlic{2%cloves} in a #large pot{}.\n"
           "Add @olive oil{2%tbsp} and @salt.\n\n"
           "Simmer for ~{25%minutes}, then blend with a #blender.\n"
        << "Tomato Soup"
        << QStringList{"1 kg tomatoes", "2 cloves garlic", "2 tbsp olive oil", "salt"}
        << QStringList{"|Put tomatoes and garlic in a large pot. Add olive oil and salt.",
                       "|Simmer for 25 minutes, then blend with a blender."}
        << QStringList{"soup", "vegan"} << "4" << 2700;
    QTest::newRow("front matter, comments, sections, named timer, notes")
        << "---\ntitle: Pizza dough\nservings: 2\ntags:\n  - baking\n  - \"italian\"\n---\n"
           "-- a line comment\n"
           "== Dough ==\n"
           "Mix @flour{500%g} with @water{325%ml} [- not this -] and @yeast{7%g}(dried).\n\n"
           "Let it rest ~rise{2%hours}. -- a comment at the end\n\n"
           "= Topping\n"
           "Spread @tomato sauce{} and bake.\n"
        << "Pizza dough"
        << QStringList{"500 g flour", "325 ml water", "7 g yeast, dried", "tomato sauce"}
        << QStringList{"Dough|Mix flour with water and yeast.", "Dough|Let it rest 2 hours.",
                       "Topping|Spread tomato sauce and bake."}
        << QStringList{"baking", "italian"} << "2" << 0;
    QTest::newRow("no metadata: the file's name; stray sigils stay")
        << "Whisk @eggs{3} with @sugar{100%g} # until pale @ 20 °C ~ or so.\n"
        << "Sponge" << QStringList{"3 eggs", "100 g sugar"}
        << QStringList{"|Whisk eggs with sugar # until pale @ 20 °C ~ or so."} << QStringList{}
        << "" << 0;
    QTest::newRow("nothing but comments")
        << "-- nothing\n[- at all -]\n"
        << "" << QStringList{} << QStringList{} << QStringList{} << "" << 0;
}

void TestTextImport::readsCooklang()
{
    QFETCH(QString, text);
    const ImportedRecipe recipe = CooklangReader::read(text, "Sponge");
    QTEST(recipe.title, "title");
    QTEST(recipe.ingredients, "ingredients");
    QTEST(describe(recipe.steps), "steps");
    QTEST(recipe.tags, "tags");
    QTEST(recipe.yield, "yield");
    QTEST(recipe.totalSeconds, "totalSeconds");
}

void TestTextImport::readsCooklangFiles()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QFile file(dir.filePath("Lemon Curd.cook"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("Whisk @lemon juice{100%ml} and @sugar{150%g} over #bain-marie{}.\n");
    file.close();
    const QList<ImportedRecipe> recipes = importRecipes(file.fileName());
    QCOMPARE(recipes.size(), 1);
    QCOMPARE(recipes.first().title, QString("Lemon Curd"));
    QCOMPARE(recipes.first().ingredients, (QStringList{"100 ml lemon juice", "150 g sugar"}));
}

void TestTextImport::readsPlainText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("description");
    QTest::addColumn<QStringList>("ingredients");
    QTest::addColumn<QStringList>("steps");

    QTest::newRow("English sections")
        << "\n  Pancakes  \nFluffy ones.\n\nIngredients:\n- 200 g flour\n- 2 eggs\n- salt\n\n"
           "Directions\n1. Whisk everything.\n2) Fry.\n"
        << "Pancakes"
        << "Fluffy ones." << QStringList{"200 g flour", "2 eggs", "salt"}
        << QStringList{"|Whisk everything.", "|Fry."};
    QTest::newRow("German sections, a group line")
        << "Kartoffelsalat\r\nZutaten\r\nFür das Dressing:\r\n1 kg Kartoffeln\r\n"
           "2 EL Essig\r\nZubereitung:\r\nKartoffeln kochen.\r\nMit Essig mischen.\r\n"
        << "Kartoffelsalat"
        << "" << QStringList{"1 kg Kartoffeln", "2 EL Essig"}
        << QStringList{"|Kartoffeln kochen.", "|Mit Essig mischen."};
    QTest::newRow("Spanish sections")
        << "Tortilla\n\nIngredientes\n4 huevos\n500 g de patatas\n\nPreparación\n"
           "Freír las patatas.\nAñadir los huevos.\n"
        << "Tortilla"
        << "" << QStringList{"4 huevos", "500 g de patatas"}
        << QStringList{"|Freír las patatas.", "|Añadir los huevos."};
    QTest::newRow("no sections: lines that begin with an amount")
        << "Quick Bread\nMy grandmother's.\n500g flour\n1½ cups water\n• 2 tsp salt\n"
           "Mix everything.\n3. Bake for an hour.\n"
        << "Quick Bread"
        << "My grandmother's." << QStringList{"500g flour", "1½ cups water", "2 tsp salt"}
        << QStringList{"|Mix everything.", "|Bake for an hour."};
    QTest::newRow("no recipe: a title and prose")
        << "Dear diary\nToday I cooked nothing.\n"
        << ""
        << "" << QStringList{} << QStringList{"|Today I cooked nothing."};
    QTest::newRow("blank") << "  \n\n"
                           << ""
                           << "" << QStringList{} << QStringList{};
}

void TestTextImport::readsPlainText()
{
    QFETCH(QString, text);
    const ImportedRecipe recipe = PlainTextReader::read(text);
    QTEST(recipe.title, "title");
    QTEST(recipe.ingredients, "ingredients");
    if (!recipe.title.isEmpty()) {
        QTEST(recipe.description, "description");
        QTEST(describe(recipe.steps), "steps");
    }
}

void TestTextImport::readsTheClipboard()
{
    // HTML with a recipe wins; HTML without one falls back to the text.
    const QString html =
        R"(<div itemscope itemtype="https://schema.org/Recipe">)"
        R"(<b itemprop="name">Toast</b><i itemprop="recipeIngredient">1 slice bread</i></div>)";
    const QList<ImportedRecipe> fromHtml = RecipeImporter::importClipboard(html, "ignored");
    QCOMPARE(fromHtml.size(), 1);
    QCOMPARE(fromHtml.first().title, QString("Toast"));

    const QList<ImportedRecipe> fromText =
        RecipeImporter::importClipboard("<p>no recipe here</p>", "Tea\n1 tea bag\nSteep.");
    QCOMPARE(fromText.size(), 1);
    QCOMPARE(fromText.first().ingredients, QStringList{"1 tea bag"});
    QVERIFY(RecipeImporter::importClipboard(QString(), "just words").isEmpty());
}

void TestTextImport::takesServingsOutOfTheText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("line"); // the servings line
    QTest::addColumn<QString>("yield");
    QTest::addColumn<QStringList>("ingredients");
    QTest::addColumn<QString>("description");

    QTest::newRow("English, in the description")
        << "Pancakes\nFluffy ones.\nServes 4\nIngredients\n200 g flour\nDirections\nFry."
        << "Serves 4"
        << "4" << QStringList{"200 g flour"} << "Fluffy ones.";
    QTest::newRow("German, among the ingredients")
        << "Spätzle\nZutaten\nFür 4 Personen\n400 g Mehl\n4 Eier\nZubereitung\nSchaben."
        << "Für 4 Personen"
        << "4" << QStringList{"400 g Mehl", "4 Eier"} << "";
    QTest::newRow("Chinese") << "番茄炒蛋\n4 人份\n材料\n番茄 2个\n鸡蛋 3个\n做法\n炒。"
                             << "4 人份"
                             << "4" << QStringList{"番茄 2个", "鸡蛋 3个"} << "";
    QTest::newRow("French, bulleted, no sections")
        << "Gratin\n- Pour 6 personnes\n1 kg de pommes de terre\nCuire."
        << "Pour 6 personnes"
        << "6" << QStringList{"1 kg de pommes de terre"} << "";
    QTest::newRow("labelled") << "Soup\nServings: 2\n1 l stock\nHeat."
                              << "Servings: 2"
                              << "2" << QStringList{"1 l stock"} << "";
    QTest::newRow("an ingredient and a bare 'for' are no servings lines")
        << "Omelette\n4 eggs\nFor 2\nBeat."
        << ""
        << "" << QStringList{"4 eggs"} << "";
}

void TestTextImport::takesServingsOutOfTheText()
{
    QFETCH(QString, text);
    QFETCH(QString, line);
    QFETCH(QString, yield);
    const ImportedRecipe recipe = PlainTextReader::read(text);
    QCOMPARE(recipe.yield, yield);
    QTEST(recipe.ingredients, "ingredients");
    QTEST(recipe.description, "description");
    const QString written = toRecipeMarkdown(recipe);
    if (!line.isEmpty()) {
        QVERIFY2(!written.contains(line), qPrintable(written));
        QVERIFY2(written.contains("\nservings: " + yield + "\n"), qPrintable(written));
    } else {
        QVERIFY2(written.contains("For 2") && !written.contains("servings:"), qPrintable(written));
    }
}

QTEST_GUILESS_MAIN(TestTextImport)
#include "tst_textimport.moc"
