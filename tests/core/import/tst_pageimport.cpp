// Recipes read from saved pages and schema.org JSON files: JSON-LD in its
// real shapes, microdata, the headings fallback, and a saved page's picture.
#include "import/recipeimporter.h"
#include "import/recipemarkdownwriter.h"

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

// The lines of a written recipe's Ingredients section, without list marks.
QStringList ingredientSection(const QString& markdown)
{
    QStringList out;
    bool inside = false;
    for (const QString& line : markdown.split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1String("### ")))
            inside = line == QLatin1String("### Ingredients");
        else if (inside && !line.trimmed().isEmpty())
            out << (line.startsWith(QLatin1String(" * ")) ? line.mid(3) : line);
    }
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
    void readsWhatACookReads_data();
    void readsWhatACookReads();
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

void TestPageImport::readsWhatACookReads_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("ingredients"); // as written, sub-headings included
    QTest::addColumn<QStringList>("steps");

    QTest::newRow("recipe-card plugin with groups and separate amount fields, no Recipe in JSON-LD")
        << "wprm-sesame-noodles.html"
        << "Sesame Noodles" << QStringList{"#### For the noodles",       "200 g wheat noodles",
                                           "1 tbsp toasted sesame oil",  "#### For the sauce",
                                           "3 tbsp tahini well stirred", "2 tbsp soy sauce",
                                           "1 clove garlic, grated"}
        << QStringList{"Cook the noodles as the packet says; rinse under cold water.",
                       "Whisk the tahini, soy sauce and garlic with 3 tbsp of the cooking water.",
                       "Toss the noodles with the oil and the sauce."};
    QTest::newRow("plugin with bold group paragraphs, a list button, a rating in the title")
        << "tasty-lemon-tartlets.html"
        << "Lemon Meringue Tartlets"
        << QStringList{"#### For the pastry", "200 g plain flour",    "100 g cold butter, diced",
                       "1 egg yolk",          "#### For the filling", "3 lemons, zest and juice",
                       "2/3 cup orange juice"}
        << QStringList{
               "Rub the butter into the flour, bind with the yolk and chill for 30 minutes.",
               "Line the tins and bake blind at 180 °C for 12 minutes.",
               "Cook the lemon filling until thick, fill the cases and top with meringue."};
    QTest::newRow("French card plugin with heading groups and a leading recipe word")
        << "mvcreate-gratin.html"
        << "Gratin dauphinois"
        << QStringList{"#### Pour le gratin",    "1 kg de pommes de terre", "2 gousses d'ail",
                       "50 cl de crème fraîche", "#### Pour servir",        "1 pincée de muscade"}
        << QStringList{"Éplucher et émincer les pommes de terre.",
                       "Frotter le plat avec l'ail, y ranger les pommes de terre et couvrir de "
                       "crème.",
                       "Cuire 1 h 15 à 160 °C."};
    QTest::newRow("Polish card plugin with group items in the list")
        << "wpzoom-pierogi.html"
        << "Pierogi ruskie" << QStringList{"#### Ciasto", "500 g mąki",       "250 ml ciepłej wody",
                                           "#### Farsz",  "600 g ziemniaków", "300 g twarogu"}
        << QStringList{"Zagnieść ciasto z mąki i wody.",
                       "Ugotować ziemniaki i wymieszać z twarogiem.",
                       "Lepić pierogi i gotować 3 minuty od wypłynięcia."};
    QTest::newRow("German plugin keeping amount, unit and name in separate spans")
        << "cooked-knoblauch.html"
        << "Knoblauchsuppe"
        << QStringList{"#### Für die Suppe", "1 stück knoblauchzehe", "4 landfreude eier",
                       "1 l Gemüsebrühe"}
        << QStringList{"Knoblauch fein hacken und in Butter anschwitzen.",
                       "Mit Brühe aufgießen, 10 Minuten köcheln, die Eier einrühren."};
    QTest::newRow("Japanese recipe in a framework's JSON state")
        << "nextdata-oyakodon.html"
        << "親子丼" << QStringList{"1枚 鶏もも肉", "1/2個 玉ねぎ", "3個 卵", "大さじ3 めんつゆ"}
        << QStringList{"鶏肉を一口大に切り、玉ねぎを薄切りにする。",
                       "鍋にめんつゆと水を入れ、鶏肉と玉ねぎを煮る。",
                       "溶き卵を回し入れ、ご飯にのせる。"};
    QTest::newRow("Chinese recipe in an assigned state object, steps numbered inline")
        << "nuxt-tomato-eggs.html"
        << "番茄炒蛋" << QStringList{"番茄 2个", "鸡蛋 3个", "盐 适量", "糖 1小勺"}
        << QStringList{"番茄切丁，鸡蛋打散。", "热锅下油，炒鸡蛋至凝固后盛出。",
                       "下番茄炒出汁，加入鸡蛋、盐和糖翻匀即可。"};
    QTest::newRow("Dutch JSON-LD: group lines, doubled unit, twice-encoded entity, Step n:")
        << "jsonld-arretjescake.html"
        << "Arretjescake & slagroom"
        << QStringList{"#### Voor de bodem",     "250 g boter",      "200 g suiker",
                       "#### Voor de garnering", "1 bakje slagroom", "2 tbsp cacao"}
        << QStringList{"Smelt de boter met de suiker.",
                       "Breek de koekjes erdoor en roer de cacao erdoor.",
                       "Laat 3 uur opstijven in de koelkast."};
    QTest::newRow("Portuguese microdata naming the recipe, headings holding the rest")
        << "microdata-crepioca.html"
        << "Crepioca com brócolis e frango"
        << QStringList{"1 ovo", "2 colheres (sopa) de goma de tapioca",
                       "1/2 xícara de brócolis cozido", "100 g de frango desfiado"}
        << QStringList{"Bata o ovo com a tapioca.",
                       "Despeje numa frigideira untada e doure dos dois lados.",
                       "Recheie com o brócolis e o frango."};
    QTest::newRow("Swedish headings, Latin-1 page, lines parted by line breaks")
        << "swedish-latin1-kottbullar.html"
        << "Köttbullar" << QStringList{"500 g blandfärs", "1 gul lök", "1 ägg", "1 dl ströbröd"}
        << QStringList{"Blanda färs, lök, ägg och ströbröd.", "Rulla bullar och stek dem gyllene."};
    QTest::newRow("Hungarian headings, trailing recipe word")
        << "hungarian-headings.html"
        << "Gulyásleves"
        << QStringList{"50 dkg marhalábszár", "2 fej vöröshagyma", "1 ek pirospaprika",
                       "3 db burgonya"}
        << QStringList{"A hagymát zsíron megpirítjuk, rászórjuk a paprikát.",
                       "Hozzáadjuk a kockára vágott húst, és puhára főzzük.",
                       "A végén belefőzzük a burgonyát."};
    QTest::newRow("French JSON-LD: bulleted string, (s) plural, 1) steps, 'recipe by'")
        << "jsonld-gratin-dashes.html"
        << "Soupe à l'oignon gratinée"
        << QStringList{"6 oignons", "50 g de beurre", "300 g d'emmental", "½ l de bouillon",
                       "2 tranches de pain"}
        << QStringList{"Émincer les oignons et les faire fondre dans le beurre.",
                       "Mouiller avec le bouillon et cuire 30 min.",
                       "Verser dans des bols, couvrir de pain et d'emmental, gratiner à 220. 2 "
                       "minutes suffisent."};
    QTest::newRow("JSON: ingredient groups given as sections")
        << "sections-ingredients.json"
        << "Bibimbap"
        << QStringList{"#### For the rice",  "300 g short-grain rice",    "450 ml water",
                       "#### For the bowls", "2 carrots, in matchsticks", "4 eggs"}
        << QStringList{"Rinse the rice and cook it.",
                       "Top the rice with the vegetables and a fried egg."};
    QTest::newRow("UTF-8 page with one stray byte: no mojibake elsewhere")
        << "broken-utf8-orange-cake.html"
        << "Orange Cake"
        << QStringList{"2/3 cup orange juice", "200 g sugar \uFFFD caster", "3 eggs"}
        << QStringList{"Beat the eggs with the sugar until pale.", "Fold in the juice and bake."};
    QTest::newRow("site named only by what the page title adds to the main heading")
        << "jsonld-shakshuka-title.html"
        << "Shakshuka"
        << QStringList{"2 tbsp olive oil", "1 onion, sliced", "400 g tinned tomatoes", "4 eggs"}
        << QStringList{"Soften the onion in the oil.",
                       "Add the tomatoes and simmer for 10 minutes.",
                       "Crack in the eggs, cover and cook until set."};
}

void TestPageImport::readsWhatACookReads()
{
    QFETCH(QString, file);
    const QList<ImportedRecipe> recipes = importRecipes(page(file));
    QCOMPARE(recipes.size(), 1);
    const ImportedRecipe& recipe = recipes.first();
    QTEST(recipe.title, "title");
    QTEST(ingredientSection(toRecipeMarkdown(recipe)), "ingredients");
    QStringList steps;
    for (const ImportedStep& step : recipe.steps)
        steps << step.text;
    QTEST(steps, "steps");
}

QTEST_GUILESS_MAIN(TestPageImport)
#include "tst_pageimport.moc"
