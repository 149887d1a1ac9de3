#include "cooking/cookingrecipe.h"
#include "cooking/directionsreader.h"
#include "recipe/ingredientsections.h"
#include "recipe/recipefile.h"
#include "recipe/recipeparser.h"
#include "recipe/recipesections.h"
#include "shopping/shoppingingredientreader.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using Heading = RecipeSections::Heading;

// Headings and list items, and how every reader of a recipe applies them: the
// format's parser by its own rule, and cooking, shopping and the listed names
// all alike.
class TestRecipeSections : public QObject
{
    Q_OBJECT

private slots:
    void headings_data();
    void headings();
    void listItems_data();
    void listItems();
    void subHeadings_data();
    void subHeadings();
    void readersAgreeOnListedIngredients_data();
    void readersAgreeOnListedIngredients();
    void directionsSteps_data();
    void directionsSteps();
    void fileStems_data();
    void fileStems();
    void untitledFilesAreNamedAfterTheirStem();
};

namespace {

QBuffer* openBuffer(const QByteArray& bytes, QObject* parent)
{
    auto* buffer = new QBuffer(parent);
    buffer->setData(bytes);
    buffer->open(QIODevice::ReadOnly);
    return buffer;
}

template<typename Item>
QStringList namesOf(const QList<Item>& items)
{
    QStringList names;
    for (const Item& item : items)
        names.append(item.name);
    return names;
}

QStringList parsedNames(const QByteArray& text)
{
    QBuffer buffer;
    buffer.setData(text);
    buffer.open(QIODevice::ReadOnly);
    QStringList names;
    for (const Ingredient& ingredient : parseRecipe(&buffer).ingredients)
        names.append(ingredient.ingredient);
    return names;
}

QStringList stepTexts(const QList<CookingStep>& steps)
{
    QStringList texts;
    for (const CookingStep& step : steps)
        texts.append(step.text);
    return texts;
}

const QByteArray bom("\xEF\xBB\xBF");

// The line as text, keeping a byte-order mark (fromUtf8 drops it).
QString decoded(const QByteArray& line)
{
    if (line.startsWith(bom))
        return QChar(0xfeff) + QString::fromUtf8(line.sliced(bom.size()));
    return QString::fromUtf8(line);
}

} // namespace

void TestRecipeSections::headings_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<Heading>("heading");

    QTest::newRow("title") << QByteArray("# Lentil Soup\n") << Heading::Title;
    QTest::newRow("empty title") << QByteArray("# ") << Heading::Title;
    QTest::newRow("no blank after #") << QByteArray("#Soup\n") << Heading::None;
    QTest::newRow("level two") << QByteArray("## Soup\n") << Heading::None;
    QTest::newRow("level four") << QByteArray("#### For the sauce\n") << Heading::None;
    QTest::newRow("ingredients") << QByteArray("### Ingredients\n") << Heading::Ingredients;
    QTest::newRow("ingredients, other word ending")
        << QByteArray("### Ingredienten") << Heading::Ingredients;
    QTest::newRow("trailing blanks, CRLF")
        << QByteArray("### Ingredients   \r\n") << Heading::Ingredients;
    QTest::newRow("no blank after ###") << QByteArray("###Ingredients\n") << Heading::None;
    QTest::newRow("indented") << QByteArray(" ### Ingredients\n") << Heading::None;
    QTest::newRow("lower case") << QByteArray("### ingredients\n") << Heading::Other;
    QTest::newRow("directions") << QByteArray("### Directions:\r\n") << Heading::Directions;
    QTest::newRow("metadata") << QByteArray("### Metadata\n") << Heading::Metadata;
    QTest::newRow("meta") << QByteArray("### Meta") << Heading::Metadata;
    QTest::newRow("other") << QByteArray("### Notes\n") << Heading::Other;
    QTest::newRow("bare ###") << QByteArray("### ") << Heading::Other;
    QTest::newRow("byte-order mark, title") << bom + "# Soup\n" << Heading::None;
    QTest::newRow("byte-order mark, ingredients") << bom + "### Ingredients\n" << Heading::None;
    QTest::newRow("German content") << QByteArray("* 2 EL Öl\n") << Heading::None;
    QTest::newRow("empty") << QByteArray() << Heading::None;
    QTest::newRow("lone #") << QByteArray("#") << Heading::None;
}

void TestRecipeSections::headings()
{
    QFETCH(QByteArray, line);
    QFETCH(Heading, heading);
    QCOMPARE(RecipeSections::headingOf(QByteArrayView(line)), heading);
    QCOMPARE(RecipeSections::headingOf(QStringView(decoded(line))), heading);
}

