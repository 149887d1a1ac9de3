// The last pass over imported recipes, in the shapes real pages give: titles
// with the site's name, inline-numbered directions, group lines and mended
// ingredient lines, junk tags, mojibake and twice-encoded entities.
#include "import/importcleanup.h"
#include "import/importtext.h"
#include "import/ingredientlines.h"
#include "import/inlinesteps.h"
#include "import/recipetitle.h"
#include "import/sectionnames.h"

#include <QtTest>

class TestImportCleanup : public QObject
{
    Q_OBJECT
private slots:
    void cleansTitles_data();
    void cleansTitles();
    void partsInlineNumberedSteps_data();
    void partsInlineNumberedSteps();
    void tidiesIngredients_data();
    void tidiesIngredients();
    void keepsUsefulTags_data();
    void keepsUsefulTags();
    void mendsText_data();
    void mendsText();
    void tidyingTwiceChangesNothing();
    void namesSectionsInManyLanguages_data();
    void namesSectionsInManyLanguages();
};

void TestImportCleanup::cleansTitles_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("sites");
    QTest::addColumn<QString>("cleaned");

    QTest::newRow("bar before a site's name") << "Mantu (Beef Dumplings) | Afghan Kitchen Recipes"
                                              << QStringList{} << "Mantu (Beef Dumplings)";
    QTest::newRow("bar, site from the address")
        << "Green Minestrone Soup | Donna Hay" << QStringList{"donnahay"}
        << "Green Minestrone Soup";
    QTest::newRow("recipe by") << "Lau Chingri recipe by Bong Eats" << QStringList{}
                               << "Lau Chingri";
    QTest::newRow("leading word, site cut short")
        << "Receita: Crepioca com brócolis e frango - Sabores …"
        << QStringList{"Sabores da Cozinha"} << "Crepioca com brócolis e frango";
    QTest::newRow("trailing word after a dash")
        << "Arretjescake – Recept" << QStringList{} << "Arretjescake";
    QTest::newRow("rating and trailing word")
        << "Lemon Meringue Tartlets Recipe - (4.8/5)" << QStringList{} << "Lemon Meringue Tartlets";
    QTest::newRow("dash before the site's own name")
        << "Pierogi ruskie - Kuchnia Zosi" << QStringList{"Kuchnia Zosi"} << "Pierogi ruskie";
    QTest::newRow("word and site in layers")
        << "Arretjescake – Recept | Smulhuis" << QStringList{"Smulhuis"} << "Arretjescake";
    QTest::newRow("French colon") << "Recette : Gratin dauphinois" << QStringList{}
                                  << "Gratin dauphinois";
    QTest::newRow("dash inside a name, no site given")
        << "Chicken - Rice Bowl" << QStringList{"Weeknight Pantry"} << "Chicken - Rice Bowl";
    QTest::newRow("the word is the name")
        << "Apfelkuchen nach Omas Rezept" << QStringList{} << "Apfelkuchen nach Omas Rezept";
    QTest::newRow("possessive") << "Grandma's Recipe" << QStringList{} << "Grandma's Recipe";
    QTest::newRow("nothing but the word") << "Rezept" << QStringList{} << "Rezept";
    QTest::newRow("of a name, French")
        << "Soupe de poisson recette" << QStringList{} << "Soupe de poisson";
    QTest::newRow("untouched") << "親子丼" << QStringList{"おうちごはん"} << "親子丼";
}

void TestImportCleanup::cleansTitles()
{
    QFETCH(QString, title);
    QFETCH(QStringList, sites);
    QTEST(RecipeTitle::cleaned(title, sites), "cleaned");
}

void TestImportCleanup::partsInlineNumberedSteps_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("steps");

    QTest::newRow("Chinese, no blanks")
        << "1.番茄切丁，鸡蛋打散。2.热锅下油，炒鸡蛋。3.下番茄炒出汁。"
        << QStringList{"番茄切丁，鸡蛋打散。", "热锅下油，炒鸡蛋。", "下番茄炒出汁。"};
    QTest::newRow("Step n:") << "Step 1: Melt the butter. Step 2: Stir in the cocoa."
                             << QStringList{"Melt the butter.", "Stir in the cocoa."};
    QTest::newRow("n) and a temperature before a number")
        << "1) Heat the oven to 180. 2) Beat 2 eggs. 3) Bake at 180. 2 minutes more if pale."
        << QStringList{"Heat the oven to 180.", "Beat 2 eggs.",
                       "Bake at 180. 2 minutes more if pale."};
    QTest::newRow("decimals are amounts")
        << "1. Mix 1.5 cups of flour. 2. Bake at 180. 2 eggs go on top."
        << QStringList{"Mix 1.5 cups of flour.", "Bake at 180. 2 eggs go on top."};
    QTest::newRow("Japanese counter")
        << "第1步 切る。第2步 煮る。" << QStringList{"切る。", "煮る。"};
    QTest::newRow("amounts only") << "Bake at 180. 2 eggs and 3. more"
                                  << QStringList{"Bake at 180. 2 eggs and 3. more"};
    QTest::newRow("not from 1") << "2. Stir. 3. Bake." << QStringList{"2. Stir. 3. Bake."};
    QTest::newRow("one number") << "1. Stir well." << QStringList{"1. Stir well."};
    QTest::newRow("times") << "1 Rest 1:30 h, then 2: bake"
                           << QStringList{"1 Rest 1:30 h, then 2: bake"};
}

