// New recipe files from imported recipes: the text in the recipe format, the
// round trip through the recipe parser, file names and never overwriting.
#include "import/importedrecipewriter.h"
#include "import/recipefilenames.h"
#include "import/recipemarkdownwriter.h"
#include "recipe/ingredientsections.h"
#include "recipe/recipeparser.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

ParsedRecipe parseText(const QString& text)
{
    QByteArray bytes = text.toUtf8();
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return parseRecipe(&buffer);
}

QStringList describe(const QList<Ingredient>& ingredients)
{
    QStringList out;
    for (const Ingredient& i : ingredients)
        out << i.amount + QLatin1Char('|') + i.unit + QLatin1Char('|') + i.ingredient;
    return out;
}

// What the parser must give back for the lines the writer was handed.
QStringList expectedIngredients(const QStringList& lines)
{
    QList<Ingredient> out;
    for (const QString& line : lines) {
        const Ingredient ingredient = parseIngredientLine(QLatin1String(" * ") + line.simplified());
        if (!ingredient.unit.isEmpty() && !ingredient.ingredient.isEmpty())
            out.append(ingredient);
    }
    return describe(out);
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

ImportedRecipe sample()
{
    ImportedRecipe recipe;
    recipe.title = "Country Sourdough Loaf";
    recipe.description = "A crackling crust.\n\nBaked in a Dutch oven.";
    recipe.ingredients = {"500 g bread flour", "350 g water", "10 g salt"};
    recipe.steps = {
        {"", "Mix."}, {"The dough", "Knead."}, {"The dough", "Rest."}, {"Baking", "Bake."}};
    recipe.yield = "8 servings";
    recipe.totalSeconds = 5400;
    recipe.prepSeconds = 1200;
    recipe.cookSeconds = 4200;
    recipe.tags = {"bread", "Bread", "sourdough, rye", " "};
    recipe.author = "Ada Brennan";
    recipe.source = "https://crumb.example/country-sourdough/";
    recipe.image = "https://crumb.example/loaf.jpg";
    return recipe;
}

} // namespace

class TestImportWriting : public QObject
{
    Q_OBJECT
private slots:
    void writesTheFormat();
    void roundTripsThroughTheParser_data();
    void roundTripsThroughTheParser();
    void escapesTheDescription_data();
    void escapesTheDescription();
    void writesServingsOrYield_data();
    void writesServingsOrYield();
    void namesFilesAfterTitles_data();
    void namesFilesAfterTitles();
    void neverOverwrites();
    void writesThePictureBesideTheRecipe();
    void writesGroupsAndNoEmptySection_data();
    void writesGroupsAndNoEmptySection();
};

void TestImportWriting::writesTheFormat()
{
    const QString expected = "# Country Sourdough Loaf\n"
                             "\n"
                             "A crackling crust.\n"
                             "\n"
                             "Baked in a Dutch oven.\n"
                             "\n"
                             "### Ingredients\n"
                             "\n"
                             " * 500 g bread flour\n"
                             " * 350 g water\n"
                             " * 10 g salt\n"
                             "\n"
                             "### Directions\n"
                             "\n"
                             "1. Mix.\n"
                             "\n"
                             "#### The dough\n"
                             "\n"
                             "1. Knead.\n"
                             "\n"
                             "2. Rest.\n"
                             "\n"
                             "#### Baking\n"
                             "\n"
                             "1. Bake.\n"
                             "\n"
                             "### Metadata\n"
                             "\n"
                             "tags: bread, sourdough rye\n"
                             "servings: 8\n"
                             "time: 1:30\n"
                             "prep time: 0:20\n"
                             "cook time: 1:10\n"
                             "author: Ada Brennan\n"
                             "source: https://crumb.example/country-sourdough/\n"
                             "image: https://crumb.example/loaf.jpg\n";
    QCOMPARE(toRecipeMarkdown(sample()), expected);
}

void TestImportWriting::roundTripsThroughTheParser_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("description");
    QTest::addColumn<QStringList>("ingredients");
    QTest::addColumn<QList<ImportedStep>>("steps");
    QTest::addColumn<QStringList>("tags");
    QTest::addColumn<QString>("author");

    QTest::newRow("plain") << "Soup"
                           << "" << QStringList{"1 kg tomatoes", "salt"}
                           << QList<ImportedStep>{{"", "Cook."}} << QStringList{"soup"} << "";
    QTest::newRow("description that reads as title, markers and metadata")
        << "Tricky"
        << "# Not the title\n### Ingredients\n### Metadata\ntags: wrong\n=====\n<b>"
        << QStringList{"2 pcs red pepper, sliced", "1 kg flour"}
        << QList<ImportedStep>{{"", "# Also not a title"}, {"### Meta", "tags: nope"}}
        << QStringList{"real"} << "";
    QTest::newRow("line breaks inside every field")
        << "Two\nlines"
        << "a\r\nb" << QStringList{"1 kg\nflour", "200 g\rsugar"}
        << QList<ImportedStep>{{"Section\nname", "step\n# title?"}}
        << QStringList{"tag\none", "tags: x"} << "Someone\ntags: evil";
    QTest::newRow("non-Latin scripts")
        << QString::fromUtf8("红烧肉") << QString::fromUtf8("家常菜。")
        << QStringList{QString::fromUtf8("五花肉 500 克"), QString::fromUtf8("- 2 EL Zucker")}
        << QList<ImportedStep>{{"", QString::fromUtf8("切块。")}}
        << QStringList{QString::fromUtf8("中餐"), QString::fromUtf8("Straße"),
                       QString::fromUtf8("STRASSE")}
        << "";
}

