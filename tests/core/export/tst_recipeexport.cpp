#include "export/recipeexport.h"
#include "files/safefile.h"
#include "import/recipeimporter.h"
#include "support/recipefiles.h"

#include <QBuffer>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>

#include <sys/stat.h>

using namespace testing;

namespace {

// A photo-sized picture with some detail, so that JPEG has work to do.
QByteArray pictureBytes(int width, int height, const char* format = "PNG")
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x % 256, y % 256, (x * y) % 256));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

struct Steps
{
    QStringList sections;
    QStringList texts;
};

Steps stepsOf(const ImportedRecipe& recipe)
{
    Steps steps;
    for (const ImportedStep& step : recipe.steps) {
        steps.sections << step.section;
        steps.texts << step.text;
    }
    return steps;
}

QJsonObject objectOf(const QByteArray& json)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError)
        qWarning() << error.errorString();
    return document.object();
}

} // namespace

class TestRecipeExport : public QObject
{
    Q_OBJECT
private slots:
    void roundTrip_data();
    void roundTrip();
    void jsonLdShape();
    void jsonLdArrayOfSeveral();
    void pageIsSelfContained();
    void pdfHasThePicture();
    void hostileRecipe_data();
    void hostileRecipe();
    void nothingToExport();
    void isoDurations_data();
    void isoDurations();

private:
    QTemporaryDir m_dir;
};

void TestRecipeExport::roundTrip_data()
{
    QTest::addColumn<QByteArray>("markdown");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("ingredients");
    QTest::addColumn<QStringList>("sections");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("tags");

    QTest::newRow("English, sub-headings and a picture")
        << QByteArray("# Smash Burgers\n\nCrisp edges, soft buns.\n\n![Burgers](photo.png)\n\n"
                      "### Ingredients\n\n#### For the patties\n\n * 500 g ground beef, cold\n"
                      " * 1 tsp salt\n\n#### For the buns\n\n * 4 pcs brioche buns\n * butter\n\n"
                      "### Directions\n\n#### Patties\n\n1. Roll the beef into 4 balls.\n"
                      "2. Smash them flat on a hot griddle for 2 minutes.\n\n#### Buns\n\n"
                      "3. Toast the buns in butter.\n\n### Metadata\n\n"
                      "tags: burger, grill\n\nservings: 4\n\nsource: https://example.org/burgers\n")
        << QStringLiteral("Smash Burgers")
        << QStringList{"500 g ground beef, cold", "1 tsp salt", "4 pcs brioche buns", "butter"}
        << QStringList{"Patties", "Patties", "Buns"}
        << QStringList{"Roll the beef into 4 balls.",
                       "Smash them flat on a hot griddle for 2 minutes.",
                       "Toast the buns in butter."}
        << QStringList{"burger", "grill"};
    QTest::newRow("German")
        << QByteArray("# Käsespätzle\n\n### Ingredients\n\n * 400 g Mehl\n * 4 Stück Eier\n"
                      " * 200 g Bergkäse, gerieben\n\n### Directions\n\n"
                      "1. Mehl und Eier zu einem zähen Teig schlagen.\n"
                      "2. Spätzle in kochendes Salzwasser schaben.\n\n### Metadata\n\n"
                      "tags: Hauptgericht, Käse\n")
        << QStringLiteral("Käsespätzle")
        << QStringList{"400 g Mehl", "4 Stück Eier", "200 g Bergkäse, gerieben"}
        << QStringList{"", ""}
        << QStringList{"Mehl und Eier zu einem zähen Teig schlagen.",
                       "Spätzle in kochendes Salzwasser schaben."}
        << QStringList{"Hauptgericht", "Käse"};
    QTest::newRow("Chinese with a picture in a folder")
        << QByteArray("# 番茄炒蛋\n\n![](<pictures/my photo.png>)\n\n### Ingredients\n\n"
                      " * 番茄 2 个\n * 鸡蛋 3 个\n * 盐 1 茶匙\n\n### Directions\n\n"
                      "1. 番茄切块，鸡蛋打散。\n2. 先炒蛋，再炒番茄，最后加盐。\n\n### Metadata\n\n"
                      "tags: 家常菜, 快手\n")
        << QStringLiteral("番茄炒蛋") << QStringList{"番茄 2 个", "鸡蛋 3 个", "盐 1 茶匙"}
        << QStringList{"", ""}
        << QStringList{"番茄切块，鸡蛋打散。", "先炒蛋，再炒番茄，最后加盐。"}
        << QStringList{"家常菜", "快手"};
    QTest::newRow("French and Japanese, with markup")
        << QByteArray("# Crêpes « maison » & 抹茶\n\n### Ingredients\n\n#### Pâte\n\n"
                      " * 250 g farine\n * 50 cl lait\n * 抹茶 小さじ2\n\n### Directions\n\n"
                      "#### La pâte\n\n1. Mélanger la **farine** et le lait.\n"
                      "2. Laisser reposer 1 heure.\n\n### Metadata\n\ntags: dessert\n")
        << QStringLiteral("Crêpes « maison » & 抹茶")
        << QStringList{"250 g farine", "50 cl lait", "抹茶 小さじ2"}
        << QStringList{"La pâte", "La pâte"}
        << QStringList{"Mélanger la farine et le lait.", "Laisser reposer 1 heure."}
        << QStringList{"dessert"};
}

