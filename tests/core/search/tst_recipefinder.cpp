// The finder over real recipe files: the text search's rules, ingredients and
// tags combined, the recipes lacking one ingredient, answers overtaken by
// newer requests or collections, and files no recipe should be.
#include "search/recipefinder.h"
#include "search/recipetextindex.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <optional>

#include <sys/stat.h>

namespace {

constexpr int answerTimeout = 30000;

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Collects the answers a finder gives.
struct Answers
{
    explicit Answers(RecipeFinder& finder)
    {
        QObject::connect(&finder, &RecipeFinder::resultReady, &finder,
                         [this](const RecipeFinder::Result& result) { all.push_back(result); });
    }
    QStringList titles(std::size_t answer) const
    {
        QStringList titles;
        for (int position : all.at(answer).matches)
            titles << all.at(answer).collection->at(position).title;
        return titles;
    }
    std::vector<RecipeFinder::Result> all;
};

std::shared_ptr<const RecipeFinder::Collection> collectionOf(const QTemporaryDir& dir,
                                                             const QStringList& names)
{
    auto collection = std::make_shared<RecipeFinder::Collection>();
    for (const QString& name : names)
        collection->append({name, dir.filePath(name)});
    return collection;
}

} // namespace

class RecipeFinderTest : public QObject
{
    Q_OBJECT
private slots:
    void textMatchesWordStartsAsTyped_data()
    {
        QTest::addColumn<QByteArray>("recipe");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("found");
        const QByteArray brulee = "# Crème brûlée\n\nA custard.\n";
        QTest::newRow("without accents") << brulee << "creme brulee" << true;
        QTest::newRow("with accents, other case")
            << QByteArray("# creme brulee\n") << "CRÈME" << true;
        QTest::newRow("any order") << brulee << "brul CREM" << true;
        QTest::newRow("every word needed") << brulee << "creme caramel" << false;
        QTest::newRow("sharp s typed as ss") << QByteArray("# Straße\n") << "STRASSE" << true;
        QTest::newRow("ss found by sharp s") << QByteArray("# Strasse\n") << "straße" << true;
        QTest::newRow("umlaut") << QByteArray("# Über Kartoffeln\n") << "uber" << true;
        QTest::newRow("word start") << QByteArray("Roll the pastry.\n") << "past" << true;
        QTest::newRow("not inside a word") << QByteArray("Spanish tapas.\n") << "past" << false;
        QTest::newRow("directions")
            << QByteArray("# Soup\n\n### Directions\n\nSimmer it.\n") << "simmer" << true;
        QTest::newRow("ingredient line")
            << QByteArray("### Ingredients\n\n * 2 pcs red onions\n") << "onion" << true;
        QTest::newRow("metadata") << QByteArray("### Metadata\n\nauthor: Ann Example\n")
                                  << "example" << true;
        QTest::newRow("separator inside the word")
            << QByteArray("self-raising flour\n") << "self-raising" << true;
        QTest::newRow("separator inside, apart in the text")
            << QByteArray("self made, raising agent\n") << "self-raising" << false;
        QTest::newRow("separators around the word")
            << QByteArray("a pinch of salt\n") << "(salt," << true;
        QTest::newRow("Han anywhere") << QByteArray("今天做红烧肉吧\n") << "红烧肉" << true;
        QTest::newRow("Han one character") << QByteArray("今天做红烧肉吧\n") << "肉" << true;
        QTest::newRow("Han as typed") << QByteArray("红烧鱼和烧肉\n") << "红烧肉" << false;
        QTest::newRow("katakana anywhere") << QByteArray("味噌ラーメン\n") << "ラーメン" << true;
        QTest::newRow("kana voicing matters")
            << QByteArray("ガーリック\n") << "カーリック" << false;
        QTest::newRow("long word") << QByteArray(80, 'a') + "b\n" << QString(80, 'a') + "b" << true;
        QTest::newRow("long word, other end") << QByteArray(80, 'a') + "b\n"
                                              << QString(80, 'a') + "c" << false;
    }

