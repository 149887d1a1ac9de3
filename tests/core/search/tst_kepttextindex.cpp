// The Find index kept between runs: written and read back it finds what the
// index built from the files finds, in every script; damaged bytes are never
// trusted; it is taken only while the kept recipes are as they were when it
// was built; and a search started from kept recipes answers as a fresh one.
#include "collection/recipecache.h"
#include "collection/scanner.h"
#include "search/kepttextindex.h"
#include "search/recipesearch.h"
#include "search/recipetextindex.h"
#include "support/recipefiles.h"
#include "text/textfolding.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <cstring>
#include <memory>

namespace {

constexpr int timeout = 30000;

const auto never = [] { return false; };

// Recipes as people write them, in several languages and scripts.
const QList<std::pair<const char*, QByteArray>> cookbook = {
    {"fr/creme-brulee.recipe.md",
     "# Crème brûlée\n\nUn dessert.\n\n### Ingredients\n\n * 500 ml crème fraîche\n"
     " * 6 jaunes d'œufs\n\n### Directions\n\nCuire au bain-marie.\n"},
    {"de/kartoffelsuppe.recipe.md", testing::longStepRecipe},
    {"de/strasse.recipe.md", "# Straßenkuchen\n\n### Ingredients\n\n * 2 EL Zucker\n"},
    {"zh/麻婆豆腐.recipe.md",
     "# 麻婆豆腐\n\n### Ingredients\n\n- 豆腐 400 克\n- 花椒 1 茶匙\n\n### Directions\n\n"
     "先把豆腐切块。\n\n### Metadata\n\ntags: 川菜\n"},
    {"ja/肉じゃが.recipe.md",
     "# 肉じゃが\n\n### Ingredients\n\n * じゃがいも 3個\n * 牛肉 200g\n\n### Directions\n\n"
     "ジャガイモを切る。弱火で煮る。\n"},
    {"en/pancakes.recipe.md", testing::pancakesRecipe},
};

QStringList writeCookbook(const QString& root)
{
    QStringList paths;
    for (const auto& [name, text] : cookbook) {
        paths.append(root + QLatin1Char('/') + QString::fromUtf8(name));
        testing::writeFile(paths.last(), text);
    }
    return paths;
}

// The recipe numbers a typed piece finds, folded as Find folds it.
QList<int> found(const RecipeTextIndex& index, const QString& typed)
{
    TextFolding folding;
    const RecipeTextIndex::RecipeSet set =
        index.recipesWithTokenStarting(folding.fold(typed), never);
    QList<int> numbers;
    for (std::size_t i = 0; i < set.size(); ++i)
        if (set[i])
            numbers.append(int(i));
    return numbers;
}

const QStringList pieces = {"crem", "BRÛL",  "oeuf", "strass", "kartof", "Küchenpapier",
                            "麻",   "麻婆",  "豆腐", "花",     "じゃ",   "ジャガ",
                            "牛肉", "flour", "x",    "盐"};

} // namespace

class KeptTextIndexTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_home;
    QString cacheFolder() const { return m_home.filePath(QStringLiteral("cache")); }

    // A search over a scanner that keeps its index in the test's folder, asked
    // every piece as typed text; each answer as its sorted titles.
    QStringList answersOf(const QString& root, bool keepIndex)
    {
        Scanner scanner;
        if (keepIndex)
            scanner.setIndexFolder(cacheFolder());
        RecipeSearch search;
        search.setScanner(&scanner);
        QSignalSpy updated(&scanner, &Scanner::dataUpdated);
        scanner.setRootPath(root);
        if (!updated.wait(timeout))
            return {QStringLiteral("no publication")};
        QStringList answers;
        for (const QString& typed : pieces) {
            QSignalSpy answered(&search, &RecipeSearch::answered);
            search.setText(typed);
            search.findNow();
            if (!answered.wait(timeout))
                return {QStringLiteral("no answer to ") + typed};
            QStringList titles;
            for (int row = 0; row < search.results()->rowCount(); ++row)
                titles.append(search.results()->index(row, 0).data().toString());
            titles.sort();
            answers.append(typed + QLatin1String(": ") + titles.join(QLatin1Char(',')));
        }
        return answers;
    }