void TestRecipeExport::roundTrip()
{
    QFETCH(QByteArray, markdown);
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath("photo.png"), pictureBytes(120, 80)));
    QVERIFY(writeFile(dir.filePath("pictures/my photo.png"), pictureBytes(90, 60)));
    const QString recipe = dir.filePath("dish.recipe.md");
    QVERIFY(writeFile(recipe, markdown));

    const QByteArray page = recipeHtml(recipe);
    QVERIFY(!page.isEmpty());
    const QString pagePath = dir.filePath("out/dish.html");
    QVERIFY(writeFile(pagePath, page));
    const QList<ImportedRecipe> imported = importRecipes(pagePath);
    QCOMPARE(imported.size(), 1);
    const ImportedRecipe& back = imported.first();
    QTEST(back.title, "title");
    QTEST(back.ingredients, "ingredients");
    const Steps steps = stepsOf(back);
    QTEST(steps.sections, "sections");
    QTEST(steps.texts, "steps");
    QTEST(back.tags, "tags");
    // The page carries its picture and names no file beside it.
    if (markdown.contains("!["))
        QVERIFY(back.image.startsWith(QLatin1String("data:image/")));
    QVERIFY(!page.contains("photo.png"));
}

void TestRecipeExport::jsonLdShape()
{
    const QString recipe = m_dir.filePath("shape/dal.recipe.md");
    QVERIFY(writeFile(m_dir.filePath("shape/dal.png"), pictureBytes(64, 48)));
    QVERIFY(writeFile(recipe,
                      "# Red Lentil Dal\n\nA quick, **golden** dal.\n\n![dal](dal.png)\n\n"
                      "### Ingredients\n\n * 250 g red lentils\n * salt\n\n### Directions\n\n"
                      "Rinse the lentils.\n\n#### The dal\n\n1. Simmer for 20 minutes.\n\n"
                      "### Metadata\n\ntags: soup, quick\n\nservings: 4\n\ntime: 1 h 10 min\n\n"
                      "prep time: 0:15\n\nauthor: Ana\n\nsource: Grandmother's notebook\n"));
    const QJsonObject object = objectOf(recipeJsonLd(recipe));
    QCOMPARE(object.value("@context").toString(), QStringLiteral("https://schema.org"));
    QCOMPARE(object.value("@type").toString(), QStringLiteral("Recipe"));
    QCOMPARE(object.value("name").toString(), QStringLiteral("Red Lentil Dal"));
    QCOMPARE(object.value("description").toString(), QStringLiteral("A quick, golden dal."));
    QCOMPARE(object.value("recipeIngredient").toArray(), QJsonArray({"250 g red lentils", "salt"}));
    const QJsonArray instructions = object.value("recipeInstructions").toArray();
    QCOMPARE(instructions.size(), 2);
    QCOMPARE(instructions[0].toObject().value("@type").toString(), QStringLiteral("HowToStep"));
    QCOMPARE(instructions[0].toObject().value("text").toString(),
             QStringLiteral("Rinse the lentils."));
    const QJsonObject section = instructions[1].toObject();
    QCOMPARE(section.value("@type").toString(), QStringLiteral("HowToSection"));
    QCOMPARE(section.value("name").toString(), QStringLiteral("The dal"));
    const QJsonArray inSection = section.value("itemListElement").toArray();
    QCOMPARE(inSection.size(), 1);
    QCOMPARE(inSection[0].toObject().value("@type").toString(), QStringLiteral("HowToStep"));
    QCOMPARE(object.value("recipeYield").toString(), QStringLiteral("4"));
    QCOMPARE(object.value("totalTime").toString(), QStringLiteral("PT1H10M"));
    QCOMPARE(object.value("prepTime").toString(), QStringLiteral("PT15M"));
    QVERIFY(!object.contains("cookTime"));
    QCOMPARE(object.value("keywords").toString(), QStringLiteral("soup, quick"));
    QCOMPARE(object.value("author").toObject().value("name").toString(), QStringLiteral("Ana"));
    QCOMPARE(object.value("isBasedOn").toString(), QStringLiteral("Grandmother's notebook"));
    QVERIFY(!object.contains("url"));
    const QString image = object.value("image").toString();
    QVERIFY(image.startsWith(QLatin1String("data:image/jpeg;base64,")));
    const QImage decoded =
        QImage::fromData(QByteArray::fromBase64(image.mid(image.indexOf(',') + 1).toLatin1()));
    QCOMPARE(decoded.size(), QSize(64, 48));
}

