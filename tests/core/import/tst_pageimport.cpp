// Recipes read from saved pages and schema.org JSON files: JSON-LD in its
// real shapes, microdata, the headings fallback, and a saved page's picture.
#include "import/recipeimporter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QString page(const QString& name)
{
    return QStringLiteral(SALTROVE_IMPORT_PAGES "/") + name;
}

QStringList describe(const QList<ImportedStep>& steps)
{
    QStringList out;
    for (const ImportedStep& step : steps)
        out << step.section + QLatin1Char('|') + step.text;
    return out;
}

} // namespace

class TestPageImport : public QObject
{
    Q_OBJECT
private slots:
    void readsRecipe_data();
    void readsRecipe();
    void countsRecipesPerFile_data();
    void countsRecipesPerFile();
    void takesThePictureFromTheSavedPagesFolder();
    void leavesPicturesOutsideThePagesFolder();
    void refusesPagesOverTheLimit();
    void readsRecipeFoldersWithTheirPictures();
    void readsPagesInTheirOwnEncoding();
};

void TestPageImport::readsRecipe_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("description");
    QTest::addColumn<QStringList>("ingredients");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("tags");
    QTest::addColumn<QString>("yield");
    QTest::addColumn<QList<int>>("times"); // total, prep, cook in seconds
    QTest::addColumn<QString>("author");
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("image");

    QTest::newRow("@graph, @type list, HowToSections, entities, doubled parentheses")
        << "sourdough-graph.html" << 0 << "Country Sourdough Loaf"
        << "A crackling crust & an open crumb.\n\nBaked in a Dutch oven."
        << QStringList{"500 g bread flour (480g)", "350 g water", "100 g active starter",
                       "10 g salt"}
        << QStringList{"The dough|Mix the flour and 325 g of the water; rest 1 hour.",
                       "The dough|Add the starter, the salt and the rest of the water.",
                       "Baking|Bake covered at 250°C for 20 minutes, then uncovered for 40."}
        << QStringList{"bread", "sourdough", "Vegan", "Bread", "French"} << "8"
        << QList<int>{5400, 1200, 4200} << "Ada Brennan"
        << "https://crumb.example/country-sourdough/"
        << "https://crumb.example/wp-content/uploads/loaf-1200.jpg";
    QTest::newRow("mainEntity, comment-wrapped script, raw line breaks, one string of steps")
        << "soup-mainentity.html" << 0 << "Roasted Tomato Soup"
        << "" << QStringList{"1 kg tomatoes", "2 cloves garlic", "500 ml stock"}
        << QStringList{"|Roast the tomatoes and the garlic for 30 minutes.",
                       "|Blend with the stock.", "|Season and serve."}
        << QStringList{} << "4 servings" << QList<int>{2700, 0, 0} << "Jon Hale"
        << ""
        << "https://soup.example/img/1x1.jpg";
    QTest::newRow("microdata only, nested author, meta and time values")
        << "tarte-microdata.html" << 0 << "Tarte aux pommes"
        << "Une tarte simple, pour le goûter."
        << QStringList{"1 pâte brisée", "4 pommes", "50 g de sucre"}
        << QStringList{"|Étaler la pâte dans le moule.", "|Disposer les pommes en fines lamelles.",
                       "|Cuire 35 min à 180 °C."}
        << QStringList{"Dessert"} << "6 personnes" << QList<int>{0, 900, 2100} << "Lucie Marchand"
        << "https://lucie.example/tarte-aux-pommes"
        << QString::fromUtf8("Tarte_files/tarte%20dor%C3%A9e.jpg");
    QTest::newRow("German headings only, og:title, sub-headings, comments left out")
        << "kaesespaetzle-headings.html" << 0 << QString::fromUtf8("Käsespätzle wie bei Oma") << ""
        << QStringList{"400 g Mehl", "4 Eier", "1 TL Salz", "200 g Bergkäse, gerieben",
                       "2 Zwiebeln"}
        << QStringList{"|Mehl, Eier und Salz zu einem zähen Teig schlagen.",
                       "|Den Teig in kochendes Salzwasser schaben.",
                       "Anrichten|Spätzle und Käse schichtweise in eine Form geben."}
        << QStringList{} << "" << QList<int>{0, 0, 0} << ""
        << ""
        << "";
    QTest::newRow("Italian headings only, title from the main heading")
        << "risotto-headings.html" << 0 << "Risotto alla milanese"
        << "" << QStringList{"320 g di riso Carnaroli", "1 bustina di zafferano", "1 l di brodo"}
        << QStringList{"|Tostare il riso.", "|Aggiungere il brodo poco alla volta."}
        << QStringList{} << "" << QList<int>{0, 0, 0} << ""
        << ""
        << "";
    QTest::newRow("second of two recipes in one script, a broken script beside")
        << "two-recipes.html" << 1 << "Iced Tea"
        << "" << QStringList{"4 tea bags", "1 l water"} << QStringList{"|Brew and chill."}
        << QStringList{"Drink"} << "" << QList<int>{0, 0, 0} << ""
        << ""
        << "";
    QTest::newRow("JSON file, instructions as strings, number yield, keyword list")
        << "pancakes-strings.json" << 0 << "Fluffy Pancakes"
        << "Sunday breakfast."
        << QStringList{"200 g flour", "2 eggs", "300 ml milk", "1 tbsp sugar"}
        << QStringList{"|Whisk everything together.", "|Rest for 10 minutes.", "|Fry in a hot pan."}
        << QStringList{"breakfast", "Breakfast", "quick"} << "6" << QList<int>{0, 600, 900} << ""
        << "https://pancakes.example/fluffy"
        << "";
    QTest::newRow("JSON with raw tabs, line breaks and control characters in strings")
        << "chili-control.json" << 0 << "Chili con carne"
        << "" << QStringList{"500 g beef mince", "1 can kidney beans"}
        << QStringList{"|Brown the mince.", "|Add the beans."} << QStringList{} << ""
        << QList<int>{0, 0, 0} << ""
        << ""
        << "";
}