void TestImportWriting::roundTripsThroughTheParser()
{
    ImportedRecipe recipe;
    QFETCH(QString, title);
    QFETCH(QString, description);
    QFETCH(QStringList, ingredients);
    QFETCH(QList<ImportedStep>, steps);
    QFETCH(QStringList, tags);
    QFETCH(QString, author);
    recipe.title = title;
    recipe.description = description;
    recipe.ingredients = ingredients;
    recipe.steps = steps;
    recipe.tags = tags;
    recipe.author = author;

    const ParsedRecipe parsed = parseText(toRecipeMarkdown(recipe));
    QCOMPARE(parsed.title, title.simplified());
    QCOMPARE(describe(parsed.ingredients), expectedIngredients(ingredients));
    QCOMPARE(parsed.tags, RecipeMarkdownWriter::cleanTags(tags));
    QCOMPARE(parsed.otherMeta.value("author"),
             author.isEmpty() ? QStringList() : QStringList{author.simplified()});
    const QStringList keys = parsed.otherMeta.keys();
    for (const QString& key : keys)
        QVERIFY2(key == "author", qPrintable(key));
}

void TestImportWriting::escapesTheDescription_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("written");
    QTest::newRow("title") << "# Not the title"
                           << "\\# Not the title";
    QTest::newRow("section") << "### Ingredients"
                             << "\\### Ingredients";
    QTest::newRow("setext underline") << "====="
                                      << "\\=====";
    QTest::newRow("rule") << "---"
                          << "\\---";
    QTest::newRow("raw HTML") << "<img src=x>"
                              << "\\<img src=x>";
    QTest::newRow("quote") << "> said"
                           << "\\> said";
    QTest::newRow("numbered") << "1. Preheat"
                              << "1\\. Preheat";
    QTest::newRow("numbered with parenthesis") << "12) Bake"
                                               << "12\\) Bake";
    QTest::newRow("ordinary") << "2 eggs, beaten"
                              << "2 eggs, beaten";
    QTest::newRow("metadata-like") << "tags: nope"
                                   << "tags: nope";
}

void TestImportWriting::escapesTheDescription()
{
    ImportedRecipe recipe;
    recipe.title = "Escapes";
    QFETCH(QString, line);
    recipe.description = line;
    const QStringList lines = toRecipeMarkdown(recipe).split('\n');
    QTEST(lines.value(2), "written");
}

void TestImportWriting::writesServingsOrYield_data()
{
    QTest::addColumn<QString>("yield");
    QTest::addColumn<QString>("line");
    QTest::newRow("number") << "4"
                            << "servings: 4";
    QTest::newRow("servings") << "6 servings"
                              << "servings: 6";
    QTest::newRow("serves") << "Serves 2"
                            << "servings: 2";
    QTest::newRow("German") << "4 Portionen"
                            << "servings: 4";
    QTest::newRow("French") << "6 personnes"
                            << "servings: 6";
    QTest::newRow("a loaf") << "1 loaf"
                            << "yield: 1 loaf";
    QTest::newRow("a range") << "4-6"
                             << "yield: 4-6";
    QTest::newRow("cookies") << "24 cookies"
                             << "yield: 24 cookies";
}

void TestImportWriting::writesServingsOrYield()
{
    ImportedRecipe recipe;
    recipe.title = "Yield";
    QFETCH(QString, yield);
    recipe.yield = yield;
    const QString text = toRecipeMarkdown(recipe);
    QFETCH(QString, line);
    QVERIFY2(text.contains(QLatin1Char('\n') + line + QLatin1Char('\n')), qPrintable(text));
}

void TestImportWriting::namesFilesAfterTitles_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("name");
    QTest::newRow("words") << "Country Sourdough Loaf"
                           << "country-sourdough-loaf";
    QTest::newRow("accents kept") << QString::fromUtf8("Crème Brûlée (Mum's)")
                                  << QString::fromUtf8("crème-brûlée-mums");
    QTest::newRow("unsafe characters") << "A/B: C*D? <E> \"F\" | G\\H"
                                       << "ab-cd-e-f-gh";
    QTest::newRow("dots and dashes") << "..Mac & Cheese -- v2.0.."
                                     << "mac-cheese-v2-0";
    QTest::newRow("Chinese") << QString::fromUtf8("红烧 肉") << QString::fromUtf8("红烧-肉");
    QTest::newRow("nothing usable") << "???"
                                    << "recipe";
    QTest::newRow("reserved on Windows") << "Con"
                                         << "con-recipe";
    QTest::newRow("long") << QString(200, QLatin1Char('a')) << QString(80, QLatin1Char('a'));
}