void TestRecipeSections::listItems_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("text"); // null: no list item

    QTest::newRow("dash") << QByteArray("- 1 kg flour\n") << QStringLiteral("1 kg flour\n");
    QTest::newRow("star") << QByteArray("* 2 EL Öl") << QStringLiteral("2 EL Öl");
    QTest::newRow("plus") << QByteArray("+ salt\r\n") << QStringLiteral("salt\r\n");
    QTest::newRow("Chinese") << QByteArray("- 白蘑菇 200 克") << QStringLiteral("白蘑菇 200 克");
    QTest::newRow("indented, tabs") << QByteArray(" \t*\t  salt") << QStringLiteral("salt");
    QTest::newRow("nested under a step")
        << QByteArray("    - in a wide pan") << QStringLiteral("in a wide pan");
    QTest::newRow("empty item") << QByteArray("- \n") << QStringLiteral("\n");
    QTest::newRow("no blank after bullet") << QByteArray("-salt\n") << QString();
    QTest::newRow("bullet alone") << QByteArray("-") << QString();
    QTest::newRow("rule") << QByteArray("---\n") << QString();
    QTest::newRow("numbered") << QByteArray("1. Heat the oil.\n") << QString();
    QTest::newRow("other bullet sign") << QByteArray("• salt") << QString();
    QTest::newRow("byte-order mark") << bom + "- salt" << QString();
    QTest::newRow("prose") << QByteArray("Salt to taste - or not.") << QString();
}

void TestRecipeSections::listItems()
{
    QFETCH(QByteArray, line);
    QFETCH(QString, text);
    const qsizetype byteStart = RecipeSections::listItemTextStart(QByteArrayView(line));
    const QString lineText = decoded(line);
    const qsizetype textStart = RecipeSections::listItemTextStart(QStringView(lineText));
    QCOMPARE(RecipeSections::isListItem(lineText), !text.isNull());
    if (text.isNull()) {
        QCOMPARE(byteStart, -1);
        QCOMPARE(textStart, -1);
        return;
    }
    QCOMPARE(QString::fromUtf8(line.sliced(byteStart)), text);
    QCOMPARE(lineText.sliced(textStart), text);
}

void TestRecipeSections::subHeadings_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("name");
    QTest::newRow("level four") << "#### 辅料\n"
                                << "辅料";
    QTest::newRow("level five, colon") << "##### Für den Teig:\n"
                                       << "Für den Teig";
    QTest::newRow("bold") << "**Béchamel layer**\n"
                          << "Béchamel layer";
    QTest::newRow("bold, colon outside") << "**For the sauce**:"
                                         << "For the sauce";
    QTest::newRow("bold, full-width colon") << "__调料：__"
                                            << "调料";
    QTest::newRow("bullet") << "- 盐 2 g"
                            << "";
    QTest::newRow("level three is a section") << "### Notes"
                                              << "";
    QTest::newRow("no blank after the marks") << "####Sauce"
                                              << "";
    QTest::newRow("bold word within a line") << "**2** eggs, **beaten**"
                                             << "";
    QTest::newRow("empty bold") << "****"
                                << "";
}

void TestRecipeSections::subHeadings()
{
    QFETCH(QString, line);
    QFETCH(QString, name);
    QCOMPARE(RecipeSections::subHeadingOf(line), name);
}

void TestRecipeSections::readersAgreeOnListedIngredients_data()
{
    QTest::addColumn<QByteArray>("recipe");
    QTest::addColumn<QStringList>("listed"); // cooking, shopping, finding
    QTest::addColumn<QStringList>("parsed"); // the format's own rule

    const QStringList flour{QStringLiteral("flour")};
    QTest::newRow("every bullet sign")
        << QByteArray("# Soup\n### Ingredients\n- 1 kg flour\n* salt\n+ 2 eggs\n")
        << QStringList{QStringLiteral("flour"), QStringLiteral("salt"), QStringLiteral("eggs")}
        << flour;
    QTest::newRow("CRLF, headings with trailing blanks")
        << QByteArray("# Soup\r\n### Ingredients  \r\n+ salt\r\n- 1 kg flour\r\n"
                      "### Directions \r\n- 1 kg stirring\r\n")
        << QStringList{QStringLiteral("salt"), QStringLiteral("flour")} << flour;
    QTest::newRow("no blank after ###: no ingredients section")
        << QByteArray("# Soup\n###Ingredients\n- 1 kg flour\n") << QStringList() << QStringList();
    QTest::newRow("byte-order mark before the title")
        << bom + "# Soup\n### Ingredients\n- 1 kg flour\n"
        << flour << flour;
    // Only the format's parser keeps the mark, and with it no heading.
    QTest::newRow("byte-order mark before the heading") << bom + "### Ingredients\n- 1 kg flour\n"
                                                        << flour << QStringList();
    QTest::newRow("German and Chinese")
        << QByteArray("### Ingredients\n- 白蘑菇 200 克\n* 2 EL Öl\n")
        << QStringList{QStringLiteral("白蘑菇"), QStringLiteral("Öl")}
        << QStringList{QStringLiteral("克"), QStringLiteral("Öl")};
    QTest::newRow("other headings stay in the section")
        << QByteArray("### Ingredients\n+ salt\n### For the sauce\n- 1 kg flour\n")
        << QStringList{QStringLiteral("salt"), QStringLiteral("flour")} << flour;
    QTest::newRow("prose and unbulleted words left out")
        << QByteArray("### Ingredients\nYou need:\n-salt\n+2 eggs\n\n- 1 kg flour\n") << flour
        << flour;
    QTest::newRow("the format's rule finds an ingredient mid-line")
        << QByteArray("### Ingredients\nabout - 1 kg flour\n") << flour << flour;
    QTest::newRow("metadata and directions end the section")
        << QByteArray("### Ingredients\n- 1 kg flour\n### Metadata\n- 2 kg tags\n"
                      "### Ingredients\n+ salt\n### Directions\n- 3 kg stirring\n")
        << QStringList{QStringLiteral("flour"), QStringLiteral("salt")} << flour;
    QTest::newRow("title lines are no ingredients")
        << QByteArray("### Ingredients\n# 1 kg Soup\n- 1 kg flour\n") << flour << flour;
}

