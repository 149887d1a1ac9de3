#include "collection/cookbookwalk.h"
#include "support/recipefiles.h"

#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

// The walk that the scan and the check of a kept index share must find
// exactly the recipe files a folder listing finds, each with its stamp.
class TestCookbookWalk : public QObject
{
    Q_OBJECT
private slots:
    void findsTheRecipesAFolderListingFinds_data();
    void findsTheRecipesAFolderListingFinds();
    void stampsEachRecipeAsItsPathWouldBe();
    void aMissingOrUnreadableRootFindsNothing();
};

namespace {

using Layout = std::function<void(const QString& root)>;

// With the stamps skipped, only links (which are looked at to see where
// they lead) come stamped.
QStringList walked(const QString& root, CookbookWalk::Stamps stamps = CookbookWalk::Stamps::Taken)
{
    QStringList paths;
    CookbookWalk::walk(
        root,
        [&paths, stamps](QString path, const FileStamp& stamp) {
            QCOMPARE(stamp.isValid(),
                     stamps == CookbookWalk::Stamps::Taken || QFileInfo(path).isSymLink());
            paths << path;
        },
        stamps);
    paths.sort();
    return paths;
}

// What a recursive listing filtered by the recipe name finds, keeping the
// regular files and the links to them.
QStringList listed(const QString& root)
{
    QStringList paths;
    QDirIterator files(root, {QStringLiteral("*.recipe.md")}, QDir::Files | QDir::NoDotAndDotDot,
                       QDirIterator::Subdirectories);
    while (files.hasNext()) {
        files.next();
        if (files.fileInfo().isFile())
            paths << files.fileInfo().absoluteFilePath();
    }
    paths.sort();
    return paths;
}

void recipe(const QString& root, const QString& relative)
{
    QVERIFY(testing::writeFile(root + QLatin1Char('/') + relative, "# Title\n\n- 1 egg\n"));
}

} // namespace

void TestCookbookWalk::findsTheRecipesAFolderListingFinds_data()
{
    QTest::addColumn<Layout>("layout");
    QTest::addColumn<int>("expected");
    QTest::newRow("nested folders, several scripts") << Layout([](const QString& root) {
        recipe(root, QStringLiteral("Suppen/Linsensuppe.recipe.md"));
        recipe(root, QStringLiteral("中華/主菜/麻婆豆腐.recipe.md"));
        recipe(root, QStringLiteral("和食/親子丼.recipe.md"));
        recipe(root, QStringLiteral("Crêpes Suzette.recipe.md"));
        recipe(root, QStringLiteral("notes.md"));
        recipe(root, QStringLiteral("Suppen/recipe.md"));
    }) << 4;
    QTest::newRow("the suffix in any case") << Layout([](const QString& root) {
        recipe(root, QStringLiteral("Tarte Tatin.Recipe.MD"));
        recipe(root, QStringLiteral("Quiche.RECIPE.md"));
        recipe(root, QStringLiteral("Quiche.recipe.md.bak"));
    }) << 2;
    QTest::newRow("hidden files and folders left out") << Layout([](const QString& root) {
        recipe(root, QStringLiteral(".Geheim.recipe.md"));
        recipe(root, QStringLiteral(".git/objects/x.recipe.md"));
        recipe(root, QStringLiteral(".recipe.md"));
        recipe(root, QStringLiteral("Brot.recipe.md"));
    }) << 1;
    QTest::newRow("links: to files followed, to folders not, broken ones left out")
        << Layout([](const QString& root) {
               recipe(root, QStringLiteral("real/Pho.recipe.md"));
               QVERIFY(QFile::link(root + QStringLiteral("/real/Pho.recipe.md"),
                                   root + QStringLiteral("/Pho link.recipe.md")));
               QVERIFY(QFile::link(root + QStringLiteral("/real"),
                                   root + QStringLiteral("/folder link")));
               QVERIFY(QFile::link(root + QStringLiteral("/nowhere"),
                                   root + QStringLiteral("/broken.recipe.md")));
               QVERIFY(QFile::link(root + QStringLiteral("/real"),
                                   root + QStringLiteral("/a folder.recipe.md")));
           })
        << 2;
    QTest::newRow("a FIFO and a folder named like recipes") << Layout([](const QString& root) {
        QVERIFY(::mkfifo(QFile::encodeName(root + QStringLiteral("/pipe.recipe.md")), 0600) == 0);
        QVERIFY(QDir(root).mkpath(QStringLiteral("Ordner.recipe.md")));
        recipe(root, QStringLiteral("Ordner.recipe.md/Ratatouille.recipe.md"));
    }) << 1;
    QTest::newRow("empty") << Layout([](const QString&) {}) << 0;
}

void TestCookbookWalk::findsTheRecipesAFolderListingFinds()
{
    QFETCH(Layout, layout);
    QFETCH(int, expected);
    QTemporaryDir root;
    layout(root.path());
    const QStringList paths = walked(root.path());
    QCOMPARE(paths, listed(root.path()));
    QCOMPARE(paths.size(), expected);
    // A root given with a trailing slash or through "." finds the same paths.
    QCOMPARE(walked(root.path() + QStringLiteral("/./")), paths);
    QCOMPARE(walked(root.path(), CookbookWalk::Stamps::Skipped), paths);
}

void TestCookbookWalk::stampsEachRecipeAsItsPathWouldBe()
{
    QTemporaryDir root;
    recipe(root.path(), QStringLiteral("a/Gazpacho.recipe.md"));
    QVERIFY(testing::writeFile(root.filePath(QStringLiteral("Borschtsch.recipe.md")),
                               QByteArray(5000, 'x')));
    int found = 0;
    CookbookWalk::walk(root.path(), [&found](QString path, const FileStamp& stamp) {
        ++found;
        QCOMPARE(stamp, FileStamp::of(path));
        QCOMPARE(stamp.size, QFileInfo(path).size());
    });
    QCOMPARE(found, 2);
}

void TestCookbookWalk::aMissingOrUnreadableRootFindsNothing()
{
    QTemporaryDir root;
    QCOMPARE(walked(root.filePath(QStringLiteral("gone"))), QStringList());
    QCOMPARE(walked(QString()), QStringList());
    recipe(root.path(), QStringLiteral("Salat.recipe.md"));
    QCOMPARE(walked(root.filePath(QStringLiteral("Salat.recipe.md"))), QStringList());
}

QTEST_GUILESS_MAIN(TestCookbookWalk)
#include "tst_cookbookwalk.moc"