private slots:
    void initTestCase() { QVERIFY(m_home.isValid()); }
    void cleanup() { QDir(cacheFolder()).removeRecursively(); }

    void readBackFindsWhatTheBuiltOneFinds()
    {
        QTemporaryDir root;
        const QStringList paths = writeCookbook(root.path());
        const std::unique_ptr<RecipeTextIndex> built = RecipeTextIndex::build(paths, never);
        QVERIFY(built);
        const std::unique_ptr<RecipeTextIndex> back = RecipeTextIndex::fromBytes(built->toBytes());
        QVERIFY(back);
        QCOMPARE(back->recipeCount(), built->recipeCount());
        QCOMPARE(back->tokenCount(), built->tokenCount());
        for (const QString& typed : pieces)
            QCOMPARE(found(*back, typed), found(*built, typed));
        // The pieces find what they should, so that equal answers mean something.
        QCOMPARE(found(*back, QStringLiteral("麻")), QList<int>{3});
        QCOMPARE(found(*back, QStringLiteral("STRASS")), QList<int>{2});
        QCOMPARE(found(*back, QStringLiteral("じゃ")), QList<int>{4});
        QVERIFY(found(*back, QStringLiteral("盐")).isEmpty());
        // An empty cookbook's index is an index too.
        const std::unique_ptr<RecipeTextIndex> empty = RecipeTextIndex::build({}, never);
        QVERIFY(RecipeTextIndex::fromBytes(empty->toBytes()));
    }

    void damagedBytesAreNeverTrusted_data()
    {
        QTest::addColumn<std::function<void(QByteArray&)>>("damage");
        using Damage = std::function<void(QByteArray&)>;
        QTest::newRow("nothing") << Damage([](QByteArray& bytes) { bytes.clear(); });
        QTest::newRow("header only") << Damage([](QByteArray& bytes) { bytes.truncate(32); });
        QTest::newRow("cut short") << Damage([](QByteArray& bytes) { bytes.chop(1); });
        QTest::newRow("one byte more") << Damage([](QByteArray& bytes) { bytes.append('\0'); });
        QTest::newRow("garbage") << Damage([](QByteArray& bytes) { bytes.fill('\xa7'); });
        QTest::newRow("another kind") << Damage([](QByteArray& bytes) { bytes[0] = 'X'; });
        QTest::newRow("another version") << Damage([](QByteArray& bytes) { bytes[4] = 9; });
        // Token counts that make the tables overrun what is there.
        QTest::newRow("huge token count")
            << Damage([](QByteArray& bytes) { std::memset(bytes.data() + 12, 0xff, 4); });
        QTest::newRow("huge text length")
            << Damage([](QByteArray& bytes) { std::memset(bytes.data() + 16, 0x7f, 8); });
        // The same length, the tokens out of order: the search would halve wrongly.
        QTest::newRow("tokens out of order") << Damage([](QByteArray& bytes) {
            const qsizetype firstToken = 32; // after the header
            bytes[firstToken] = bytes[firstToken + 1] = '\xff';
        });
    }

    void damagedBytesAreNeverTrusted()
    {
        QFETCH(std::function<void(QByteArray&)>, damage);
        QTemporaryDir root;
        const std::unique_ptr<RecipeTextIndex> built =
            RecipeTextIndex::build(writeCookbook(root.path()), never);
        QByteArray bytes = built->toBytes();
        QVERIFY(RecipeTextIndex::fromBytes(bytes));
        damage(bytes);
        QVERIFY(!RecipeTextIndex::fromBytes(bytes));
    }

    void takenWhileTheKeptRecipesAreAsTheyWere()
    {
        QTemporaryDir root;
        const QStringList paths = writeCookbook(root.path());
        const auto holds = [&](const QString& typed) {
            const std::unique_ptr<RecipeTextIndex> index =
                KeptTextIndex::take(cacheFolder(), root.path(), paths, never);
            return index && !found(*index, typed).isEmpty();
        };
        QVERIFY(holds(QStringLiteral("花椒")));
        // Written behind the cache's back: the kept index still answers, which
        // shows that it was taken rather than built.
        testing::writeFile(paths[3], "# 红烧肉\n");
        QVERIFY(holds(QStringLiteral("花椒")));
        QVERIFY(!holds(QStringLiteral("红烧")));
        // Another order of the same recipes is another collection.
        QStringList reversed(paths.rbegin(), paths.rend());
        const std::unique_ptr<RecipeTextIndex> other =
            KeptTextIndex::take(cacheFolder(), root.path(), reversed, never);
        QCOMPARE(found(*other, QStringLiteral("红烧")), QList<int>{2});
        // Once the scan keeps a change, the index is built again from the files.
        {
            RecipeCache cache(cacheFolder(), root.path());
            ParallelRecipeReader::Recipe changed;
            changed.path = paths[3];
            changed.title = QStringLiteral("红烧肉");
            changed.read = true;
            QVERIFY(cache.store({&changed}, {}));
        }
        QVERIFY(holds(QStringLiteral("红烧")));
        QVERIFY(!holds(QStringLiteral("花椒")));
    }

    void notKeptWhenTheRecipesChangedWhileItWasBuilt()
    {
        RecipeCache cache(cacheFolder(), QStringLiteral("/cookbook"));
        const QByteArray key = KeptTextIndex::pathsKey({QStringLiteral("/cookbook/a.recipe.md")});
        const QByteArray index = RecipeTextIndex::build({}, never)->toBytes();
        const qint64 before = cache.generation();
        QVERIFY(before >= 0);
        ParallelRecipeReader::Recipe recipe;
        recipe.path = QStringLiteral("/cookbook/a.recipe.md");
        recipe.read = true;
        QVERIFY(cache.store({&recipe}, {}));
        QVERIFY(!cache.keepTextIndex(key, before, index));
        QVERIFY(cache.keptTextIndex(key).isEmpty());
        QVERIFY(cache.keepTextIndex(key, cache.generation(), index));
        QCOMPARE(cache.keptTextIndex(key), index);
        QVERIFY(cache.keptTextIndex(KeptTextIndex::pathsKey({})).isEmpty());
        // Nothing changed, nothing moves on: the kept index stays.
        QVERIFY(cache.store({}, {}));
        QCOMPARE(cache.keptTextIndex(key), index);
    }

    // Three starts: nothing kept, the index built and kept, the index taken.
    void aStartFromKeptRecipesFindsWhatAFreshScanFinds()
    {
        QTemporaryDir root;
        writeCookbook(root.path());
        const QStringList fresh = answersOf(root.path(), false);
        QVERIFY(fresh.contains(QStringLiteral("麻: 麻婆豆腐")));
        QVERIFY(fresh.contains(QStringLiteral("crem: Crème brûlée")));
        for (int start = 0; start < 3; ++start)
            QCOMPARE(answersOf(root.path(), true), fresh);
    }
};

QTEST_GUILESS_MAIN(KeptTextIndexTest)
#include "tst_kepttextindex.moc"