void TestRecipeSections::readersAgreeOnListedIngredients()
{
    QFETCH(QByteArray, recipe);
    QFETCH(QStringList, listed);
    QFETCH(QStringList, parsed);

    QCOMPARE(parsedNames(recipe), parsed);
    QCOMPARE(namesOf(IngredientSections::read(openBuffer(recipe, this))), listed);
    QCOMPARE(namesOf(ShoppingIngredientReader::readIngredients(openBuffer(recipe, this))), listed);
    QCOMPARE(namesOf(CookingRecipe::fromText(QString::fromUtf8(recipe)).ingredients()), listed);
}

void TestRecipeSections::directionsSteps_data()
{
    QTest::addColumn<QString>("recipe");
    QTest::addColumn<QStringList>("steps");

    QTest::newRow("numbered, with items nested under a step")
        << QStringLiteral("# Soup\n### Directions\n1. Heat the oil.\n   - in a wide pan\n"
                          "2. Add the onions.\n")
        << QStringList{QStringLiteral("Heat the oil.\n• in a wide pan"),
                       QStringLiteral("Add the onions.")};
    QTest::newRow("CRLF, heading with trailing blanks, metadata after")
        << QStringLiteral("### Directions  \r\n1. Stir.\r\n2. Serve.\r\n### Metadata\r\n"
                          "servings: 2\r\n")
        << QStringList{QStringLiteral("Stir."), QStringLiteral("Serve.")};
    QTest::newRow("no directions heading: after the last bullet of any sign")
        << QStringLiteral("# Soup\n### Ingredients\n- 1 kg flour\n+ salt\n\nKnead.\n\nBake.\n"
                          "### Metadata\nservings: 2\n")
        << QStringList{QStringLiteral("Knead."), QStringLiteral("Bake.")};
    QTest::newRow("Chinese steps")
        << QStringLiteral("### Ingredients\n- 白蘑菇 200 克\n### Directions\n1. 白蘑菇切片。\n"
                          "2. 下锅炒。\n")
        << QStringList{QStringLiteral("白蘑菇切片。"), QStringLiteral("下锅炒。")};
    QTest::newRow("without sections: all text but bullets of ingredients and metadata")
        << QStringLiteral("### Notes\nGood cold.\n### Ingredients\n+ salt\n### Meta\nserves: 2\n")
        << QStringList{QStringLiteral("Good cold.")};
}

void TestRecipeSections::directionsSteps()
{
    QFETCH(QString, recipe);
    QFETCH(QStringList, steps);
    QCOMPARE(stepTexts(DirectionsReader::read(recipe)), steps);
}

void TestRecipeSections::fileStems_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("stem");

    QTest::newRow("in a folder") << QStringLiteral("/book/Soups/lentil.recipe.md")
                                 << QStringLiteral("lentil");
    QTest::newRow("blanks and umlauts")
        << QStringLiteral("Grüne Soße.recipe.md") << QStringLiteral("Grüne Soße");
    QTest::newRow("other Markdown") << QStringLiteral("notes.md") << QStringLiteral("notes.md");
    QTest::newRow("suffix in the folder only")
        << QStringLiteral("/a.recipe.md/b.md") << QStringLiteral("b.md");
    QTest::newRow("suffix alone") << QStringLiteral(".recipe.md") << QString();
}

void TestRecipeSections::fileStems()
{
    QFETCH(QString, path);
    QFETCH(QString, stem);
    QCOMPARE(RecipeFile::stemOf(path), stem);
    QCOMPARE(path.endsWith(RecipeFile::suffix), stem != path.section(QLatin1Char('/'), -1));
}

void TestRecipeSections::untitledFilesAreNamedAfterTheirStem()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("Grüne Soße.recipe.md"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("### Ingredients\n+ 2 EL Öl\n");
    file.close();

    const ShoppingRecipe shopping = ShoppingIngredientReader::read(path);
    QVERIFY(shopping.readable);
    QCOMPARE(shopping.title, QStringLiteral("Grüne Soße"));
    QCOMPARE(namesOf(shopping.ingredients), QStringList{QStringLiteral("Öl")});
    const CookingRecipe cooking = CookingRecipe::read(path);
    QCOMPARE(cooking.title(), QStringLiteral("Grüne Soße"));
    QCOMPARE(namesOf(cooking.ingredients()), QStringList{QStringLiteral("Öl")});
}

QTEST_GUILESS_MAIN(TestRecipeSections)
#include "tst_recipesections.moc"