void TestPageImport::readsRecipe()
{
    QFETCH(QString, file);
    QFETCH(int, index);
    const QList<ImportedRecipe> recipes = importRecipes(page(file));
    QVERIFY2(index < recipes.size(), qPrintable(RecipeImporter::importFile(page(file)).problem));
    const ImportedRecipe& recipe = recipes.at(index);
    QTEST(recipe.title, "title");
    QTEST(recipe.description, "description");
    QTEST(recipe.ingredients, "ingredients");
    QTEST(describe(recipe.steps), "steps");
    QTEST(recipe.tags, "tags");
    QTEST(recipe.yield, "yield");
    QTEST((QList<int>{recipe.totalSeconds, recipe.prepSeconds, recipe.cookSeconds}), "times");
    QTEST(recipe.author, "author");
    QTEST(recipe.source, "source");
    QTEST(recipe.image, "image");
}

void TestPageImport::countsRecipesPerFile_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("problem");
    QTest::newRow("two recipes") << "two-recipes.html" << 2 << "";
    QTest::newRow("the comment's recipe is not read") << "sourdough-graph.html" << 1 << "";
    QTest::newRow("no recipe, only an organisation") << "no-recipe.html" << 0 << "no recipe found";
    QTest::newRow("missing file") << "nothing-here.html" << 0 << "not found";
    QTest::newRow("unknown kind") << "../tst_pageimport.cpp" << 0
                                  << "not a kind of file recipes are imported from";
}

void TestPageImport::countsRecipesPerFile()
{
    QFETCH(QString, file);
    const RecipeImporter::Result result = RecipeImporter::importFile(page(file));
    QTEST(int(result.recipes.size()), "count");
    QTEST(result.problem, "problem");
}

void TestPageImport::takesThePictureFromTheSavedPagesFolder()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(QFile::copy(page("tarte-microdata.html"), dir.filePath("Tarte.html")));
    QVERIFY(QDir(dir.path()).mkdir("Tarte_files"));
    const QByteArray jpeg("\xff\xd8\xff\xe0 not really a picture");
    QFile picture(dir.filePath(QString::fromUtf8("Tarte_files/tarte dorée.jpg")));
    QVERIFY(picture.open(QIODevice::WriteOnly));
    picture.write(jpeg);
    picture.close();

    const QList<ImportedRecipe> recipes = importRecipes(dir.filePath("Tarte.html"));
    QCOMPARE(recipes.size(), 1);
    QCOMPARE(recipes.first().pictureData, jpeg);
    QCOMPARE(recipes.first().pictureSuffix, QString("jpg"));
    // The folder of pictures holds no recipes of its own.
    QCOMPARE(RecipeImporter::filesIn({dir.path()}), QStringList{dir.filePath("Tarte.html")});
}

