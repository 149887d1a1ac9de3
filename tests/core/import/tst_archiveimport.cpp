// Paprika exports read through libarchive, and the limits that keep hostile
// archives from exhausting the program or writing where they should not.
#include "import/archivereader.h"
#include "import/importedrecipewriter.h"
#include "import/recipeimporter.h"

#include <archive.h>
#include <archive_entry.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Entry
{
    QString name;
    QByteArray data;
    bool link = false;
};

// A gzip stream of `data`, as Paprika packs each recipe.
QByteArray gzip(const QByteArray& data)
{
    QByteArray out(data.size() + 1024 * 1024, '\0');
    size_t used = 0;
    archive* handle = archive_write_new();
    archive_write_add_filter_gzip(handle);
    archive_write_set_format_raw(handle);
    archive_write_open_memory(handle, out.data(), size_t(out.size()), &used);
    archive_entry* entry = archive_entry_new();
    archive_entry_set_filetype(entry, AE_IFREG);
    archive_entry_set_size(entry, data.size());
    archive_write_header(handle, entry);
    archive_write_data(handle, data.constData(), size_t(data.size()));
    archive_entry_free(entry);
    archive_write_close(handle);
    archive_write_free(handle);
    out.truncate(qsizetype(used));
    return out;
}

// A zip archive at `path`; `store` leaves the entries uncompressed.
bool writeZip(const QString& path, const QList<Entry>& entries, bool store = false)
{
    archive* handle = archive_write_new();
    archive_write_set_format_zip(handle);
    if (store)
        archive_write_set_format_option(handle, "zip", "compression", "store");
    if (archive_write_open_filename(handle, QFile::encodeName(path).constData()) != ARCHIVE_OK)
        return false;
    for (const Entry& each : entries) {
        archive_entry* entry = archive_entry_new();
        archive_entry_set_pathname(entry, each.name.toUtf8().constData());
        archive_entry_set_perm(entry, 0644);
        if (each.link) {
            archive_entry_set_filetype(entry, AE_IFLNK);
            archive_entry_set_symlink(entry, each.data.constData());
            archive_write_header(handle, entry);
        } else {
            archive_entry_set_filetype(entry, AE_IFREG);
            archive_entry_set_size(entry, each.data.size());
            archive_write_header(handle, entry);
            archive_write_data(handle, each.data.constData(), size_t(each.data.size()));
        }
        archive_entry_free(entry);
    }
    archive_write_close(handle);
    archive_write_free(handle);
    return true;
}

QByteArray paprikaRecipe(const QString& name, const QByteArray& photo = QByteArray())
{
    QJsonObject object{{"name", name},
                       {"ingredients", "2 cups flour\n1 tsp baking soda\n\n3 ripe bananas"},
                       {"directions", "Mash the bananas.\nFold in the flour.\n\nBake 1 hour."},
                       {"description", "Moist."},
                       {"notes", "Freezes well."},
                       {"servings", "1 loaf"},
                       {"prep_time", "15 mins"},
                       {"cook_time", "1 hr"},
                       {"total_time", "1 hr 15 mins"},
                       {"categories", QJsonArray{"Baking", "Breakfast"}},
                       {"source", "Grandma"},
                       {"source_url", "https://bananas.example/bread"},
                       {"image_url", "https://bananas.example/bread.jpg"},
                       {"uid", "5A1B"}};
    if (!photo.isEmpty())
        object.insert("photo_data", QString::fromLatin1(photo.toBase64()));
    return gzip(QJsonDocument(object).toJson());
}

QStringList filesBelow(const QString& folder)
{
    QStringList out;
    QDirIterator it(folder, QDir::Files | QDir::System | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        out << QDir(folder).relativeFilePath(it.next());
    out.sort();
    return out;
}

const QByteArray jpeg("\xff\xd8\xff\xe0 photo bytes", 16);

} // namespace

class TestArchiveImport : public QObject
{
    Q_OBJECT
private slots:
    void readsPaprikaArchives();
    void readsASinglePaprikaRecipe();
    void neverWritesOutsideTheFolder();
    void refusesHostileArchives_data();
    void refusesHostileArchives();

private:
    QTemporaryDir dir;
};

void TestArchiveImport::readsPaprikaArchives()
{
    const QString path = dir.filePath("export.paprikarecipes");
    QVERIFY(writeZip(path,
                     {{"Banana Bread.paprikarecipe", paprikaRecipe("Banana Bread", jpeg)},
                      {"Plain Loaf.paprikarecipe", paprikaRecipe("Plain Loaf")}},
                     true));
    const QList<ImportedRecipe> recipes = importRecipes(path);
    QCOMPARE(recipes.size(), 2);
    const ImportedRecipe& bread = recipes.first();
    QCOMPARE(bread.title, QString("Banana Bread"));
    QCOMPARE(bread.description, QString("Moist.\n\nFreezes well."));
    QCOMPARE(bread.ingredients,
             (QStringList{"2 cups flour", "1 tsp baking soda", "3 ripe bananas"}));
    QCOMPARE(bread.steps.size(), 3);
    QCOMPARE(bread.steps.last().text, QString("Bake 1 hour."));
    QCOMPARE(bread.yield, QString("1 loaf"));
    QCOMPARE(bread.prepSeconds, 900);
    QCOMPARE(bread.cookSeconds, 3600);
    QCOMPARE(bread.totalSeconds, 4500);
    QCOMPARE(bread.tags, (QStringList{"Baking", "Breakfast"}));
    QCOMPARE(bread.author, QString("Grandma"));
    QCOMPARE(bread.source, QString("https://bananas.example/bread"));
    QCOMPARE(bread.pictureData, jpeg);
    QCOMPARE(bread.pictureSuffix, QString("jpg"));
    QCOMPARE(recipes.last().title, QString("Plain Loaf"));
    QVERIFY(recipes.last().pictureData.isEmpty());
}