void TestImportCleanup::partsInlineNumberedSteps()
{
    QFETCH(QString, text);
    QTEST(InlineSteps::split(text), "steps");
}

void TestImportCleanup::tidiesIngredients_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("written"); // sub-headings as "## name"

    QTest::newRow("group lines become sub-headings")
        << QStringList{"For the noodles:", "200 g noodles", "for the bowls:", "1 cucumber"}
        << QStringList{"## For the noodles", "200 g noodles", "## for the bowls", "1 cucumber"};
    QTest::newRow("the section's own name and a group with nothing after it go")
        << QStringList{"Zutaten für 4 Personen:", "4 Eier", "Zum Servieren:"}
        << QStringList{"4 Eier"};
    QTest::newRow("bullets glued into one line")
        << QStringList{"- 300 g d'emmental - ½ l de bouillon", "salt - to taste"}
        << QStringList{"300 g d'emmental", "½ l de bouillon", "salt - to taste"};
    QTest::newRow("doubled units, plurals by the amount")
        << QStringList{"200 g g sugar",
                       "2 tbsp tbsp oil",
                       "2 clove(s) garlic",
                       "1 clove(s) garlic",
                       "1/2 cup(s) milk",
                       "3 tomato(es)",
                       "g g"}
        << QStringList{
               "200 g sugar", "2 tbsp oil", "2 cloves garlic", "1 clove garlic", "1/2 cup milk",
               "3 tomatoes",  "g g"};
    QTest::newRow("a list button's text")
        << QStringList{"100 g butter Add to shopping list", "1 egg + Add to list"}
        << QStringList{"100 g butter", "1 egg"};
    QTest::newRow("amounts ending in a colon are lines")
        << QStringList{"2 eggs:", "Chinese: 材料："} << QStringList{"2 eggs:"};
}

void TestImportCleanup::tidiesIngredients()
{
    QFETCH(QStringList, lines);
    ImportedRecipe recipe;
    recipe.ingredients = lines;
    IngredientLines::tidy(recipe);
    QStringList written;
    for (qsizetype i = 0; i < recipe.ingredients.size(); ++i) {
        for (const ImportedRecipe::Heading& heading : recipe.ingredientHeadings) {
            if (heading.before == i)
                written << "## " + heading.name;
        }
        written << recipe.ingredients.at(i);
    }
    QTEST(written, "written");
}

void TestImportCleanup::keepsUsefulTags_data()
{
    QTest::addColumn<QStringList>("tags");
    QTest::addColumn<QString>("author");
    QTest::addColumn<QStringList>("kept");

    QTest::newRow("author, site, dates, labels, long entries")
        << QStringList{"chocolade",
                       "Marieke de Vries",
                       "2021",
                       "04-03-2021",
                       "Smulhuis",
                       "Brand Content",
                       "zonder oven",
                       "March 4, 2021",
                       "een heerlijk taartje dat je zonder oven makkelijk zelf maakt",
                       "Dessert"}
        << "Marieke de Vries" << QStringList{"chocolade", "zonder oven", "Dessert"};
    QTest::newRow("several authors, accents and case")
        << QStringList{"ADA BRENNAN", "Jon Hale", "Soupe", "Sponsored", "café"}
        << "Ada Brennan, Jon Hale" << QStringList{"Soupe", "café"};
    QTest::newRow("numbers that are no dates stay")
        << QStringList{"30 minute meals", "5 ingredients"} << ""
        << QStringList{"30 minute meals", "5 ingredients"};
}

void TestImportCleanup::keepsUsefulTags()
{
    QFETCH(QStringList, tags);
    QFETCH(QString, author);
    QTEST(ImportCleanup::usefulTags(tags, author, {"Smulhuis"}), "kept");
}