void TestRecipeExport::jsonLdArrayOfSeveral()
{
    const QString soup = writeRecipe(m_dir.filePath("several"), "soup.recipe.md", "Soup");
    const QString stew = writeRecipe(m_dir.filePath("several"), "stew.recipe.md", "Stew");
    const QJsonDocument document = QJsonDocument::fromJson(
        RecipeExport::jsonLdArray({soup, m_dir.filePath("several/gone.recipe.md"), stew}));
    QVERIFY(document.isArray());
    const QJsonArray recipes = document.array();
    QCOMPARE(recipes.size(), 2);
    QCOMPARE(recipes[0].toObject().value("name").toString(), QStringLiteral("Soup"));
    QCOMPARE(recipes[1].toObject().value("name").toString(), QStringLiteral("Stew"));
    QCOMPARE(recipes[1].toObject().value("@type").toString(), QStringLiteral("Recipe"));
}

void TestRecipeExport::pageIsSelfContained()
{
    const QString recipe = m_dir.filePath("page/trap.recipe.md");
    QVERIFY(writeFile(m_dir.filePath("page/big.jpg"), pictureBytes(2400, 1800, "JPEG")));
    QVERIFY(writeFile(recipe, "# Trap </script><b>\n\n![big](big.jpg)\n\n### Ingredients\n\n"
                              " * 1 cup sugar \"</script>\"\n\n### Directions\n\n1. Stir.\n"));
    const QByteArray page = recipeHtml(recipe);
    QVERIFY(page.contains("<meta charset=\"utf-8\""));
    // One script block, which no recipe text can end early.
    QCOMPARE(page.count("<script"), 1);
    QCOMPARE(page.count("</script>"), 1);
    const qsizetype start = page.indexOf('>', page.indexOf("<script")) + 1;
    const QJsonObject object = objectOf(page.mid(start, page.indexOf("</script>") - start));
    QCOMPARE(object.value("name").toString(), QStringLiteral("Trap </script><b>"));
    QVERIFY(page.contains("<title>Trap &lt;/script&gt;&lt;b&gt;</title>"));
    // The picture travels inside, scaled to what a page needs.
    QVERIFY(page.contains("src=\"data:image/jpeg;base64,"));
    QVERIFY(!page.contains("big.jpg"));
    QTextDocument shown;
    shown.setHtml(QString::fromUtf8(page));
    QVERIFY(shown.toPlainText().contains(QStringLiteral("1 cup sugar")));
    QCOMPARE(object.value("recipeIngredient").toArray(), QJsonArray({"1 cup sugar \"</script>\""}));
    QVERIFY(page.size() < 2 * 1024 * 1024);
}

