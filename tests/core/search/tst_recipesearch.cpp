// The search both programs' Find drives, over a real Scanner and real files:
// what it finds and says, the recipes lacking one ingredient, what a typed
// name chooses and what is offered for it, rescans and other collections,
// cookbooks with files no recipe should be, and the results model itself.
#include "collection/scanner.h"
#include "pantry/pantrysession.h"
#include "search/findresultsmodel.h"
#include "search/recipesearch.h"
#include "support/hostilecookbooks.h"
#include "support/recipefiles.h"

#include <QAbstractItemModelTester>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

#include <sys/stat.h>

using namespace testing;

namespace {

constexpr int timeout = 30000;

// A search fed by its own scanner, with its results model under test.
struct ScannedSearch
{
    explicit ScannedSearch(const QString& folder, bool shown = true)
        : tester(search.results(), QAbstractItemModelTester::FailureReportingMode::QtTest)
    {
        search.setShown(shown);
        search.setScanner(&scanner);
        scan(folder);
    }
    void scan(const QString& folder)
    {
        QSignalSpy updated(&scanner, &Scanner::dataUpdated);
        scanner.setRootPath(folder);
        QVERIFY(updated.wait(timeout));
    }
    void rescan()
    {
        QSignalSpy updated(&scanner, &Scanner::dataUpdated);
        scanner.doUpdate();
        QVERIFY(updated.wait(timeout));
    }
    // Types and asks at once, as Enter in the text field does.
    void type(const QString& typed)
    {
        search.setText(typed);
        search.findNow();
    }
    // Each row as "title" or "title|missing: name", from the columns a tree
    // shows and checked against the roles a list reads.
    QStringList rows() const
    {
        QStringList rows;
        const QAbstractItemModel* model = search.results();
        for (int row = 0; row < model->rowCount(); ++row) {
            QString shown = model->index(row, 0).data().toString();
            const QString missing = model->index(row, 1).data().toString();
            if (model->index(row, 0).data(FindResultsModel::MissingRole).toString() != missing)
                return {QStringLiteral("missing role differs in row %1").arg(row)};
            if (!missing.isEmpty())
                shown += QLatin1Char('|') + missing;
            rows << shown;
        }
        return rows;
    }

    Scanner scanner;
    RecipeSearch search;
    QAbstractItemModelTester tester;
};

} // namespace

class RecipeSearchTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_cookbook.isValid());
        writeSampleCookbook(m_cookbook.path());
    }

    void findsByTextIngredientsAndTags_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("ingredients");
        QTest::addColumn<QStringList>("tags");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("status");
        const QStringList none;
        QTest::newRow("no condition")
            << QString() << none << none << none << "Type a word or choose an ingredient or tag";
        QTest::newRow("blanks only")
            << "   " << none << none << none << "Type a word or choose an ingredient or tag";
        QTest::newRow("accents and case")
            << "creme BRULEE" << none << none << QStringList{"Crème Brûlée"} << "1 recipe";
        QTest::newRow("title order")
            << "soup" << none << none << QStringList{"Pea Soup", "Tomato Soup"} << "2 recipes";
        QTest::newRow("text of the directions")
            << "cook" << none << none
            << QStringList{"Basil Pesto", "Crème Brûlée", "Fried Rice", "Pea Soup", "Tomato Soup"}
            << "5 recipes";
        QTest::newRow("nothing found") << "caramel" << none << none << none << "0 recipes";
        QTest::newRow("ingredient at a word start")
            << QString() << QStringList{"onion"} << none << QStringList{"Pea Soup", "Tomato Soup"}
            << "2 recipes";
        QTest::newRow("ingredient inside words only")
            << QString() << QStringList{"ice"} << none << none << "0 recipes";
        QTest::newRow("ingredients, one missing")
            << QString() << QStringList{"onion", "basil"} << none
            << QStringList{"Tomato Soup", "Basil Pesto|missing: onion", "Pea Soup|missing: basil"}
            << "1 recipe";
        QTest::newRow("nothing has all three")
            << QString() << QStringList{"onion", "basil", "cream"} << none
            << QStringList{"Tomato Soup|missing: cream"} << "0 recipes";
        QTest::newRow("tag without case")
            << QString() << none << QStringList{"QUICK"} << QStringList{"Basil Pesto", "Fried Rice"}
            << "2 recipes";
        QTest::newRow("all kinds at once") << "dish" << QStringList{"garlic"} << QStringList{"soup"}
                                           << QStringList{"Tomato Soup"} << "1 recipe";
    }

    void findsByTextIngredientsAndTags()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, ingredients);
        QFETCH(QStringList, tags);
        QFETCH(QStringList, rows);
        ScannedSearch scanned(m_cookbook.path());
        QCOMPARE(scanned.search.status(),
                 QStringLiteral("Type a word or choose an ingredient or tag"));
        for (const QString& name : ingredients)
            scanned.search.chooseIngredient(name);
        for (const QString& name : tags)
            scanned.search.chooseTag(name);
        scanned.search.setText(text); // searched once typing pauses
        QFETCH(QString, status);
        QTRY_COMPARE_WITH_TIMEOUT(scanned.search.status(), status, timeout);
        QCOMPARE(scanned.rows(), rows);
        const QAbstractItemModel* model = scanned.search.results();
        for (int row = 0; row < model->rowCount(); ++row) {
            const QString path = model->index(row, 0).data(PathRole).toString();
            QVERIFY(QFileInfo(path).isAbsolute());
            QCOMPARE(model->index(row, 1).data(PathRole).toString(), path);
            QCOMPARE(scanned.scanner.titlesByPath().value(path),
                     model->index(row, 0).data().toString());
        }
    }

    // Ingredients are chosen by the names people write, not only by lines of
    // three words: two-word lines, names after the number, names first.
    void choosesIngredientsAsPeopleWriteThem_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("two-word line") << "onion" << QStringList{"Zwiebelkuchen", "Zwiebelsuppe"};
        QTest::newRow("cloves after the name") << "garlic" << QStringList{"Aioli"};
        QTest::newRow("German two words") << "Knoblauchzehen" << QStringList{"Zwiebelsuppe"};
        QTest::newRow("Chinese name first") << "白蘑菇" << QStringList{"蘑菇汤"};
        QTest::newRow("Chinese with colon") << "盐" << QStringList{"蘑菇汤"};
        QTest::newRow("glued amount") << "potatoes" << QStringList{"Aioli"};
        QTest::newRow("prose is no ingredient") << "stir" << QStringList{};
    }

    void choosesIngredientsAsPeopleWriteThem()
    {
        QFETCH(QString, chosen);
        QFETCH(QStringList, rows);
        QTemporaryDir cookbook;
        QVERIFY(writeFile(cookbook.filePath(QStringLiteral("aioli.recipe.md")),
                          "# Aioli\n\n### Ingredients\n\n * 2 garlic cloves\n"
                          " * 500g potatoes\n\nStir well.\n"));
        QVERIFY(writeFile(cookbook.filePath(QStringLiteral("kuchen.recipe.md")),
                          "# Zwiebelkuchen\n\n### Ingredients\n\n- 1/2 onion\n- 2 Eier\n"));
        QVERIFY(writeFile(cookbook.filePath(QStringLiteral("suppe.recipe.md")),
                          "# Zwiebelsuppe\n\n### Ingredients\n\n- 3 Onions\n"
                          "- 2 Knoblauchzehen\n"));
        QVERIFY(writeFile(cookbook.filePath(QStringLiteral("mogu.recipe.md")),
                          "# 蘑菇汤\n\n### Ingredients\n\n- 白蘑菇 200 克\n- 盐: 2 g\n"));
        ScannedSearch scanned(cookbook.path());
        QCOMPARE(scanned.search.ingredientSuggestions(QStringLiteral("ONION")),
                 (QStringList{"onion", "Onions"}));
        QCOMPARE(scanned.search.ingredientSuggestions(QStringLiteral("白")), QStringList{"白蘑菇"});
        scanned.search.chooseIngredient(chosen);
        const QString status = rows.size() == 1 ? QStringLiteral("1 recipe")
                                                : QStringLiteral("%1 recipes").arg(rows.size());
        QTRY_COMPARE_WITH_TIMEOUT(scanned.search.status(), status, timeout);
        QCOMPARE(scanned.rows(), rows);
    }

    // What was typed is chosen as it is, never swapped for an offered name:
    // "Zwiebel" begins a word of all three onion lines.
    void choosesWhatWasTypedNotAnOfferedName()
    {
        QTemporaryDir cookbook;
        QVERIFY(writeOnionCookbook(cookbook.path()));
        ScannedSearch scanned(cookbook.path());
        QSignalSpy chosen(&scanned.search, &RecipeSearch::ingredientsChanged);
        scanned.search.chooseIngredient(QStringLiteral("  Zwiebel "));
        QCOMPARE(scanned.search.ingredients(), QStringList{"Zwiebel"});
        QTRY_COMPARE_WITH_TIMEOUT(scanned.search.status(), QStringLiteral("3 recipes"), timeout);
        QCOMPARE(scanned.rows(), (QStringList{"Kuchen", "Salat", "Suppe"}));
        // The same name again, in other case, and blanks change nothing.
        scanned.search.chooseIngredient(QStringLiteral("ZWIEBEL"));
        scanned.search.chooseIngredient(QStringLiteral("   "));
        QCOMPARE(scanned.search.ingredients(), QStringList{"Zwiebel"});
        QCOMPARE(chosen.size(), 1);
        // An offered name chosen instead finds only the recipes listing it.
        scanned.search.dropIngredient(QStringLiteral("Zwiebel"));
        QCOMPARE(scanned.search.ingredients(), QStringList{});
        const QStringList offered = scanned.search.ingredientSuggestions(QStringLiteral("ROTE"));
        QCOMPARE(offered, QStringList{"rote Zwiebel"});
        scanned.search.chooseIngredient(offered.first());
        QTRY_COMPARE_WITH_TIMEOUT(scanned.rows(), QStringList{"Salat"}, timeout);
    }

    void offersNamesAWordOfWhichBeginsWithTheTyped_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("limit");
        QTest::addColumn<QStringList>("chosen");
        QTest::addColumn<QStringList>("offered");
        QTest::newRow("nothing typed") << "  " << 8 << QStringList() << QStringList();
        QTest::newRow("any word, any case")
            << "ONION" << 8 << QStringList() << QStringList{"Onions", "red onions"};
        QTest::newRow("not inside a word") << "nion" << 8 << QStringList() << QStringList();
        QTest::newRow("accents") << "creme" << 8 << QStringList() << QStringList{"crème"};
        QTest::newRow("at most the limit")
            << "onion" << 1 << QStringList() << QStringList{"Onions"};
        QTest::newRow("chosen ones left out")
            << "onion" << 8 << QStringList{"onions"} << QStringList{"red onions"};
    }

    void offersNamesAWordOfWhichBeginsWithTheTyped()
    {
        QFETCH(QString, typed);
        QFETCH(int, limit);
        QFETCH(QStringList, chosen);
        QFETCH(QStringList, offered);
        QTemporaryDir cookbook;
        writeSampleCookbook(cookbook.path());
        writeRecipe(cookbook.path(), QStringLiteral("cream.recipe.md"), QStringLiteral("Crème"), {},
                    {QStringLiteral("crème")});
        ScannedSearch scanned(cookbook.path());
        for (const QString& name : chosen)
            scanned.search.chooseIngredient(name);
        QCOMPARE(scanned.search.ingredientSuggestions(typed, limit), offered);
    }

    void offersAndChoosesTags()
    {
        ScannedSearch scanned(m_cookbook.path());
        // Tags equal without regard to case are offered once.
        const QStringList quick = scanned.search.tagSuggestions(QStringLiteral("qu"));
        QCOMPARE(quick.size(), 1);
        QCOMPARE(quick.first().toLower(), QStringLiteral("quick"));
        QCOMPARE(scanned.search.tagSuggestions(QStringLiteral("VEG")), QStringList{"vegetarian"});
        // A tag is matched whole: what begins a tag finds nothing.
        scanned.search.chooseTag(QStringLiteral("veg"));
        QTRY_COMPARE_WITH_TIMEOUT(scanned.search.status(), QStringLiteral("0 recipes"), timeout);
        scanned.search.chooseTag(QStringLiteral("Veg"));
        QCOMPARE(scanned.search.tags(), QStringList{"veg"});
        scanned.search.dropTag(QStringLiteral("veg"));
        scanned.search.chooseTag(QStringLiteral("Vegetarian"));
        QTRY_COMPARE_WITH_TIMEOUT(scanned.rows(), QStringList{"Tomato Soup"}, timeout);
        QCOMPARE(scanned.search.tagSuggestions(QStringLiteral("veg")), QStringList{});
    }

    void saysItIsReadingUntilTheIndexIsBuilt()
    {
        ScannedSearch scanned(m_cookbook.path(), false); // builds nothing until asked
        scanned.type(QStringLiteral("pesto"));
        QCOMPARE(scanned.search.status(), QStringLiteral("Reading 5 recipes…"));
        QTRY_COMPARE_WITH_TIMEOUT(scanned.search.status(), QStringLiteral("1 recipe"), timeout);
        QCOMPARE(scanned.rows(), QStringList{"Basil Pesto"});
    }

    // Typing is searched when it pauses, not key by key; Enter asks at once.
    void waitsForTypingToPause()
    {
        ScannedSearch scanned(m_cookbook.path());
        QSignalSpy answered(&scanned.search, &RecipeSearch::answered);
        scanned.search.setText(QStringLiteral("p"));
        scanned.search.setText(QStringLiteral("pe"));
        scanned.search.setText(QStringLiteral("pes"));
        QCOMPARE(answered.size(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(scanned.rows(), QStringList{"Basil Pesto"}, timeout);
        QCOMPARE(answered.size(), 1);
        scanned.type(QStringLiteral("pea"));
        QVERIFY(answered.wait(timeout));
        QCOMPARE(scanned.rows(), QStringList{"Pea Soup"});
    }

    void followsRescansAndOtherCollections()
    {
        QTemporaryDir cookbook;
        writeSampleCookbook(cookbook.path());
        ScannedSearch scanned(cookbook.path());
        scanned.search.chooseIngredient(QStringLiteral("onion"));
        scanned.type(QStringLiteral("soup"));
        QTRY_COMPARE_WITH_TIMEOUT(scanned.rows(), (QStringList{"Pea Soup", "Tomato Soup"}),
                                  timeout);

        writeRecipe(cookbook.path(), QStringLiteral("onion.recipe.md"),
                    QStringLiteral("Onion Soup"), {}, {QStringLiteral("white onions")});
        QVERIFY(QFile::remove(cookbook.filePath(QStringLiteral("soups/pea.recipe.md"))));
        scanned.rescan();
        QTRY_COMPARE_WITH_TIMEOUT(scanned.rows(), (QStringList{"Onion Soup", "Tomato Soup"}),
                                  timeout);

        // Another collection without onions: the conditions stay and find nothing.
        QTemporaryDir other;
        writeRecipe(other.path(), QStringLiteral("leek.recipe.md"), QStringLiteral("Leek Soup"), {},
                    {QStringLiteral("leeks")});
        scanned.scan(other.path());
        QTRY_COMPARE_WITH_TIMEOUT(scanned.search.status(), QStringLiteral("0 recipes"), timeout);
        QCOMPARE(scanned.rows(), QStringList{});
        QCOMPARE(scanned.search.ingredients(), QStringList{"onion"});
        QCOMPARE(scanned.search.text(), QStringLiteral("soup"));
        scanned.search.dropIngredient(QStringLiteral("onion"));
        QTRY_COMPARE_WITH_TIMEOUT(scanned.rows(), QStringList{"Leek Soup"}, timeout);
        QCOMPARE(scanned.search.status(), QStringLiteral("1 recipe"));
    }

    // Without a collection (no scanner, or one gone) nothing is found, and
    // the conditions are kept for the next.
    void withoutACollectionFindsNothing()
    {
        auto scanner = std::make_unique<Scanner>();
        RecipeSearch search;
        QAbstractItemModelTester tester(search.results(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        search.chooseIngredient(QStringLiteral("onion"));
        QCOMPARE(search.status(), QStringLiteral("0 recipes"));
        QSignalSpy scannerChanged(&search, &RecipeSearch::scannerChanged);
        search.setScanner(scanner.get());
        QCOMPARE(scannerChanged.size(), 1);
        QSignalSpy updated(scanner.get(), &Scanner::dataUpdated);
        scanner->setRootPath(m_cookbook.path());
        QVERIFY(updated.wait(timeout));
        QTRY_COMPARE_WITH_TIMEOUT(search.results()->rowCount(), 2, timeout);
        scanner.reset();
        QVERIFY(!search.scanner());
        search.setModels({}, {}, {});
        QCOMPARE(search.results()->rowCount(), 0);
        QCOMPARE(search.status(), QStringLiteral("0 recipes"));
        QCOMPARE(search.ingredients(), QStringList{"onion"});
    }

    void filesNoRecipeShouldBeDoNoHarm()
    {
        QTemporaryDir cookbook;
        const QString root = cookbook.path();
        QVERIFY(writeFile(root + "/utf8.recipe.md", "# Bad \xc3\x28 bytes\n\nsoup \xff\xfe\n"));
        QVERIFY(writeFile(root + "/nul.recipe.md", QByteArray("# Nul\n\0soup\0\n", 13)));
        QVERIFY(writeFile(root + "/long.recipe.md",
                          "# Long line\n" + QByteArray(1024 * 1024, 'y') + " soup\n"));
        QVERIFY(writeFile(root + "/gone.recipe.md", "# Gone\n\nsoup\n"));
        QVERIFY(writeFile(root + "/folder.recipe.md", "# Now a folder\n\nsoup\n"));
        QCOMPARE(::mkfifo(QFile::encodeName(root + "/fifo.recipe.md").constData(), 0600), 0);
        // Not shown, so that the files are read when searched, not when scanned.
        ScannedSearch scanned(root, false);
        // Changed between the scan and the search.
        QVERIFY(QFile::remove(root + "/gone.recipe.md"));
        QVERIFY(QFile::remove(root + "/folder.recipe.md"));
        QVERIFY(QDir().mkpath(root + "/folder.recipe.md"));
        const QByteArray digest = hostile::treeDigest(root);

        scanned.type(QStringLiteral("soup"));
        QTRY_COMPARE_WITH_TIMEOUT(scanned.search.status(), QStringLiteral("3 recipes"), timeout);
        QCOMPARE(scanned.rows(),
                 (QStringList{QString::fromUtf8("Bad \xef\xbf\xbd( bytes"), "Long line", "Nul"}));
        QCOMPARE(hostile::treeDigest(root), digest);
    }

    // "From my pantry" over recipes written as people write them, in several
    // languages: what the pantry can cook first, then what it lacks one, then
    // two ingredients of, with their names; staples never lack; a recipe
    // listing no ingredient is never offered; text and tags still narrow.
    void cooksFromThePantry_data()
    {
        QTest::addColumn<QByteArray>("pantry");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QStringList>("rows");
        const QByteArray handKept = "# Pantry\n\nBought on Saturday.\n\n"
                                    "- 500 g red lentils\n- 2 onions\n- garlic\n"
                                    "- 1 kg Mehl\n- 6 Eier\n- 鸡蛋 6个\n";
        const QStringList all{"Dal",
                              "Pfannkuchen|missing: Milch",
                              "番茄炒蛋|missing: 番茄",
                              "Omelette|missing: beurre, œufs",
                              "Tomato Soup|missing: basil, tomatoes"};
        QTest::newRow("pantry alone") << handKept << QString() << QString() << all;
        QTest::newRow("with text")
            << handKept << "onion" << QString()
            << QStringList{"Dal", "Tomato Soup|missing: basil, tomatoes"};
        QTest::newRow("with a tag") << handKept << QString() << "quick"
                                    << QStringList{"番茄炒蛋|missing: 番茄",
                                                   "Omelette|missing: beurre, œufs"};
        QTest::newRow("empty pantry: only staples at hand")
            << QByteArray() << QString() << QString()
            << QStringList{"Omelette|missing: beurre, œufs", "番茄炒蛋|missing: 番茄, 鸡蛋"};
    }

    void cooksFromThePantry()
    {
        QFETCH(QByteArray, pantry);
        QFETCH(QString, text);
        QFETCH(QString, tag);
        QFETCH(QStringList, rows);
        QTemporaryDir cookbook;
        writeCookFromCookbook(cookbook.path());
        if (!pantry.isEmpty())
            QVERIFY(writeFile(cookbook.filePath("pantry.md"), pantry));
        PantrySession session;
        session.setCollectionPath(cookbook.path());
        ScannedSearch scanned(cookbook.path());
        scanned.search.setPantry(&session);
        if (!tag.isEmpty())
            scanned.search.chooseTag(tag);
        scanned.type(text);
        scanned.search.setFromPantry(true);
        QTRY_COMPARE_WITH_TIMEOUT(scanned.rows(), rows, timeout);
        QCOMPARE(scanned.search.status(), rows.isEmpty() || rows.first().contains('|')
                                              ? QStringLiteral("0 recipes")
                                              : QStringLiteral("1 recipe"));
        scanned.search.setFromPantry(false);
        const QStringList without = scanned.rows();
        QTRY_VERIFY_WITH_TIMEOUT(scanned.rows() != without || (text.isEmpty() && tag.isEmpty()),
                                 timeout);
        QVERIFY(!scanned.rows().join(' ').contains(QStringLiteral("missing")));
    }

    // The search follows the pantry as it is edited, and the file as it
    // changes on disk.
    void followsThePantry()
    {
        QTemporaryDir cookbook;
        writeCookFromCookbook(cookbook.path());
        QVERIFY(writeFile(cookbook.filePath("pantry.md"), "- 1 kg Mehl\n- 6 Eier\n"));
        PantrySession session;
        session.setCollectionPath(cookbook.path());
        ScannedSearch scanned(cookbook.path());
        scanned.search.setPantry(&session);
        scanned.search.setFromPantry(true);
        QTRY_VERIFY_WITH_TIMEOUT(
            scanned.rows().contains(QStringLiteral("Pfannkuchen|missing: Milch")), timeout);
        QVERIFY(session.add(QStringLiteral("1 l Milch")));
        QTRY_COMPARE_WITH_TIMEOUT(scanned.rows().value(0), QStringLiteral("Pfannkuchen"), timeout);
        QCOMPARE(scanned.search.status(), QStringLiteral("1 recipe"));
        QVERIFY(writeFile(cookbook.filePath("pantry.md"), "- 1 l Milch\n"));
        QTRY_VERIFY_WITH_TIMEOUT(
            scanned.rows().contains(QStringLiteral("Pfannkuchen|missing: Eier, Mehl")), timeout);
        scanned.search.setPantry(nullptr);
        QTRY_VERIFY_WITH_TIMEOUT(
            !scanned.rows().join(' ').contains(QStringLiteral("Pfannkuchen")), timeout);
    }

    // Rows that stay are changed in place and the rest removed or added, so
    // that a list keeps its place; the names lists read the roles by.
    void resultsChangeInPlace()
    {
        FindResultsModel model;
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(model.roleNames().value(Qt::DisplayRole), QByteArray("display"));
        QCOMPARE(model.roleNames().value(PathRole), QByteArray("path"));
        QCOMPARE(model.roleNames().value(FindResultsModel::MissingRole), QByteArray("missing"));
        QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
        QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
        const FindResultsModel::Row a{"A", "/a", {}};
        const FindResultsModel::Row b{"B", "/b", {}};
        const FindResultsModel::Row c{"C", "/c", "leek"};
        model.setRows({a, b});
        model.setRows({a, c, b});
        QCOMPARE(changed.size(), 1);
        QCOMPARE(changed.at(0).at(0).toModelIndex().row(), 1);
        QCOMPARE(inserted.size(), 2);
        QCOMPARE(model.index(1, 1).data().toString(), QStringLiteral("missing: leek"));
        QCOMPARE(model.index(1, 0).data(PathRole).toString(), QStringLiteral("/c"));
        model.setRows({a});
        QCOMPARE(removed.size(), 1);
        QCOMPARE(changed.size(), 1); // the row kept is the same
        QCOMPARE(model.rowCount(), 1);
        QCOMPARE(reset.size(), 0);
    }

private:
    // Recipes as they are written out there: free lines, amounts after the
    // name, two staples on one line, a recipe of notes only.
    static void writeCookFromCookbook(const QString& folder)
    {
        const QDir dir(folder);
        QVERIFY(writeFile(dir.filePath("dal.recipe.md"),
                          "# Dal\n\n### Ingredients\n\n- 250 g red lentils\n"
                          "- 1 onion, finely chopped\n- 2 cloves garlic\n- salt\n"
                          "- 1 tbsp oil\n\n### Directions\n\nSimmer the onion and lentils.\n"));
        QVERIFY(writeFile(dir.filePath("pfannkuchen.recipe.md"),
                          "# Pfannkuchen\n\n### Ingredients\n\n* 250 g Mehl\n* 3 Eier\n"
                          "* 500 ml Milch\n* 1 Prise Salz\n\n### Zubereitung\n\nVerrühren.\n"));
        QVERIFY(writeFile(dir.filePath("omelette.recipe.md"),
                          "# Omelette\n\n### Ingredients\n\n- 3 œufs\n- 20 g beurre\n"
                          "- sel, poivre\n\n### Préparation\n\nBattre les œufs.\n\n"
                          "### Metadata\n\ntags: quick\n"));
        QVERIFY(writeFile(dir.filePath("tomato.recipe.md"),
                          "# Tomato Soup\n\n### Ingredients\n\n- 1 kg tomatoes\n"
                          "- 2 onions\n- 500 ml water\n- basil\n\n### Directions\n\n"
                          "Cook the tomatoes with the onion.\n"));
        QVERIFY(writeFile(dir.filePath("fanqie.recipe.md"),
                          "# 番茄炒蛋\n\n### Ingredients\n\n- 番茄 2个\n- 鸡蛋 3个\n"
                          "- 盐 少许\n\n### Directions\n\n炒。\n\n### Metadata\n\n"
                          "tags: quick\n"));
        QVERIFY(writeFile(dir.filePath("risotto.recipe.md"),
                          "# Risotto alla milanese\n\n### Ingredients\n\n"
                          "- 320 g riso Carnaroli\n- 1 l brodo\n- 1 bustina di zafferano\n"
                          "- 50 g burro\n- 60 g parmigiano\n\n### Preparazione\n\nTostare.\n"));
        QVERIFY(writeFile(dir.filePath("notes.recipe.md"),
                          "# Kitchen notes\n\nOnions keep in the dark.\n"));
    }

    QTemporaryDir m_cookbook;
};

QTEST_MAIN(RecipeSearchTest)
#include "tst_recipesearch.moc"