void TestImportWriting::namesFilesAfterTitles()
{
    QFETCH(QString, title);
    QTEST(RecipeFileNames::baseName(title), "name");
}

void TestImportWriting::neverOverwrites()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QFile existing(dir.filePath("soup.recipe.md"));
    QVERIFY(existing.open(QIODevice::WriteOnly));
    existing.write("# Mine\n");
    existing.close();

    ImportedRecipe recipe;
    recipe.title = "Soup";
    recipe.ingredients = {"1 kg tomatoes"};
    const ImportedRecipeWriter writer(dir.path());
    QCOMPARE(writer.write(recipe), dir.filePath("soup-2.recipe.md"));
    QCOMPARE(writer.write(recipe), dir.filePath("soup-3.recipe.md"));
    QCOMPARE(readFile(dir.filePath("soup.recipe.md")), QByteArray("# Mine\n"));
    QCOMPARE(readFile(dir.filePath("soup-3.recipe.md")), toRecipeMarkdown(recipe).toUtf8());

    QString error;
    QVERIFY(ImportedRecipeWriter(dir.filePath("missing")).write(recipe, &error).isEmpty());
    QVERIFY(!error.isEmpty());
}

void TestImportWriting::writesThePictureBesideTheRecipe()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    // A picture of that name already there: the recipe moves to the next name.
    QFile taken(dir.filePath("tarte.jpg"));
    QVERIFY(taken.open(QIODevice::WriteOnly));
    taken.write("someone else's");
    taken.close();

    ImportedRecipe recipe;
    recipe.title = "Tarte";
    recipe.ingredients = {"4 pommes"};
    recipe.image = "https://lucie.example/tarte.jpg";
    recipe.pictureData = "\xff\xd8\xff picture";
    recipe.pictureSuffix = "jpg";
    const QString path = ImportedRecipeWriter(dir.path()).write(recipe);
    QCOMPARE(path, dir.filePath("tarte-2.recipe.md"));
    QCOMPARE(readFile(dir.filePath("tarte-2.jpg")), recipe.pictureData);
    QCOMPARE(readFile(dir.filePath("tarte.jpg")), QByteArray("someone else's"));
    const QString text = QString::fromUtf8(readFile(path));
    QVERIFY2(text.contains("![Tarte](<tarte-2.jpg>)"), qPrintable(text));
    QVERIFY(!text.contains("image:"));
}

void TestImportWriting::writesGroupsAndNoEmptySection_data()
{
    QTest::addColumn<QStringList>("ingredients");
    QTest::addColumn<QList<int>>("headingsBefore");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("author");
    QTest::addColumn<QString>("expected");

    QTest::newRow("groups, nothing for the metadata")
        << QStringList{"200 g noodles", "1 tbsp oil", "3 tbsp tahini"} << QList<int>{0, 2}
        << QStringList{"Boil."} << ""
        << "# Noodles\n\n### Ingredients\n\n#### Group 0\n\n * 200 g noodles\n * 1 tbsp oil\n"
           "\n#### Group 2\n\n * 3 tbsp tahini\n\n### Directions\n\n1. Boil.\n\n";
    QTest::newRow("steps only")
        << QStringList{} << QList<int>{} << QStringList{"Boil."} << "Ada"
        << "# Noodles\n\n### Directions\n\n1. Boil.\n\n### Metadata\n\nauthor: Ada\n";
    QTest::newRow("ingredients only, a heading that would deepen itself")
        << QStringList{"1 egg"} << QList<int>{0} << QStringList{} << ""
        << "# Noodles\n\n### Ingredients\n\n#### Group 0\n\n * 1 egg\n\n";
}

void TestImportWriting::writesGroupsAndNoEmptySection()
{
    QFETCH(QStringList, ingredients);
    QFETCH(QList<int>, headingsBefore);
    QFETCH(QStringList, steps);
    ImportedRecipe recipe;
    recipe.title = "Noodles";
    recipe.ingredients = ingredients;
    for (const int before : headingsBefore)
        recipe.ingredientHeadings.append({before, QString(ingredients.size() == 1 ? "## " : "") +
                                                      "Group " + QString::number(before)});
    for (const QString& step : steps)
        recipe.steps.append({QString(), step});
    QFETCH(QString, author);
    recipe.author = author;
    const QString written = toRecipeMarkdown(recipe);
    QTEST(written, "expected");

    // The sub-headings keep every line inside the ingredients section.
    QByteArray bytes = written.toUtf8();
    QBuffer buffer(&bytes);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    QStringList read;
    IngredientSections::forEachLine(&buffer, [&read](QByteArrayView line) {
        const QString text = QString::fromUtf8(line).trimmed();
        if (text.startsWith(QLatin1String("* ")))
            read << text.mid(2);
    });
    QCOMPARE(read, ingredients);
}

QTEST_GUILESS_MAIN(TestImportWriting)
#include "tst_importwriting.moc"