void TestRecipeExport::pdfHasThePicture()
{
    const QString recipe = m_dir.filePath("pdf/tart.recipe.md");
    QVERIFY(writeFile(m_dir.filePath("pdf/tart.png"), pictureBytes(3000, 500)));
    QVERIFY(writeFile(recipe, "# Tart\n\n![tart](tart.png)\n\n### Ingredients\n\n * 3 pcs eggs\n"));
    const QString pdf = m_dir.filePath("pdf/tart.pdf");
    QVERIFY(writeRecipePdf(recipe, pdf));
    QFile file(pdf);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.startsWith("%PDF-"));
    QVERIFY(bytes.contains("/Subtype /Image"));
}

void TestRecipeExport::hostileRecipe_data()
{
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QString>("prepare"); // what stands at the picture's place

    QTest::newRow("link to /dev/zero") << "zero.png"
                                       << "zero";
    QTest::newRow("FIFO") << "fifo.png"
                          << "fifo";
    QTest::newRow("missing") << "nowhere.png"
                             << "";
    QTest::newRow("over the size limit") << "huge.png"
                                         << "huge";
    QTest::newRow("remote") << "https://example.org/a.png"
                            << "";
    QTest::newRow("folder") << "."
                            << "";
    QTest::newRow("not a picture") << "text.png"
                                   << "text";
}

void TestRecipeExport::hostileRecipe()
{
    QFETCH(QString, picture);
    QFETCH(QString, prepare);
    QTemporaryDir dir;
    const QString place = dir.filePath(picture);
    if (prepare == "zero")
        QVERIFY(QFile::link("/dev/zero", place));
    else if (prepare == "fifo")
        QCOMPARE(mkfifo(QFile::encodeName(place).constData(), 0600), 0);
    else if (prepare == "huge")
        QVERIFY(QFile(place).open(QIODevice::WriteOnly) &&
                QFile(place).resize(SafeFile::imageSizeLimit + 1));
    else if (prepare == "text")
        QVERIFY(writeFile(place, "not a picture at all"));
    const QString recipe = dir.filePath("hostile.recipe.md");
    QVERIFY(writeFile(recipe, "# Hostile\n\n![x](" + picture.toUtf8() +
                                  ")\n\n### Ingredients\n\n"
                                  " * 1 kg flour\n"));

    const QByteArray page = recipeHtml(recipe);
    QVERIFY(page.contains("1 kg flour"));
    QVERIFY(page.size() < 64 * 1024);
    const QJsonObject object = objectOf(recipeJsonLd(recipe));
    QCOMPARE(object.value("name").toString(), QStringLiteral("Hostile"));
    QVERIFY(!object.contains("image"));
    QVERIFY(writeRecipePdf(recipe, dir.filePath("hostile.pdf")));
}

void TestRecipeExport::nothingToExport()
{
    QVERIFY(recipeJsonLd(m_dir.filePath("absent.recipe.md")).isEmpty());
    QVERIFY(recipeHtml(QString()).isEmpty());
    QVERIFY(recipeHtml(m_dir.path()).isEmpty());
    QVERIFY(!writeRecipePdf(m_dir.filePath("absent.recipe.md"), m_dir.filePath("absent.pdf")));
    QVERIFY(!QFile::exists(m_dir.filePath("absent.pdf")));
}

void TestRecipeExport::isoDurations_data()
{
    QTest::addColumn<int>("seconds");
    QTest::addColumn<QString>("iso");
    QTest::newRow("none") << 0 << QString();
    QTest::newRow("minutes") << 25 * 60 << "PT25M";
    QTest::newRow("hours") << 2 * 3600 << "PT2H";
    QTest::newRow("both") << 3900 << "PT1H5M";
    QTest::newRow("seconds round up") << 61 << "PT2M";
}

void TestRecipeExport::isoDurations()
{
    QFETCH(int, seconds);
    QTEST(RecipeExport::isoDuration(seconds), "iso");
}

QTEST_MAIN(TestRecipeExport)
#include "tst_recipeexport.moc"
