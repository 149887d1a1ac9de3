// Which imported recipes a cookbook holds already: by the page they came
// from, or by title and ingredient lines together, from what a scan publishes.
#include "collection/scanner.h"
#include "import/importedrecipewriter.h"
#include "import/knownrecipes.h"
#include "support/recipefiles.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace testing;

namespace {

ImportedRecipe recipe(const QString& title, const QStringList& ingredients,
                      const QString& source = QString())
{
    ImportedRecipe imported;
    imported.title = title;
    imported.ingredients = ingredients;
    imported.steps = {{QString(), QStringLiteral("Cook it.")}};
    imported.source = source;
    return imported;
}

} // namespace

Q_DECLARE_METATYPE(ImportedRecipe)

class TestKnownRecipes : public QObject
{
    Q_OBJECT
private slots:
    void findsWhatTheScanPublished_data();
    void findsWhatTheScanPublished();
    void recipesWrittenSinceTheScanAreKnown();
    void sourceKeys_data();
    void sourceKeys();
};

void TestKnownRecipes::findsWhatTheScanPublished_data()
{
    QTest::addColumn<ImportedRecipe>("imported");
    QTest::addColumn<QString>("found"); // file name, empty when new

    const QStringList burgerLines{"500 g ground beef", "4 pcs buns"};
    QTest::newRow("same source, other title")
        << recipe("Smashed burgers", {"1 kg beef"}, "https://www.example.org/smash-burgers/")
        << "burgers.recipe.md";
    QTest::newRow("same title and ingredients, no source")
        << recipe("Smash Burgers", burgerLines) << "burgers.recipe.md";
    QTest::newRow("title in other case and blanks")
        << recipe("  smash   BURGERS ", {"500 g  ground beef", "4 pcs buns"})
        << "burgers.recipe.md";
    QTest::newRow("same title, other ingredients")
        << recipe("Smash Burgers", {"500 g ground lamb", "4 pcs buns"}) << "";
    QTest::newRow("same title, fewer ingredients")
        << recipe("Smash Burgers", {"500 g ground beef"}) << "";
    QTest::newRow("other source, same title, other ingredients")
        << recipe("Smash Burgers", {"1 kg tofu"}, "https://example.com/vegan") << "";
    QTest::newRow("Chinese title and ingredients")
        << recipe("番茄炒蛋", {"番茄 2 个", "鸡蛋 3 个"}) << "tomato-egg.recipe.md";
    QTest::newRow("German, by source from a book")
        << recipe("Spätzle", {}, "Omas Kochbuch, S. 12") << "spaetzle.recipe.md";
    QTest::newRow("nothing alike") << recipe("Pavlova", {"4 pcs egg whites"}) << "";
}

void TestKnownRecipes::findsWhatTheScanPublished()
{
    QFETCH(ImportedRecipe, imported);
    QFETCH(QString, found);
    QTemporaryDir dir;
    QVERIFY(
        writeFile(dir.filePath("burgers.recipe.md"),
                  "# Smash Burgers\n\n### Ingredients\n\n * 500 g ground beef\n * 4 pcs buns\n\n"
                  "### Metadata\n\nsource: http://example.org/smash-burgers\n"));
    QVERIFY(
        writeFile(dir.filePath("tomato-egg.recipe.md"),
                  "# 番茄炒蛋\n\n### Ingredients\n\n#### 主料\n\n - 番茄 2 个\n - 鸡蛋 3 个\n"));
    QVERIFY(writeFile(dir.filePath("spaetzle.recipe.md"),
                      "# Käsespätzle\n\n### Metadata\n\nsource: Omas Kochbuch, S. 12\n"));
    Scanner scanner;
    QSignalSpy published(&scanner, &Scanner::dataUpdated);
    scanner.setRootPath(dir.path());
    scanner.doUpdate();
    QVERIFY(published.wait(30000));
    KnownRecipes known(scanner.titlesByPath(), scanner.sourcesByPath());
    const QString path = known.find(imported);
    QCOMPARE(path, found.isEmpty() ? QString() : QDir(dir.path()).absoluteFilePath(found));
}

void TestKnownRecipes::recipesWrittenSinceTheScanAreKnown()
{
    QTemporaryDir dir;
    KnownRecipes known;
    const ImportedRecipe soup = recipe("Soup", {"1 l water"}, "https://example.org/soup");
    QVERIFY(known.find(soup).isEmpty());
    const QString written = ImportedRecipeWriter(dir.path()).write(soup);
    QVERIFY(!written.isEmpty());
    known.addFile(written);
    QCOMPARE(known.find(soup), written);
    ImportedRecipe copied = soup;
    copied.source.clear();
    QCOMPARE(known.find(copied), written);
    // Added before the first question, the file is read with the rest.
    KnownRecipes later;
    later.addFile(written);
    QCOMPARE(later.find(soup), written);
    later.addFile(dir.filePath("gone.recipe.md"));
    QVERIFY(later.find(recipe("Stew", {"1 kg beef"})).isEmpty());
}

void TestKnownRecipes::sourceKeys_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<bool>("same");
    QTest::newRow("scheme, www and slash") << "https://www.Example.org/a/b/"
                                           << "http://example.org/a/b" << true;
    QTest::newRow("fragment") << "https://example.org/a#recipe"
                              << "https://example.org/a" << true;
    QTest::newRow("query kept") << "https://example.org/r?id=1"
                                << "https://example.org/r?id=2" << false;
    QTest::newRow("other path") << "https://example.org/a"
                                << "https://example.org/b" << false;
    QTest::newRow("not an address") << " Omas Kochbuch "
                                    << "Omas Kochbuch" << true;
}

void TestKnownRecipes::sourceKeys()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QTEST(KnownRecipes::sourceKey(a) == KnownRecipes::sourceKey(b), "same");
}

QTEST_MAIN(TestKnownRecipes)
#include "tst_knownrecipes.moc"
