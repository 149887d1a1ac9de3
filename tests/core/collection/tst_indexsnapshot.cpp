#include "collection/indexsnapshot.h"
#include "collection/ingredientnameindex.h"

#include <QDataStream>
#include <QtTest>

#include <memory>

// What the models are built from, written as one block and read back: the
// same recipes in title order, the same recipes under every key, the same
// listed names and sources; a block that is cut short, damaged or foreign is
// refused, never read past its end.
class TestIndexSnapshot : public QObject
{
    Q_OBJECT
private slots:
    void readsBackWhatWasWritten();
    void keepsPathsWhateverTheyShare_data();
    void keepsPathsWhateverTheyShare();
    void refusesDamagedBlocks_data();
    void refusesDamagedBlocks();
};

namespace {

using Recipes = IndexSnapshot::Recipes;
using IndexMap = IndexSnapshot::IndexMap;

struct Indexes
{
    Recipes recipes;
    std::vector<FileStamp> stamps;
    IndexMap byTag;
    IndexMap byIngredient;
    IngredientNameIndex listedNames;
    QHash<QString, QString> sourcesByPath;

    IndexSnapshot::Parts parts()
    {
        return {&recipes, &stamps, &byTag, &byIngredient, &listedNames, &sourcesByPath};
    }
};

// Three recipes in three languages, numbered in the order a walk found
// them, with the order of their titles.
std::unique_ptr<Indexes> writtenIndexes(IndexSnapshot::IndexList& order)
{
    auto indexes = std::make_unique<Indexes>();
    indexes->recipes.titles = {"Tomato Soup", "Apfelkuchen", "麻婆豆腐"};
    indexes->recipes.paths = {"/c/soups/tomato.recipe.md", "/c/kuchen.recipe.md",
                              "/c/中餐/麻婆豆腐.recipe.md"};
    order = {1, 0, 2};
    indexes->recipes.placeOf = {1, 0, 2};
    // One beyond 32 bits in every field, as large files and inodes have.
    indexes->stamps = {{1200, 1733900000123456789, 42}, {5000000000, 7, 1ULL << 40}, {0, -1, 3}};
    indexes->byTag = {{"soup", {0}}, {"Kuchen", {1}}, {"川菜", {2}}, {"quick", {0, 2}}};
    indexes->byIngredient = {{"tomatoes", {0}}, {"Äpfel", {1}}, {"豆腐", {2}}, {"garlic", {0, 2}}};
    indexes->listedNames.add(indexes->recipes.paths[0], {"tomatoes", "garlic"});
    indexes->listedNames.add(indexes->recipes.paths[1], {"Äpfel"});
    indexes->listedNames.add(indexes->recipes.paths[2], {"豆腐", "Garlic"});
    indexes->sourcesByPath = {{indexes->recipes.paths[2], "https://example.org/mapo-tofu"}};
    return indexes;
}

// The paths under each key, whatever numbers stand for them.
QHash<QString, QStringList> pathsByKey(const IndexMap& map, const Recipes& recipes)
{
    QHash<QString, QStringList> paths;
    for (auto at = map.cbegin(); at != map.cend(); ++at) {
        QStringList list;
        for (const int recipe : at.value())
            list.append(recipes.paths.at(recipe));
        list.sort();
        paths.insert(at.key(), list);
    }
    return paths;
}

QByteArray writtenBlock()
{
    IndexSnapshot::IndexList order;
    const std::unique_ptr<Indexes> written = writtenIndexes(order);
    return IndexSnapshot::write(written->parts(), order);
}

// One recipe with one tag whose list holds `number`, written field by field
// as the format has them: little-endian 32-bit numbers, texts as their
// UTF-8 length and bytes.
QByteArray handMadeBlock(qint32 number)
{
    QByteArray block;
    QDataStream out(&block, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    const auto text = [&out](const QString& value) {
        const QByteArray utf8 = value.toUtf8();
        out << qint32(utf8.size());
        out.writeRawData(utf8.constData(), int(utf8.size()));
    };
    out << quint32(0x53524958) << quint32(3);
    text(QStringLiteral("/c/"));                           // the paths' common beginning
    out << qint32(1);                                      // recipes
    text(QStringLiteral("Phở bò"));                        // titles
    text(QStringLiteral("phở.recipe.md"));                 // paths
    out << qint64(120) << qint64(1733900000) << qint64(7); // stamps
    out << qint32(1);                                      // tags
    text(QStringLiteral("soup"));
    out << qint32(1) << number;
    out << qint32(0); // ingredient keys
    out << qint32(0); // listed names
    out << qint32(0); // sources
    return block;
}

} // namespace

void TestIndexSnapshot::readsBackWhatWasWritten()
{
    IndexSnapshot::IndexList order;
    const std::unique_ptr<Indexes> written = writtenIndexes(order);
    const QByteArray block = IndexSnapshot::write(written->parts(), order);
    Indexes read;
    QVERIFY(IndexSnapshot::read(block, read.parts()));
    QCOMPARE(read.recipes.titles, QStringList({"Apfelkuchen", "Tomato Soup", "麻婆豆腐"}));
    QCOMPARE(read.recipes.paths, QStringList({"/c/kuchen.recipe.md", "/c/soups/tomato.recipe.md",
                                              "/c/中餐/麻婆豆腐.recipe.md"}));
    QCOMPARE(pathsByKey(read.byTag, read.recipes), pathsByKey(written->byTag, written->recipes));
    QCOMPARE(pathsByKey(read.byIngredient, read.recipes),
             pathsByKey(written->byIngredient, written->recipes));
    QCOMPARE(read.sourcesByPath, written->sourcesByPath);
    QCOMPARE(read.stamps.size(), std::size_t(3));
    for (std::size_t place = 0; place < order.size(); ++place)
        QVERIFY(read.stamps[place] == written->stamps[std::size_t(order[place])]);
    read.listedNames.finish();
    written->listedNames.finish();
    QCOMPARE(read.listedNames.names(), written->listedNames.names());
    for (qsizetype name = 0; name < written->listedNames.size(); ++name)
        QCOMPARE(read.listedNames.pathsOf(name), written->listedNames.pathsOf(name));
    QCOMPARE(read.listedNames.pathsOf(read.listedNames.names().indexOf("garlic")).size(), 2);

    // The format as the damaged blocks below spell it out.
    Indexes handMade;
    QVERIFY(IndexSnapshot::read(handMadeBlock(0), handMade.parts()));
    QCOMPARE(pathsByKey(handMade.byTag, handMade.recipes),
             (QHash<QString, QStringList>{{"soup", {"/c/phở.recipe.md"}}}));
}

void TestIndexSnapshot::keepsPathsWhateverTheyShare_data()
{
    QTest::addColumn<QStringList>("paths");
    QTest::newRow("one") << QStringList{"/c/a.recipe.md"};
    QTest::newRow("nothing shared") << QStringList{"/c/a.recipe.md", "relative.recipe.md"};
    QTest::newRow("one a beginning of the other")
        << QStringList{"/c/a.recipe.md", "/c/a.recipe.md.recipe.md"};
    QTest::newRow("sharing part of a character beyond the BMP")
        << QStringList{"/c/🍜/a.recipe.md", "/c/🍝/b.recipe.md"};
    QTest::newRow("sharing the first bytes of a character")
        << QStringList{"/c/中餐/a.recipe.md", "/c/中文/b.recipe.md", "/c/丰/c.recipe.md"};
}

void TestIndexSnapshot::keepsPathsWhateverTheyShare()
{
    QFETCH(QStringList, paths);
    Indexes written;
    IndexSnapshot::IndexList order;
    for (const QString& path : paths) {
        order.push_back(int(written.recipes.paths.size()));
        written.recipes.placeOf.push_back(int(written.recipes.paths.size()));
        written.recipes.titles.append(QStringLiteral("Same title"));
        written.recipes.paths.append(path);
        written.stamps.push_back({1, 2, 3});
        written.listedNames.add(path, {QStringLiteral("salt")});
        written.sourcesByPath.insert(path, QStringLiteral("https://example.org/") + path);
    }
    Indexes read;
    QVERIFY(IndexSnapshot::read(IndexSnapshot::write(written.parts(), order), read.parts()));
    QCOMPARE(read.recipes.paths, paths);
    QCOMPARE(read.sourcesByPath, written.sourcesByPath);
    read.listedNames.finish();
    QCOMPARE(read.listedNames.pathsOf(0), paths);
}

void TestIndexSnapshot::refusesDamagedBlocks_data()
{
    QTest::addColumn<QByteArray>("block");
    const QByteArray whole = writtenBlock();
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("another format") << QByteArray("SQLite format 3").append(whole.mid(15));
    QByteArray newer = whole;
    newer[4] = char(4);
    QTest::newRow("a newer version of the format") << newer;
    QTest::newRow("more after the end") << whole + QByteArray(4, '\0');
    QTest::newRow("a recipe number past the recipes") << handMadeBlock(1);
    QTest::newRow("a negative recipe number") << handMadeBlock(-1);
    // A title claiming 2 GB: refused before anything is made for it.
    QByteArray longTitle = handMadeBlock(0);
    longTitle.replace(19, 4, QByteArray("\xfe\xff\xff\x7f", 4));
    QTest::newRow("a title longer than the block") << longTitle;
    for (const qsizetype cut :
         {qsizetype(8), qsizetype(12), whole.size() / 3, whole.size() / 2, whole.size() - 1})
        QTest::addRow("cut short at %lld of %lld bytes", qlonglong(cut), qlonglong(whole.size()))
            << whole.left(cut);
}

void TestIndexSnapshot::refusesDamagedBlocks()
{
    QFETCH(QByteArray, block);
    Indexes read;
    QVERIFY(!IndexSnapshot::read(block, read.parts()));
}

QTEST_GUILESS_MAIN(TestIndexSnapshot)
#include "tst_indexsnapshot.moc"
