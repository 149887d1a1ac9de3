#include "collection/filestamp.h"
#include "collection/indexmodelreading.h"
#include "collection/ingredientnameindex.h"
#include "collection/recipecache.h"
#include "collection/scanner.h"
#include "support/recipefiles.h"
#include "support/unprivileged.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QtTest>

#include <sqlite3.h>

#include <algorithm>
#include <functional>
#include <memory>

#include <fcntl.h>
#include <sys/stat.h>

namespace {

using Recipe = ParallelRecipeReader::Recipe;

QStringList titlesOf(const Scanner& scanner)
{
    QStringList titles;
    const std::shared_ptr<QStandardItemModel> model = scanner.titleModel();
    for (int row = 0; model && row < model->rowCount(); ++row)
        titles.append(model->index(row, 0).data().toString());
    return titles;
}

QStringList sorted(QStringList list)
{
    list.sort();
    return list;
}

QStringList keptTitles(const QString& folder, const QString& root)
{
    QStringList titles;
    RecipeCache cache(folder, root);
    for (const Recipe& recipe : cache.load())
        titles.append(recipe.title);
    return sorted(titles);
}

// Sets a file's modification time to `seconds` and `nanoseconds`.
bool setModified(const QString& path, qint64 seconds, long nanoseconds)
{
    const timespec times[2] = {{0, UTIME_OMIT}, {time_t(seconds), nanoseconds}};
    return ::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0) == 0;
}

// A cookbook in three languages, as people write them.
void writeCookbook(const QString& root)
{
    testing::writeRecipe(root, QStringLiteral("soups/tomato.recipe.md"),
                         QStringLiteral("Tomato Soup"), {QStringLiteral("soup")},
                         {QStringLiteral("tomatoes"), QStringLiteral("garlic")});
    testing::writeRecipe(root, QStringLiteral("kuchen.recipe.md"), QStringLiteral("Apfelkuchen"),
                         {QStringLiteral("Kuchen")}, {QStringLiteral("Äpfel")});
    testing::writeFile(root + QStringLiteral("/中餐/麻婆豆腐.recipe.md"),
                       "# 麻婆豆腐\n\n### Ingredients\n\n- 豆腐 400 克\n- 2 EL Sojasauce\n\n"
                       "### Metadata\n\ntags: 川菜\nsource: https://example.org/mapo-tofu\n");
}

} // namespace

class RecipeCacheTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_home;

    QString cacheFolder() const { return m_home.filePath(QStringLiteral("cache")); }

    // Scans `root` with the index kept in `folder` up to its last publication;
    // the number of publications is returned.
    static int scanToEnd(Scanner& scanner, const QString& root, int publications)
    {
        QSignalSpy updated(&scanner, &Scanner::dataUpdated);
        scanner.setRootPath(root);
        if (!QTest::qWaitFor([&] { return updated.count() >= publications; }, 20000))
            return int(updated.count());
        // Nothing more may come: a scan that publishes once more than expected
        // would show the test's figure wrong.
        updated.wait(100);
        return int(updated.count());
    }

    QStringList scanTitles(const QString& root, int publications)
    {
        Scanner scanner;
        scanner.setIndexFolder(cacheFolder());
        const int count = scanToEnd(scanner, root, publications);
        QAbstractItemModelTester tester(scanner.titleModel().get());
        if (count != publications)
            return {QStringLiteral("%1 publications, not %2").arg(count).arg(publications)};
        return sorted(titlesOf(scanner));
    }

    // Runs `sql` on the kept file of `root`; with `expected`, its first
    // column must give that number.
    bool changeKeptFile(const QString& root, const char* sql, int expected = -1) const
    {
        sqlite3* db = nullptr;
        const QByteArray file = QFile::encodeName(RecipeCache::fileFor(cacheFolder(), root));
        bool ok =
            sqlite3_open_v2(file.constData(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK;
        sqlite3_stmt* statement = nullptr;
        ok = ok && sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) == SQLITE_OK;
        const int step = ok ? sqlite3_step(statement) : SQLITE_ERROR;
        ok = ok && (step == SQLITE_ROW || step == SQLITE_DONE);
        if (ok && expected >= 0)
            ok = step == SQLITE_ROW && sqlite3_column_int(statement, 0) == expected;
        sqlite3_finalize(statement);
        sqlite3_close(db);
        return ok;
    }

    // The same keys in the same order, with the same recipes under each.
    static void compareModels(const QStandardItemModel& kept, const QStandardItemModel& expected)
    {
        QAbstractItemModelTester tester(const_cast<QStandardItemModel*>(&kept));
        QCOMPARE(kept.rowCount(), expected.rowCount());
        for (int row = 0; row < expected.rowCount(); ++row) {
            const QStandardItem* expectedItem = expected.item(row);
            const QStandardItem* keptItem = kept.item(row);
            QCOMPARE(keptItem->text(), expectedItem->text());
            QCOMPARE(keptItem->data(PathRole), expectedItem->data(PathRole));
            // Read through the items: their recipe rows are made first.
            IndexModelReading::makeChildren(expectedItem);
            IndexModelReading::makeChildren(keptItem);
            QCOMPARE(keptItem->rowCount(), expectedItem->rowCount());
            for (int child = 0; child < expectedItem->rowCount(); ++child)
                QCOMPARE(keptItem->child(child)->data(PathRole),
                         expectedItem->child(child)->data(PathRole));
        }
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_home.isValid());
        QStandardPaths::setTestModeEnabled(true);
    }

    void cleanup() { QDir(cacheFolder()).removeRecursively(); }

    void keepsWhatTheScanRead_data()
    {
        QTest::addColumn<QStringList>("tags");
        QTest::addColumn<QStringList>("listed");
        QTest::newRow("none") << QStringList() << QStringList();
        QTest::newRow("one empty tag") << QStringList{QString()} << QStringList{"salt"};
        QTest::newRow("blank among others")
            << QStringList{"a", "", "b"} << QStringList{"Knoblauchzehen", "白蘑菇", "œufs"};
    }

    void keepsWhatTheScanRead()
    {
        QFETCH(QStringList, tags);
        QFETCH(QStringList, listed);
        Recipe recipe;
        recipe.path = QStringLiteral("/cookbook/麻婆豆腐.recipe.md");
        recipe.title = QStringLiteral("Crème brûlée, 麻婆豆腐");
        recipe.tags = tags;
        recipe.ingredients = listed;
        recipe.listedNames = listed;
        recipe.stamp = {1234, 1700000000123456789, 42};
        recipe.read = true;
        {
            RecipeCache cache(cacheFolder(), QStringLiteral("/cookbook"));
            QVERIFY(cache.isOpen());
            QVERIFY(cache.store({&recipe}, {}));
        }
        RecipeCache cache(cacheFolder(), QStringLiteral("/cookbook"));
        const std::vector<Recipe> kept = cache.load();
        QCOMPARE(kept.size(), std::size_t(1));
        QCOMPARE(kept[0].path, recipe.path);
        QCOMPARE(kept[0].title, recipe.title);
        QCOMPARE(kept[0].tags, tags);
        QCOMPARE(kept[0].ingredients, listed);
        QCOMPARE(kept[0].listedNames, listed);
        QVERIFY(kept[0].stamp == recipe.stamp);
        QVERIFY(kept[0].read);
    }

    // A start reads the lists as numbers: one number per distinct text,
    // whichever row and column it comes in, standing for that very text.
    void numbersEachDistinctElementOnce()
    {
        std::vector<Recipe> recipes(3);
        const QStringList paths{"/cookbook/a.recipe.md", "/cookbook/b.recipe.md",
                                "/cookbook/中餐/c.recipe.md"};
        const QList<QStringList> tags{{"Kuchen", "川菜"}, {"川菜"}, {}};
        const QList<QStringList> ingredients{{"Äpfel", "Kuchen"}, {"豆腐", "Äpfel"}, {"salt"}};
        const QList<QStringList> listed{{"Äpfel"}, {"豆腐", "äpfel"}, {"salt", "豆腐"}};
        std::vector<const Recipe*> stored;
        for (std::size_t at = 0; at < recipes.size(); ++at) {
            recipes[at] = {paths.at(qsizetype(at)),
                           QStringLiteral("Title %1").arg(at),
                           tags.at(qsizetype(at)),
                           ingredients.at(qsizetype(at)),
                           listed.at(qsizetype(at)),
                           FileStamp{10, 20, quint64(at)},
                           true,
                           true,
                           {}};
            stored.push_back(&recipes[at]);
        }
        RecipeCache cache(cacheFolder(), QStringLiteral("/cookbook"));
        QVERIFY(cache.store(stored, {}));
        QHash<QString, int> numberOf;
        bool oneNumberPerText = true;
        int rows = 0;
        const auto texts = [&](const std::vector<int>& numbers,
                               const RecipeCache::Elements& elements) {
            QStringList list;
            for (const int number : numbers) {
                const QString& text = elements.at(std::size_t(number));
                oneNumberPerText = oneNumberPerText && numberOf.value(text, number) == number;
                numberOf.insert(text, number);
                list.append(text);
            }
            return list;
        };
        QVERIFY(cache.loadRows(
            [&](const RecipeCache::KeptRow& row, const RecipeCache::Elements& elements) {
                const qsizetype at = rows++;
                QCOMPARE(row.path, paths.at(at));
                QCOMPARE(texts(row.tags, elements), tags.at(at));
                QCOMPARE(texts(row.ingredients, elements), ingredients.at(at));
                QCOMPARE(texts(row.listedNames, elements), listed.at(at));
                QVERIFY(row.stamp == recipes[std::size_t(at)].stamp);
            }));
        QCOMPARE(rows, 3);
        QVERIFY(oneNumberPerText);
        // "Äpfel" and "äpfel" differ as texts; the names index folds them.
        QCOMPARE(numberOf.size(), 6);
        QCOMPARE(QSet<int>(numberOf.cbegin(), numberOf.cend()).size(), 6);
    }

    void showsEditsMadeBetweenRuns_data()
    {
        QTest::addColumn<std::function<bool(const QString&)>>("edit");
        QTest::addColumn<QStringList>("titles");
        QTest::addColumn<int>("publications");
        const QStringList before = {"Apfelkuchen", "Tomato Soup", "麻婆豆腐"};
        const auto tomato = [](const QString& root) {
            return root + QStringLiteral("/soups/tomato.recipe.md");
        };
        QTest::newRow("nothing") << std::function<bool(const QString&)>([](const QString&) {
            return true;
        }) << before << 1;
        QTest::newRow("changed") << std::function<bool(const QString&)>([=](const QString& root) {
            return testing::writeFile(tomato(root), "# Tomatensuppe\n");
        }) << QStringList{"Apfelkuchen", "Tomatensuppe", "麻婆豆腐"}
                                 << 2;
        QTest::newRow("removed") << std::function<bool(const QString&)>([=](const QString& root) {
            return QFile::remove(tomato(root));
        }) << QStringList{"Apfelkuchen", "麻婆豆腐"}
                                 << 2;
        QTest::newRow("added") << std::function<bool(const QString&)>([](const QString& root) {
            return testing::writeFile(root + QStringLiteral("/deep/er/pie.recipe.md"), "# Pie\n");
        }) << QStringList{"Apfelkuchen", "Pie", "Tomato Soup", "麻婆豆腐"}
                               << 2;
        QTest::newRow("renamed") << std::function<bool(const QString&)>([=](const QString& root) {
            return QFile::rename(tomato(root), root + QStringLiteral("/soups/rot.recipe.md"));
        }) << before << 2;
        QTest::newRow("not a recipe any more")
            << std::function<bool(const QString&)>([=](const QString& root) {
                   return QFile::rename(tomato(root), tomato(root) + QStringLiteral(".bak"));
               })
            << QStringList{"Apfelkuchen", "麻婆豆腐"} << 2;
        // The same size and second: only the nanoseconds tell.
        QTest::newRow("same second, same size")
            << std::function<bool(const QString&)>([=](const QString& root) {
                   const FileStamp old = FileStamp::of(tomato(root));
                   QFile file(tomato(root));
                   if (!file.open(QIODevice::ReadWrite) || !file.write("# Tomato Stew"))
                       return false;
                   file.close();
                   return setModified(tomato(root), old.modifiedNs / 1000000000,
                                      long(old.modifiedNs % 1000000000 + 1) % 1000000000);
               })
            << QStringList{"Apfelkuchen", "Tomato Stew", "麻婆豆腐"} << 2;
        // Saved by writing another file and renaming it over the recipe, with
        // the very same size and time: only the inode tells.
        QTest::newRow("replaced, same size and time")
            << std::function<bool(const QString&)>([=](const QString& root) {
                   const FileStamp old = FileStamp::of(tomato(root));
                   QFile original(tomato(root));
                   if (!original.open(QIODevice::ReadOnly))
                       return false;
                   QByteArray text = original.readAll();
                   text.replace("# Tomato Soup", "# Tomato Stew");
                   const QString saved = tomato(root) + QStringLiteral("~");
                   return testing::writeFile(saved, text) &&
                          setModified(saved, old.modifiedNs / 1000000000,
                                      long(old.modifiedNs % 1000000000)) &&
                          ::rename(QFile::encodeName(saved).constData(),
                                   QFile::encodeName(tomato(root)).constData()) == 0;
               })
            << QStringList{"Apfelkuchen", "Tomato Stew", "麻婆豆腐"} << 2;
    }

    void showsEditsMadeBetweenRuns()
    {
        QFETCH(std::function<bool(const QString&)>, edit);
        QFETCH(QStringList, titles);
        QFETCH(int, publications);
        QTemporaryDir cookbook;
        writeCookbook(cookbook.path());
        const QStringList before = {"Apfelkuchen", "Tomato Soup", "麻婆豆腐"};
        QCOMPARE(scanTitles(cookbook.path(), 1), before);
        QVERIFY(edit(cookbook.path()));
        // The kept recipes first, then what the check found, if it differs.
        QCOMPARE(scanTitles(cookbook.path(), publications), titles);
        QCOMPARE(keptTitles(cacheFolder(), cookbook.path()), titles);
        QCOMPARE(scanTitles(cookbook.path(), 1), titles);
    }

    // A start shows the kept recipes from the snapshot of the last scan's
    // models where it can trust one, else from the kept rows: alike.
    void keptRecipesAreShownAsTheyWereRead_data()
    {
        QTest::addColumn<QByteArray>("sql");
        QTest::newRow("from the snapshot") << QByteArray("SELECT 1");
        QTest::newRow("from the rows, no snapshot") << QByteArray("DELETE FROM snapshot");
        QTest::newRow("from the rows, the snapshot damaged")
            << QByteArray("UPDATE snapshot SET data = substr(data, 1, length(data) / 2)");
        QTest::newRow("from the rows, the snapshot counting more than it holds")
            << QByteArray("UPDATE snapshot SET data = X'5849525301000000ffffff7f'");
        QTest::newRow("from the rows, the snapshot older than the rows")
            << QByteArray("UPDATE state SET generation = generation + 1");
    }

    void keptRecipesAreShownAsTheyWereRead()
    {
        QFETCH(QByteArray, sql);
        QTemporaryDir cookbook;
        writeCookbook(cookbook.path());
        auto first = std::make_unique<Scanner>();
        first->setIndexFolder(cacheFolder());
        QCOMPARE(scanToEnd(*first, cookbook.path(), 1), 1);
        const auto firstModels = {first->tagModel(), first->ingredientModel(), first->titleModel()};
        const QHash<QString, QString> titlesByPath = first->titlesByPath();
        const QHash<QString, QString> sourcesByPath = first->sourcesByPath();
        const QStringList listedNames = first->listedIngredients()->names();
        first.reset(); // waits for the scan to keep its snapshot
        QVERIFY(changeKeptFile(cookbook.path(), "SELECT count(*) FROM snapshot", 1));
        QVERIFY(changeKeptFile(cookbook.path(), sql));

        Scanner second;
        second.setIndexFolder(cacheFolder());
        QCOMPARE(scanToEnd(second, cookbook.path(), 1), 1);
        const auto secondModels = {second.tagModel(), second.ingredientModel(),
                                   second.titleModel()};
        for (auto expected = firstModels.begin(), kept = secondModels.begin();
             expected != firstModels.end(); ++expected, ++kept)
            compareModels(**kept, **expected);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(second.titlesByPath(), titlesByPath);
        // What the import's duplicate check reads is kept as well.
        QCOMPARE(second.sourcesByPath().size(), 1);
        QCOMPARE(second.sourcesByPath(), sourcesByPath);
        QCOMPARE(second.listedIngredients()->names(), listedNames);
        QCOMPARE(second.listedIngredients()->pathsOf(0).size(), 1);
        // A reload of the same cookbook does not show the kept recipes again;
        // one asked for while the check still runs is dropped, as in any scan.
        QSignalSpy updated(&second, &Scanner::dataUpdated);
        QTRY_VERIFY_WITH_TIMEOUT(updated.count() > 0 || (second.doUpdate(), false), 20000);
        QVERIFY(!updated.wait(100));
        QCOMPARE(updated.count(), 1);
    }

    // Nothing kept of an empty cookbook is shown before its scan: one
    // publication at every start.
    void anEmptyCookbookIsPublishedOnce()
    {
        QTemporaryDir cookbook;
        QCOMPARE(scanTitles(cookbook.path(), 1), QStringList());
        QCOMPARE(scanTitles(cookbook.path(), 1), QStringList());
    }

    // Once the kept recipes are shown, whoever shows them may ask for a
    // reload at once (the touch program's refresh, "Reload collection"):
    // it runs after the check instead of being lost.
    void aReloadAskedForWhileTheCheckRunsIsNotLost()
    {
        QTemporaryDir cookbook;
        for (int i = 0; i < 3000; ++i) // a check that takes a while
            testing::writeFile(cookbook.filePath(QStringLiteral("r/%1.recipe.md").arg(i)),
                               QStringLiteral("# Rezept %1\n").arg(i).toUtf8());
        {
            Scanner first;
            first.setIndexFolder(cacheFolder());
            QCOMPARE(scanToEnd(first, cookbook.path(), 1), 1);
        }
        Scanner second;
        second.setIndexFolder(cacheFolder());
        connect(&second, &Scanner::dataUpdated, this, [&] {
            if (!QFile::exists(cookbook.filePath(QStringLiteral("new.recipe.md")))) {
                testing::writeFile(cookbook.filePath(QStringLiteral("new.recipe.md")),
                                   "# Neues Rezept\n");
                second.doUpdate();
            }
        });
        second.setRootPath(cookbook.path());
        QTRY_COMPARE_WITH_TIMEOUT(second.titleModel() ? second.titleModel()->rowCount() : 0, 3001,
                                  20000);
    }

    // The kept recipes shown first are taken again from the cache once it
    // knows what changed; when another program holds it meanwhile, the
    // unchanged recipes are read again instead.
    void showsEditsWhenTheCacheCannotBeWrittenDuringTheCheck()
    {
        QTemporaryDir cookbook;
        writeCookbook(cookbook.path());
        QCOMPARE(scanTitles(cookbook.path(), 1),
                 QStringList({"Apfelkuchen", "Tomato Soup", "麻婆豆腐"}));
        testing::writeFile(cookbook.filePath(QStringLiteral("soups/tomato.recipe.md")),
                           "# Tomatensuppe\n\n### Metadata\n\ntags: Suppe\n");
        sqlite3* other = nullptr;
        QCOMPARE(
            sqlite3_open(
                QFile::encodeName(RecipeCache::fileFor(cacheFolder(), cookbook.path())).constData(),
                &other),
            SQLITE_OK);
        QCOMPARE(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
        Scanner scanner;
        scanner.setIndexFolder(cacheFolder());
        QCOMPARE(scanToEnd(scanner, cookbook.path(), 2), 2);
        sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(other);
        QCOMPARE(sorted(titlesOf(scanner)),
                 QStringList({"Apfelkuchen", "Tomatensuppe", "麻婆豆腐"}));
        // Every recipe's tags and ingredients, not only the changed one's.
        const std::shared_ptr<QStandardItemModel> tags = scanner.tagModel();
        QStringList tagNames;
        for (int row = 0; row < tags->rowCount(); ++row)
            tagNames.append(tags->item(row)->text());
        QCOMPARE(tagNames, QStringList({"Kuchen", "Suppe", "川菜"}));
        QCOMPARE(scanner.sourcesByPath().size(), 1);
        QCOMPARE(scanner.listedIngredients()->names().size(), 3);
    }

    void setsAsideWhatItCannotTrust_data()
    {
        QTest::addColumn<QByteArray>("sql");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("garbage") << QByteArray() << QByteArray(8192, '\xa7');
        QTest::newRow("empty") << QByteArray() << QByteArray("");
        QTest::newRow("foreign database")
            << QByteArray("CREATE TABLE notes(text); INSERT INTO notes VALUES('hello');")
            << QByteArray();
        QTest::newRow("newer version")
            << QByteArray("PRAGMA application_id=1397910390; PRAGMA user_version=") +
                   QByteArray::number(RecipeCache::schemaVersion + 1) +
                   "; CREATE TABLE recipe(path TEXT PRIMARY KEY, title TEXT);"
                   "INSERT INTO recipe VALUES('x', 'Ghost');"
            << QByteArray();
        QTest::newRow("our version, another table")
            << QByteArray("PRAGMA application_id=1397910390; PRAGMA user_version=") +
                   QByteArray::number(RecipeCache::schemaVersion) +
                   "; CREATE TABLE recipe(path TEXT PRIMARY KEY);"
                   "INSERT INTO recipe VALUES('x');"
            << QByteArray();
    }

    void setsAsideWhatItCannotTrust()
    {
        QFETCH(QByteArray, sql);
        QFETCH(QByteArray, bytes);
        QTemporaryDir cookbook;
        writeCookbook(cookbook.path());
        const QString file = RecipeCache::fileFor(cacheFolder(), cookbook.path());
        QVERIFY(QDir().mkpath(cacheFolder()));
        if (sql.isEmpty()) {
            QVERIFY(testing::writeFile(file, bytes));
        } else {
            sqlite3* db = nullptr;
            QCOMPARE(sqlite3_open(QFile::encodeName(file).constData(), &db), SQLITE_OK);
            QCOMPARE(sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr), SQLITE_OK);
            sqlite3_close(db);
        }
        const QStringList titles = {"Apfelkuchen", "Tomato Soup", "麻婆豆腐"};
        QCOMPARE(scanTitles(cookbook.path(), 1), titles);
        // Started afresh: the next start shows what this one read.
        QCOMPARE(keptTitles(cacheFolder(), cookbook.path()), titles);
        QCOMPARE(scanTitles(cookbook.path(), 1), titles);
    }

    void worksWithoutAWritableCacheFolder()
    {
        SALTROVE_RUN_UNPRIVILEGED();
        QTemporaryDir cookbook;
        writeCookbook(cookbook.path());
        QVERIFY(QDir().mkpath(cacheFolder()));
        QVERIFY(QFile::setPermissions(cacheFolder(), QFile::ReadOwner | QFile::ExeOwner));
        const QStringList titles = {"Apfelkuchen", "Tomato Soup", "麻婆豆腐"};
        QCOMPARE(scanTitles(cookbook.path(), 1), titles);
        QCOMPARE(scanTitles(cookbook.path(), 1), titles);
        QVERIFY(!QFile::exists(RecipeCache::fileFor(cacheFolder(), cookbook.path())));
        QFile::setPermissions(cacheFolder(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void twoScannersShareOneCookbook()
    {
        QTemporaryDir cookbook;
        writeCookbook(cookbook.path());
        for (int i = 0; i < 30; ++i)
            testing::writeRecipe(cookbook.path(), QStringLiteral("bulk/%1.recipe.md").arg(i),
                                 QStringLiteral("Bulk %1").arg(i, 2, 10, QLatin1Char('0')));
        for (int round = 0; round < 3; ++round) {
            if (round == 1)
                QFile::remove(cookbook.filePath(QStringLiteral("bulk/7.recipe.md")));
            Scanner one;
            Scanner other;
            one.setIndexFolder(cacheFolder());
            other.setIndexFolder(cacheFolder());
            QSignalSpy oneUpdated(&one, &Scanner::dataUpdated);
            QSignalSpy otherUpdated(&other, &Scanner::dataUpdated);
            // Which of the two sees the removal depends on which checks first.
            const int publications = 1;
            one.setRootPath(cookbook.path());
            other.setRootPath(cookbook.path());
            QTRY_VERIFY_WITH_TIMEOUT(oneUpdated.count() >= publications, 20000);
            QTRY_VERIFY_WITH_TIMEOUT(otherUpdated.count() >= publications, 20000);
            const int expected = round == 0 ? 33 : 32;
            QTRY_COMPARE(titlesOf(one).size(), expected);
            QTRY_COMPARE(titlesOf(other).size(), expected);
        }
        QCOMPARE(keptTitles(cacheFolder(), cookbook.path()).size(), 32);
    }

    void forgetsCookbooksNotOpenedForLong()
    {
        QVERIFY(QDir().mkpath(cacheFolder()));
        const QString old = RecipeCache::fileFor(cacheFolder(), QStringLiteral("/old"));
        const QString recent = RecipeCache::fileFor(cacheFolder(), QStringLiteral("/recent"));
        {
            RecipeCache cache(cacheFolder(), QStringLiteral("/old"));
        }
        {
            RecipeCache cache(cacheFolder(), QStringLiteral("/recent"));
        }
        const qint64 now = QDateTime::currentSecsSinceEpoch();
        QVERIFY(setModified(old, now - (RecipeCache::unusedDays + 1) * 86400, 0));
        QVERIFY(setModified(recent, now - (RecipeCache::unusedDays - 1) * 86400, 0));
        RecipeCache::forgetUnused(cacheFolder());
        QVERIFY(!QFile::exists(old));
        QVERIFY(QFile::exists(recent));
        // Opening marks a cookbook used, whether or not anything changed.
        QVERIFY(setModified(recent, now - (RecipeCache::unusedDays + 1) * 86400, 0));
        {
            RecipeCache cache(cacheFolder(), QStringLiteral("/recent"));
        }
        RecipeCache::forgetUnused(cacheFolder());
        QVERIFY(QFile::exists(recent));
    }

    void keepsCookbooksApart()
    {
        QTemporaryDir first;
        QTemporaryDir second;
        writeCookbook(first.path());
        testing::writeFile(second.filePath(QStringLiteral("a.recipe.md")), "# Only\n");
        QCOMPARE(scanTitles(first.path(), 1).size(), 3);
        QCOMPARE(scanTitles(second.path(), 1), QStringList{"Only"});
        QCOMPARE(keptTitles(cacheFolder(), first.path()).size(), 3);
        QCOMPARE(keptTitles(cacheFolder(), second.path()), QStringList{"Only"});
        QCOMPARE(RecipeCache::fileFor(cacheFolder(), first.path() + QStringLiteral("/")),
                 RecipeCache::fileFor(cacheFolder(), first.path()));
    }
};

QTEST_GUILESS_MAIN(RecipeCacheTest)
#include "tst_recipecache.moc"