    void textMatchesWordStartsAsTyped()
    {
        QFETCH(QByteArray, recipe);
        QFETCH(QString, typed);
        QFETCH(bool, found);
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath("a.recipe.md"), recipe));
        QVERIFY(writeFile(dir.filePath("b.recipe.md"), "# Something else\n"));
        RecipeFinder finder;
        Answers answers(finder);
        finder.setCollection(collectionOf(dir, {"a.recipe.md", "b.recipe.md"}));
        finder.find({typed, {}, {}, {}});
        QTRY_COMPARE_WITH_TIMEOUT(answers.all.size(), std::size_t(1), answerTimeout);
        QCOMPARE(answers.titles(0), found ? QStringList{"a.recipe.md"} : QStringList{});
        QVERIFY(finder.isIndexReady());
    }

    void conditionsCombineAndNearMatchesFollow_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("ingredients");
        QTest::addColumn<QStringList>("tags");
        QTest::addColumn<QStringList>("matches");
        QTest::addColumn<QStringList>("near"); // "title:missing"
        // Which recipe uses what is given as paths, as the index models hold it.
        QTest::newRow("nothing chosen")
            << QString() << QStringList{} << QStringList{} << QStringList{} << QStringList{};
        QTest::newRow("one ingredient") << QString() << QStringList{"onion"} << QStringList{}
                                        << QStringList{"a", "c"} << QStringList{};
        QTest::newRow("two ingredients")
            << QString() << QStringList{"onion", "basil"} << QStringList{} << QStringList{"c"}
            << QStringList{"a:basil", "b:onion", "d:onion"};
        QTest::newRow("three ingredients, none has all")
            << QString() << QStringList{"onion", "basil", "garlic"} << QStringList{}
            << QStringList{} << QStringList{"b:onion", "c:garlic", "d:onion"};
        QTest::newRow("with a tag")
            << QString() << QStringList{"onion", "basil"} << QStringList{"quick"} << QStringList{}
            << QStringList{"b:onion", "d:onion"};
        QTest::newRow("with text") << "soup" << QStringList{"onion", "basil"} << QStringList{}
                                   << QStringList{} << QStringList{"a:basil"};
        QTest::newRow("text only")
            << "soup" << QStringList{} << QStringList{} << QStringList{"a"} << QStringList{};
        QTest::newRow("tag only") << QString() << QStringList{} << QStringList{"quick"}
                                  << QStringList{"b", "d"} << QStringList{};
    }

    void conditionsCombineAndNearMatchesFollow()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, ingredients);
        QFETCH(QStringList, tags);
        QTemporaryDir dir;
        for (const char* name : {"a", "b", "c", "d"})
            QVERIFY(writeFile(dir.filePath(name), QByteArray("# ") + name + "\n"));
        QVERIFY(writeFile(dir.filePath("a"), "# Onion soup\n"));
        const QHash<QString, QStringList> uses = {{"onion", {"a", "c"}},
                                                  {"basil", {"b", "c", "d"}},
                                                  {"garlic", {"b", "d"}},
                                                  {"quick", {"b", "d"}}};
        auto choices = [&](const QStringList& names) {
            QList<RecipeFinder::Choice> list;
            for (const QString& name : names) {
                QStringList paths;
                for (const QString& recipe : uses.value(name))
                    paths << dir.filePath(recipe);
                list.append({name, paths});
            }
            return list;
        };
        RecipeFinder finder;
        Answers answers(finder);
        finder.setCollection(collectionOf(dir, {"a", "b", "c", "d"}));
        finder.find({text, choices(ingredients), choices(tags), {}});
        QTRY_COMPARE_WITH_TIMEOUT(answers.all.size(), std::size_t(1), answerTimeout);
        QTEST(answers.titles(0), "matches");
        QStringList near;
        for (const auto& [position, missing] : answers.all.at(0).nearMatches)
            near << answers.all.at(0).collection->at(position).title + ":" +
                        ingredients.at(missing);
        QTEST(near, "near");
    }

    void onlyTheLatestRequestOfTheLatestCollectionIsAnswered()
    {
        QTemporaryDir dir;
        QStringList names;
        for (int i = 0; i < 300; ++i) {
            names << QStringLiteral("r%1.recipe.md").arg(i);
            QVERIFY(writeFile(dir.filePath(names.last()),
                              "# Dish " + QByteArray::number(i) + "\nsoup stew\n"));
        }
        RecipeFinder finder;
        Answers answers(finder);
        finder.setCollection(collectionOf(dir, names));
        for (const char* typed : {"s", "so", "sou", "soup"})
            finder.find({typed, {}, {}, {}});
        QTRY_COMPARE_WITH_TIMEOUT(answers.all.size(), std::size_t(1), answerTimeout);
        QCOMPARE(answers.all.at(0).matches.size(), std::size_t(300));

        // A new collection: whatever was asked of the old one is not answered.
        finder.find({"stew", {}, {}, {}});
        const auto second = collectionOf(dir, names.mid(0, 10));
        finder.setCollection(second);
        QVERIFY(!finder.isIndexReady());
        const std::uint64_t last = finder.find({"dish", {}, {}, {}});
        QTRY_COMPARE_WITH_TIMEOUT(answers.all.size(), std::size_t(2), answerTimeout);
        QCOMPARE(answers.all.at(1).request, last);
        QCOMPARE(answers.all.at(1).collection, second);
        QCOMPARE(answers.all.at(1).matches.size(), std::size_t(10));
        QCoreApplication::processEvents();
        QCOMPARE(answers.all.size(), std::size_t(2));
    }

    void destroyedWhileBuilding()
    {
        QTemporaryDir dir;
        QStringList names;
        for (int i = 0; i < 2000; ++i) {
            names << QStringLiteral("r%1.recipe.md").arg(i);
            QVERIFY(writeFile(dir.filePath(names.last()), "# Dish\nsoup\n"));
        }
        auto finder = std::make_unique<RecipeFinder>();
        finder->setCollection(collectionOf(dir, names));
        finder->find({"soup", {}, {}, {}});
        finder.reset(); // waits for its thread, which stops early
        QVERIFY(!finder);
    }

    void filesThatAreNoRecipesHoldNoWords()
    {
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath("utf8.recipe.md"), "# Bad \xff\xfe bytes\nsoup\n"));
        QVERIFY(writeFile(dir.filePath("nul.recipe.md"), QByteArray("# Nul\0soup\0", 11)));
        QVERIFY(writeFile(dir.filePath("long.recipe.md"),
                          "# Long\n" + QByteArray(2 * 1024 * 1024, 'x') + " soup\n"));
        QVERIFY(writeFile(dir.filePath("gone.recipe.md"), "# Gone\nsoup\n"));
        QVERIFY(QFile::remove(dir.filePath("gone.recipe.md")));
        QVERIFY(QDir().mkpath(dir.filePath("folder.recipe.md")));
        QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath("fifo.recipe.md")).constData(), 0600), 0);
        const QStringList names = {"utf8.recipe.md", "nul.recipe.md",    "long.recipe.md",
                                   "gone.recipe.md", "folder.recipe.md", "fifo.recipe.md"};
        RecipeFinder finder;
        Answers answers(finder);
        finder.setCollection(collectionOf(dir, names));
        finder.find({"soup", {}, {}, {}});
        QTRY_COMPARE_WITH_TIMEOUT(answers.all.size(), std::size_t(1), answerTimeout);
        QCOMPARE(answers.titles(0),
                 (QStringList{"utf8.recipe.md", "nul.recipe.md", "long.recipe.md"}));
        finder.find({"bad bytes", {}, {}, {}});
        QTRY_COMPARE_WITH_TIMEOUT(answers.all.size(), std::size_t(2), answerTimeout);
        QCOMPARE(answers.titles(1), QStringList{"utf8.recipe.md"});
    }
};

QTEST_GUILESS_MAIN(RecipeFinderTest)
#include "tst_recipefinder.moc"