void TestImportCleanup::mendsText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("line");

    QTest::newRow("entity encoded twice") << "Sticky Pomegranate &amp;amp; Black Pepper"
                                          << "Sticky Pomegranate & Black Pepper";
    QTest::newRow("entity once, a literal angle") << "Salt &amp; pepper &lt; 5 g"
                                                  << "Salt & pepper < 5 g";
    QTest::newRow("UTF-8 no-break space read as Latin-1")
        << QString::fromUtf8("2/3 cup\xc3\x82\xc2\xa0orange juice") << "2/3 cup orange juice";
    QTest::newRow("accents read as Windows-1252")
        << QString::fromUtf8("Cr\xc3\x83\xc2\xa8me br\xc3\x83\xc2\xbbl\xc3\x83\xc2\xa9"
                             "e it\xc3\xa2\xe2\x82\xac\xe2\x84\xa2s")
        << QString::fromUtf8("Crème brûlée it’s");
    QTest::newRow("right text stays")
        << QString::fromUtf8("Crème brûlée, pâte à choux, Â la carte")
        << QString::fromUtf8("Crème brûlée, pâte à choux, Â la carte");
}

void TestImportCleanup::mendsText()
{
    QFETCH(QString, text);
    QTEST(ImportText::line(text), "line");
}

void TestImportCleanup::tidyingTwiceChangesNothing()
{
    ImportedRecipe recipe;
    recipe.title = "Sesame Noodles Recipe | Weeknight Pantry";
    recipe.source = "https://www.weeknightpantry.example/noodles";
    recipe.ingredients = {"For the noodles:", "200 g g noodles", "For the sauce:", "2 tbsp tahini"};
    recipe.steps = {{"", "1. Boil. 2. Toss."}, {"Serving", "Eat."}};
    recipe.tags = {"noodles", "Weeknight Pantry", "2024"};
    ImportCleanup::tidy(recipe);
    QCOMPARE(recipe.title, QString("Sesame Noodles"));
    QCOMPARE(recipe.ingredients, (QStringList{"200 g noodles", "2 tbsp tahini"}));
    QCOMPARE(recipe.ingredientHeadings.size(), 2);
    QCOMPARE(recipe.ingredientHeadings.at(1).before, 1);
    QCOMPARE(recipe.steps.size(), 3);
    QCOMPARE(recipe.steps.at(1).text, QString("Toss."));
    QCOMPARE(recipe.steps.at(2).section, QString("Serving"));
    QCOMPARE(recipe.tags, QStringList{"noodles"});

    const ImportedRecipe once = recipe;
    ImportCleanup::tidy(recipe);
    QCOMPARE(recipe.title, once.title);
    QCOMPARE(recipe.ingredients, once.ingredients);
    QCOMPARE(recipe.ingredientHeadings.size(), once.ingredientHeadings.size());
    QCOMPARE(recipe.ingredientHeadings.at(0).name, once.ingredientHeadings.at(0).name);
    QCOMPARE(recipe.steps.size(), once.steps.size());
    QCOMPARE(recipe.tags, once.tags);
}

void TestImportCleanup::namesSectionsInManyLanguages_data()
{
    QTest::addColumn<QString>("ingredients");
    QTest::addColumn<QString>("directions");

    QTest::newRow("Dutch") << "Ingrediënten"
                           << "Bereidingswijze";
    QTest::newRow("Danish") << "Ingredienser:"
                            << "Fremgangsmåde";
    QTest::newRow("Swedish") << "Ingredienser"
                             << "Gör så här";
    QTest::newRow("Norwegian") << "INGREDIENSER"
                               << "Slik gjør du";
    QTest::newRow("Polish") << "Składniki"
                            << "Sposób przygotowania:";
    QTest::newRow("Portuguese") << "Ingredientes"
                                << "Modo de preparo";
    QTest::newRow("Hungarian") << "Hozzávalók 4 főre"
                               << "Elkészítés";
    QTest::newRow("Czech") << "Suroviny"
                           << "Postup";
    QTest::newRow("Turkish") << "Malzemeler"
                             << "Yapılışı";
    QTest::newRow("Finnish") << "Ainekset"
                             << "Valmistus";
    QTest::newRow("Romanian") << "Ingrediente"
                              << "Mod de preparare";
    QTest::newRow("Russian") << "Ингредиенты"
                             << "Приготовление";
    QTest::newRow("Greek") << "Υλικά"
                           << "Εκτέλεση";
    QTest::newRow("Japanese") << "材料（2人分）"
                              << "作り方";
    QTest::newRow("Chinese") << "用料："
                             << "做法";
    QTest::newRow("Korean") << "재료"
                            << "만드는 법";
}

void TestImportCleanup::namesSectionsInManyLanguages()
{
    QFETCH(QString, ingredients);
    QFETCH(QString, directions);
    QVERIFY(SectionNames::isIngredients(ingredients));
    QVERIFY(!SectionNames::isDirections(ingredients));
    QVERIFY(SectionNames::isDirections(directions));
    QVERIFY(!SectionNames::isIngredients(directions));
    // A group inside a section is neither.
    QVERIFY(!SectionNames::isIngredients("For the sauce"));
    QVERIFY(!SectionNames::isDirections("For the sauce"));
}

QTEST_GUILESS_MAIN(TestImportCleanup)
#include "tst_importcleanup.moc"