void TestPageImport::leavesPicturesOutsideThePagesFolder()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(QDir(dir.path()).mkpath("pages"));
    QFile secret(dir.filePath("secret.jpg"));
    QVERIFY(secret.open(QIODevice::WriteOnly));
    secret.write("\xff\xd8\xff secret");
    secret.close();
    QFile html(dir.filePath("pages/page.html"));
    QVERIFY(html.open(QIODevice::WriteOnly));
    html.write(R"(<html><body><img src="../secret.jpg"><img src="/dev/zero">
<script type="application/ld+json">{"@type":"Recipe","name":"Sneaky","image":"https://x.example/secret.jpg",
"recipeIngredient":["1 egg"]}</script></body></html>)");
    html.close();
    const QList<ImportedRecipe> recipes = importRecipes(html.fileName());
    QCOMPARE(recipes.size(), 1);
    QVERIFY(recipes.first().pictureData.isEmpty());
}

void TestPageImport::refusesPagesOverTheLimit()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QFile big(dir.filePath("big.html"));
    QVERIFY(big.open(QIODevice::WriteOnly));
    QVERIFY(big.resize(qint64(32) * 1024 * 1024 + 1)); // sparse: no disk used
    big.close();
    const RecipeImporter::Result result = RecipeImporter::importFile(big.fileName());
    QVERIFY(result.recipes.isEmpty());
    QCOMPARE(result.problem, QString("larger than 32 MiB"));
}

void TestPageImport::readsRecipeFoldersWithTheirPictures()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QByteArray json =
        R"({"@type":"Recipe","name":"%1","recipeIngredient":["1 egg"],"image":"full.jpg"})";
    const QByteArray full("\xff\xd8\xff full picture");
    const QByteArray thumb("\xff\xd8\xff thumb");
    auto write = [&](const QString& name, const QByteArray& bytes) {
        QDir().mkpath(QFileInfo(dir.filePath(name)).absolutePath());
        QFile file(dir.filePath(name));
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    };
    QVERIFY(write("Cookbook/Omelette/recipe.json", QByteArray(json).replace("%1", "Omelette")));
    QVERIFY(write("Cookbook/Omelette/full.jpg", full));
    QVERIFY(write("Cookbook/Omelette/thumb.jpg", thumb));
    QVERIFY(write("Cookbook/Toast/recipe.json", QByteArray(json).replace("%1", "Toast")));
    QVERIFY(write("Cookbook/Toast/picture.png", "\x89PNG toast"));
    QVERIFY(write("Cookbook/Toast/notes.txt", "not imported"));

    const QStringList files = RecipeImporter::filesIn({dir.filePath("Cookbook")});
    QCOMPARE(files, (QStringList{dir.filePath("Cookbook/Omelette/recipe.json"),
                                 dir.filePath("Cookbook/Toast/recipe.json")}));
    const QList<ImportedRecipe> omelette = importRecipes(files.first());
    QCOMPARE(omelette.size(), 1);
    QCOMPARE(omelette.first().pictureData, full);
    const QList<ImportedRecipe> toast = importRecipes(files.last());
    QCOMPARE(toast.size(), 1);
    QCOMPARE(toast.first().pictureSuffix, QString("png"));
}

void TestPageImport::readsPagesInTheirOwnEncoding()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QFile file(dir.filePath("latin1.html"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    // "Crème brûlée" and "Zutaten für" in ISO 8859-1, as older sites still serve them.
    file.write("<html><head><meta charset=\"iso-8859-1\"><title>Cr\xe8me br\xfbl\xe9"
               "e</title></head>"
               "<body><h1>Cr\xe8me br\xfbl\xe9"
               "e</h1><h2>Zutaten f\xfcr 4</h2><ul><li>4 Eigelb</li>"
               "<li>50 g Zucker</li></ul><h2>Zubereitung</h2><p>R\xfchren.</p></body></html>");
    file.close();
    const QList<ImportedRecipe> recipes = importRecipes(file.fileName());
    QCOMPARE(recipes.size(), 1);
    QCOMPARE(recipes.first().title, QString::fromUtf8("Crème brûlée"));
    QCOMPARE(recipes.first().ingredients, (QStringList{"4 Eigelb", "50 g Zucker"}));
    QCOMPARE(recipes.first().steps.first().text, QString::fromUtf8("Rühren."));
}

QTEST_GUILESS_MAIN(TestPageImport)
#include "tst_pageimport.moc"