void TestArchiveImport::readsASinglePaprikaRecipe()
{
    QFile file(dir.filePath("one.paprikarecipe"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(paprikaRecipe("Single"));
    file.close();
    const QList<ImportedRecipe> recipes = importRecipes(file.fileName());
    QCOMPARE(recipes.size(), 1);
    QCOMPARE(recipes.first().title, QString("Single"));
}

void TestArchiveImport::neverWritesOutsideTheFolder()
{
    QTemporaryDir outer;
    QVERIFY(QDir(outer.path()).mkpath("collection/imported"));
    const QString archive = outer.filePath("hostile.paprikarecipes");
    QVERIFY(writeZip(archive, {{"../../escaped.paprikarecipe", paprikaRecipe("../../Escape", jpeg)},
                               {"/tmp/absolute.paprikarecipe", paprikaRecipe("/etc/passwd")},
                               {"link.paprikarecipe", "/etc/passwd", true},
                               {"dir/../../x.paprikarecipe", paprikaRecipe("..")}}));
    const QStringList before = filesBelow(outer.path());
    const QList<ImportedRecipe> recipes = importRecipes(archive);
    QCOMPARE(recipes.size(), 3);
    const ImportedRecipeWriter writer(outer.filePath("collection/imported"));
    for (const ImportedRecipe& recipe : recipes)
        QVERIFY(!writer.write(recipe).isEmpty());
    QStringList expected = before;
    expected << "collection/imported/escape.recipe.md"
             << "collection/imported/escape.jpg"
             << "collection/imported/etcpasswd.recipe.md"
             << "collection/imported/recipe.recipe.md";
    expected.sort();
    QCOMPARE(filesBelow(outer.path()), expected);
}

void TestArchiveImport::refusesHostileArchives_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("problem");
    QTest::newRow("not an archive") << "text.paprikarecipes"
                                    << "not a readable archive";
    QTest::newRow("too many entries") << "many.paprikarecipes"
                                      << "archive with more than 10,000 entries";
    QTest::newRow("zip bomb") << "bomb.paprikarecipes"
                              << "archive unpacks to more than 100 times its size";
    QTest::newRow("gzip bomb inside") << "innerbomb.paprikarecipes"
                                      << "archive unpacks to more than 100 times its size";
    QTest::newRow("entry too large") << "large.paprikarecipes"
                                     << "archive entry larger than 32 MiB";
    QTest::newRow("archive too large") << "huge.paprikarecipes"
                                       << "archive larger than 256 MiB";
    QTest::newRow("a link named like an archive") << "link.paprikarecipes"
                                                  << "cannot be read";
}

void TestArchiveImport::refusesHostileArchives()
{
    QFETCH(QString, name);
    const QString path = dir.filePath(name);
    if (name.startsWith("text")) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("just some text, no zip at all\n");
    } else if (name.startsWith("many")) {
        QList<Entry> entries;
        for (int i = 0; i <= 10000; ++i)
            entries.append({QString("e%1").arg(i), QByteArray()});
        QVERIFY(writeZip(path, entries, true));
    } else if (name.startsWith("bomb")) {
        QVERIFY(writeZip(path, {{"zeros.paprikarecipe", QByteArray(20 * 1024 * 1024, '\0')}}));
    } else if (name.startsWith("innerbomb")) {
        QVERIFY(writeZip(path, {{"zeros.paprikarecipe", gzip(QByteArray(8 * 1024 * 1024, ' '))}},
                         true));
    } else if (name.startsWith("large")) {
        QByteArray noise(33 * 1024 * 1024, '\0');
        for (qsizetype i = 0; i < noise.size(); ++i)
            noise[i] = char((i * 2654435761u) >> 13);
        QVERIFY(writeZip(path, {{"noise.paprikarecipe", noise}}, true));
    } else if (name.startsWith("huge")) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.resize(qint64(256) * 1024 * 1024 + 1));
    } else if (name.startsWith("link")) {
        QVERIFY(QFile::link("/dev/zero", path));
    }
    const RecipeImporter::Result result = RecipeImporter::importFile(path);
    QVERIFY(result.recipes.isEmpty());
    QTEST(result.problem, "problem");
    QFile::remove(path);
}

QTEST_GUILESS_MAIN(TestArchiveImport)
#include "tst_archiveimport.moc"
