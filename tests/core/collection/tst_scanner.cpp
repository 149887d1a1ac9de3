#include "collection/scanner.h"
#include "recipe/recipeparser.h"
#include "support/unprivileged.h"

#include <QAbstractItemModelTester>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QPointer>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <memory>
#include <mutex>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray recipe(const QString& title, const QString& tags = QString(),
                  const QStringList& ingredientLines = {})
{
    QByteArray bytes;
    if (!title.isNull())
        bytes += "# " + title.toUtf8() + "\n\n";
    if (!ingredientLines.isEmpty()) {
        bytes += "### Ingredients\n\n";
        for (const QString& line : ingredientLines)
            bytes += " * " + line.toUtf8() + "\n";
        bytes += "\n### Directions\n\nCook it.\n\n";
    }
    if (!tags.isNull())
        bytes += "### Metadata\n\ntags: " + tags.toUtf8() + "\n";
    return bytes;
}

// A folder large enough that a scan of it is still running when the test's
// next statement executes; the tests that rely on that only need the scan to
// outlast a few function calls on this thread.
void fillWithRecipes(const QString& folder, int count, const QString& prefix)
{
    for (int i = 0; i < count; ++i)
        writeFile(QStringLiteral("%1/%2/r%3.recipe.md").arg(folder).arg(i % 20).arg(i),
                  recipe(QStringLiteral("%1 %2").arg(prefix).arg(i), QStringLiteral("bulk"),
                         {QStringLiteral("1 kg flour"), QStringLiteral("2 l water")}));
}

QStringList column(const QAbstractItemModel* model, int role, const QModelIndex& parent = {})
{
    QStringList out;
    for (int row = 0; row < model->rowCount(parent); ++row)
        out << model->index(row, 0, parent).data(role).toString();
    return out;
}

// "key: title, title" per top-level row of a tree model.
QStringList describeTree(const QAbstractItemModel* model)
{
    QStringList out;
    for (int row = 0; row < model->rowCount(); ++row) {
        const QModelIndex key = model->index(row, 0);
        QStringList titles = column(model, Qt::DisplayRole, key);
        titles.sort(); // equal titles have no defined order
        out << key.data().toString() + QStringLiteral(": ") + titles.join(QStringLiteral(", "));
    }
    return out;
}

struct ScanResult
{
    std::shared_ptr<QStandardItemModel> titles;
    std::shared_ptr<QStandardItemModel> tags;
    std::shared_ptr<QStandardItemModel> ingredients;
    QHash<QString, QString> table;
};

// Scans `root` with a fresh Scanner and returns what it published.
ScanResult scan(const QString& root)
{
    Scanner scanner;
    QSignalSpy updated(&scanner, &Scanner::dataUpdated);
    scanner.setRootPath(root);
    if (!updated.wait(60000))
        return {};
    return {scanner.titleModel(), scanner.tagModel(), scanner.ingredientModel(),
            scanner.titlesByPath()};
}

// Records each watched object's death: whether the thread it belonged to
// was the one deleting it, and whether that was the application's thread.
class DeathRecorder : public QObject
{
    Q_OBJECT
public:
    struct Death
    {
        bool byItsOwnThread;
        bool onThisThread;
    };

    QList<Death> recorded() const
    {
        std::lock_guard<std::mutex> lock(m_lock);
        return m_deaths;
    }

public slots:
    void record(QObject* dying)
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_deaths.append({dying->thread() == QThread::currentThread(),
                         QThread::currentThread() == QCoreApplication::instance()->thread()});
    }

private:
    mutable std::mutex m_lock;
    QList<Death> m_deaths;
};

} // namespace

class TestScanner : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();

    void emptyBeforeTheFirstScan();
    void doUpdateWithoutRootPathDoesNothing();
    void findsRecipeFilesByCaseInsensitiveSuffix();
    void skipsHiddenFoldersAndFiles();
    void sortsTitlesByUtf16CodeUnits();
    void titleModelRowsMatchTheTable();
    void manyTitlesInOrderEachWithItsPath();
    void everyRecipeItemCarriesItsPathAndIsReadOnly();
    void tagIndex();
    void ingredientIndexListsARecipeOncePerName();
    void recipesWithoutTagsOrIngredientsAreOnlyTitled();
    void nonexistentRootPublishesEmptyModels();
    void unreadableRecipeIsLeftOut();
    void modelsPassTheModelTester();

    void settingTheSameFolderScansAgain();
    void doUpdateDuringAScanIsDropped();
    void folderChosenDuringAScanIsScannedNext();
    void folderClearedDuringAScanStartsNothing();
    void replacedModelsDieOnTheirOwnThreadButNotTheGuiThread();
    void consumersKeepTheirModelsAcrossRescans();
    void destructionDuringAScanWaitsAndDeliversNothing();
    void blockedSignalsCannotKeepTheScannerBusy();
    void sameIndexesAsReadingOneFileAfterAnother();
    void neverReadsAFifo_data();
    void neverReadsAFifo();

private:
    QTemporaryDir m_bulk; // shared large folder for the tests that need a scan to still run
};

void TestScanner::initTestCase()
{
    QVERIFY(m_bulk.isValid());
    fillWithRecipes(m_bulk.path(), 1500, QStringLiteral("Bulk"));
}

void TestScanner::emptyBeforeTheFirstScan()
{
    Scanner scanner;
    QVERIFY(!scanner.titleModel());
    QVERIFY(!scanner.tagModel());
    QVERIFY(!scanner.ingredientModel());
    QVERIFY(scanner.titlesByPath().isEmpty());
    QVERIFY(scanner.rootPath().isEmpty());
}

void TestScanner::doUpdateWithoutRootPathDoesNothing()
{
    Scanner scanner;
    QSignalSpy updated(&scanner, &Scanner::dataUpdated);
    scanner.doUpdate();
    scanner.setRootPath(QString());
    QCoreApplication::processEvents();
    QCOMPARE(updated.count(), 0);
    QVERIFY(!scanner.titleModel());

    // The refusals left nothing busy: a real folder is scanned at once.
    QTemporaryDir dir;
    writeFile(dir.filePath(QStringLiteral("a.recipe.md")), recipe(QStringLiteral("A")));
    scanner.setRootPath(dir.path());
    QVERIFY(updated.wait());
    QCOMPARE(scanner.titleModel()->rowCount(), 1);
}

void TestScanner::findsRecipeFilesByCaseInsensitiveSuffix()
{
    QTemporaryDir dir;
    const QString root = dir.path();
    writeFile(root + QStringLiteral("/Soup.recipe.md"), recipe(QStringLiteral("Soup")));
    writeFile(root + QStringLiteral("/cake.RECIPE.MD"), recipe(QStringLiteral("Cake")));
    writeFile(root + QStringLiteral("/notes.md"), recipe(QStringLiteral("Notes")));
    writeFile(root + QStringLiteral("/old.recipe.md.bak"), recipe(QStringLiteral("Old")));
    writeFile(root + QStringLiteral("/recipe.md"), recipe(QStringLiteral("Bare")));
    writeFile(root + QStringLiteral("/Mains.recipe.md/deep/Stew.recipe.md"),
              recipe(QStringLiteral("Stew")));
    writeFile(root + QStringLiteral("/a b/ünïcode näme.recipe.md"),
              recipe(QStringLiteral("Spaced")));

    const ScanResult result = scan(root);
    QVERIFY(result.titles);
    QCOMPARE(column(result.titles.get(), Qt::DisplayRole),
             (QStringList{"Cake", "Soup", "Spaced", "Stew"}));
    const QString realRoot = QFileInfo(root).absoluteFilePath();
    QCOMPARE(result.table.value(realRoot + QStringLiteral("/Mains.recipe.md/deep/Stew.recipe.md")),
             QStringLiteral("Stew"));
    QCOMPARE(result.table.value(realRoot + QStringLiteral("/a b/ünïcode näme.recipe.md")),
             QStringLiteral("Spaced"));
}

void TestScanner::skipsHiddenFoldersAndFiles()
{
    QTemporaryDir dir;
    const QString root = dir.path();
    writeFile(root + QStringLiteral("/Visible.recipe.md"), recipe(QStringLiteral("Visible")));
    writeFile(root + QStringLiteral("/.hidden/Secret.recipe.md"), recipe(QStringLiteral("Secret")));
    writeFile(root + QStringLiteral("/sub/.git/Object.recipe.md"), recipe(QStringLiteral("Obj")));
    writeFile(root + QStringLiteral("/.Dotfile.recipe.md"), recipe(QStringLiteral("Dotfile")));
    QCOMPARE(column(scan(root).titles.get(), Qt::DisplayRole), QStringList{"Visible"});
}

void TestScanner::sortsTitlesByUtf16CodeUnits()
{
    QTemporaryDir dir;
    // Upper case before lower case, Latin-1 letters after ASCII, and a
    // character outside the BMP (surrogates D800–DFFF) before U+FF21, although
    // its code point is larger.
    const QStringList titles = {QStringLiteral("émincé"),
                                QStringLiteral("apple"),
                                QStringLiteral("Zucchini"),
                                QString::fromUtf8("\xEF\xBC\xA1 fullwidth"),
                                QString::fromUtf8("\xF0\x9F\x8D\x95 pizza"),
                                QStringLiteral("Äpfel"),
                                QStringLiteral("Apple"),
                                QString()};
    for (int i = 0; i < titles.size(); ++i)
        writeFile(dir.filePath(QStringLiteral("r%1.recipe.md").arg(i)),
                  titles[i].isNull() ? QByteArray("no title here\n") : recipe(titles[i]));

    const QStringList expected = {QString(),
                                  QStringLiteral("Apple"),
                                  QStringLiteral("Zucchini"),
                                  QStringLiteral("apple"),
                                  QStringLiteral("Äpfel"),
                                  QStringLiteral("émincé"),
                                  QString::fromUtf8("\xF0\x9F\x8D\x95 pizza"),
                                  QString::fromUtf8("\xEF\xBC\xA1 fullwidth")};
    QCOMPARE(column(scan(dir.path()).titles.get(), Qt::DisplayRole), expected);
}

void TestScanner::titleModelRowsMatchTheTable()
{
    QTemporaryDir dir;
    writeFile(dir.filePath(QStringLiteral("a.recipe.md")), recipe(QStringLiteral("Twin")));
    writeFile(dir.filePath(QStringLiteral("b/b.recipe.md")), recipe(QStringLiteral("Twin")));
    writeFile(dir.filePath(QStringLiteral("c.recipe.md")), QByteArray());
    writeFile(dir.filePath(QStringLiteral("d.recipe.md")), recipe(QStringLiteral("Other")));

    const ScanResult result = scan(dir.path());
    QCOMPARE(result.titles->rowCount(), 4);
    QCOMPARE(result.table.size(), 4);
    QCOMPARE(column(result.titles.get(), Qt::DisplayRole),
             (QStringList{"", "Other", "Twin", "Twin"}));
    for (int row = 0; row < result.titles->rowCount(); ++row) {
        const QModelIndex index = result.titles->index(row, 0);
        QCOMPARE(result.table.value(index.data(PathRole).toString(), QStringLiteral("missing")),
                 index.data().toString());
    }
    // The two twins are two different files.
    const QStringList paths = column(result.titles.get(), PathRole);
    QCOMPARE(QSet<QString>(paths.begin(), paths.end()).size(), 4);
}

// Enough recipes that their title rows are made on two threads: the same
// rows, in order, each with its own recipe's path.
void TestScanner::manyTitlesInOrderEachWithItsPath()
{
    QTemporaryDir dir;
    fillWithRecipes(dir.path(), 5000, QStringLiteral("Rezept"));
    const ScanResult result = scan(dir.path());
    QCOMPARE(result.titles->rowCount(), 5000);
    const QStringList titles = column(result.titles.get(), Qt::DisplayRole);
    QStringList ordered = titles;
    std::sort(ordered.begin(), ordered.end());
    QCOMPARE(titles, ordered);
    const QStringList paths = column(result.titles.get(), PathRole);
    QCOMPARE(QSet<QString>(paths.begin(), paths.end()).size(), 5000);
    for (int row = 0; row < titles.size(); ++row) {
        // "Rezept 123" lives in ".../r123.recipe.md".
        const QString number = titles.at(row).section(QLatin1Char(' '), 1);
        QVERIFY2(paths.at(row).endsWith(QStringLiteral("/r%1.recipe.md").arg(number)),
                 qPrintable(paths.at(row)));
        QCOMPARE(result.table.value(paths.at(row)), titles.at(row));
    }
    QAbstractItemModelTester tester(result.titles.get());
}

void TestScanner::everyRecipeItemCarriesItsPathAndIsReadOnly()
{
    QTemporaryDir dir;
    const QString path =
        QFileInfo(dir.filePath(QStringLiteral("x/Soup.recipe.md"))).absoluteFilePath();
    writeFile(path, recipe(QStringLiteral("Soup"), QStringLiteral("warm"), {"1 l stock"}));
    const ScanResult result = scan(dir.path());

    QCOMPARE(PathRole, 257);
    QCOMPARE(result.titles->columnCount(), 1);
    const QHash<int, QByteArray> names = result.titles->roleNames();
    QCOMPARE(names.size(), 2);
    QCOMPARE(names.value(Qt::DisplayRole), QByteArray("display"));
    QCOMPARE(names.value(257), QByteArray("path"));
    QCOMPARE(result.tags->roleNames(), QStandardItemModel().roleNames());
    QCOMPARE(result.ingredients->roleNames(), QStandardItemModel().roleNames());

    const QModelIndex titleItem = result.titles->index(0, 0);
    QCOMPARE(titleItem.data(257).toString(), path);
    QCOMPARE(titleItem.data(Qt::DisplayRole).toString(), QStringLiteral("Soup"));
    QVERIFY(!result.titles->hasChildren(titleItem));
    QVERIFY(!(titleItem.flags() & Qt::ItemIsEditable));
    QVERIFY(titleItem.flags() & Qt::ItemIsSelectable);
    QVERIFY(titleItem.flags() & Qt::ItemIsEnabled);

    for (const auto& tree : {result.tags, result.ingredients}) {
        QCOMPARE(tree->rowCount(), 1);
        const QModelIndex key = tree->index(0, 0);
        QVERIFY(!key.data(257).isValid());
        QVERIFY(!(key.flags() & Qt::ItemIsEditable));
        const QModelIndex child = tree->index(0, 0, key);
        QCOMPARE(child.data(257).toString(), path);
        QCOMPARE(child.data().toString(), QStringLiteral("Soup"));
        QVERIFY(!(child.flags() & Qt::ItemIsEditable));
    }
    QCOMPARE(result.tags->index(0, 0).data().toString(), QStringLiteral("warm"));
    QCOMPARE(result.ingredients->index(0, 0).data().toString(), QStringLiteral("stock"));
}

void TestScanner::tagIndex()
{
    QTemporaryDir dir;
    writeFile(dir.filePath(QStringLiteral("1.recipe.md")),
              recipe(QStringLiteral("Broth"), QStringLiteral("soup, soup, Soup")));
    writeFile(dir.filePath(QStringLiteral("2.recipe.md")),
              recipe(QStringLiteral("Apple pie"), QStringLiteral("apple, Zucchini, soup")));
    writeFile(dir.filePath(QStringLiteral("3.recipe.md")),
              recipe(QStringLiteral("Odd"), QStringLiteral("x, ,y")));
    writeFile(dir.filePath(QStringLiteral("4.recipe.md")),
              recipe(QString(), QStringLiteral("soup")));

    const ScanResult result = scan(dir.path());
    QCOMPARE(describeTree(result.tags.get()),
             (QStringList{": Odd", "Soup: Broth", "Zucchini: Apple pie", "apple: Apple pie",
                          "soup: , Apple pie, Broth, Broth", "x: Odd", "y: Odd"}));
    // Children are sorted by title; the untitled recipe comes first.
    const QModelIndex soup = result.tags->index(4, 0);
    QCOMPARE(column(result.tags.get(), Qt::DisplayRole, soup),
             (QStringList{"", "Apple pie", "Broth", "Broth"}));
}

void TestScanner::ingredientIndexListsARecipeOncePerName()
{
    QTemporaryDir dir;
    writeFile(dir.filePath(QStringLiteral("1.recipe.md")),
              recipe(QStringLiteral("Brine"), QString(),
                     {"1 tsp salt", "2 tbsp salt, coarse", "1 l water", "1 tsp Salt", "pepper"}));
    writeFile(dir.filePath(QStringLiteral("2.recipe.md")),
              recipe(QStringLiteral("Bread"), QString(), {"1 kg flour", "1 tsp salt"}));

    const ScanResult result = scan(dir.path());
    QCOMPARE(describeTree(result.ingredients.get()),
             (QStringList{"Salt: Brine", "flour: Bread", "salt: Bread, Brine", "water: Brine"}));
}

void TestScanner::recipesWithoutTagsOrIngredientsAreOnlyTitled()
{
    QTemporaryDir dir;
    writeFile(dir.filePath(QStringLiteral("1.recipe.md")), recipe(QStringLiteral("Plain")));
    writeFile(dir.filePath(QStringLiteral("2.recipe.md")),
              recipe(QStringLiteral("Salted"), QString(), {"salt", "2 eggs"}));
    const ScanResult result = scan(dir.path());
    QCOMPARE(result.titles->rowCount(), 2);
    QCOMPARE(result.tags->rowCount(), 0);
    QCOMPARE(result.ingredients->rowCount(), 0);
}

void TestScanner::nonexistentRootPublishesEmptyModels()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("plain.recipe.md"));
    writeFile(file, recipe(QStringLiteral("Plain")));
    for (const QString& root : {dir.filePath(QStringLiteral("missing")), file}) {
        const ScanResult result = scan(root);
        QVERIFY2(result.titles && result.tags && result.ingredients, qPrintable(root));
        QCOMPARE(result.titles->rowCount(), 0);
        QCOMPARE(result.tags->rowCount(), 0);
        QCOMPARE(result.ingredients->rowCount(), 0);
        QVERIFY(result.table.isEmpty());
    }
}

void TestScanner::unreadableRecipeIsLeftOut()
{
    SALTROVE_RUN_UNPRIVILEGED();
    QTemporaryDir dir;
    const QString locked = dir.filePath(QStringLiteral("locked.recipe.md"));
    writeFile(locked, recipe(QStringLiteral("Locked"), QStringLiteral("t"), {"1 kg x"}));
    writeFile(dir.filePath(QStringLiteral("open.recipe.md")), recipe(QStringLiteral("Open")));
    QVERIFY(QFile::setPermissions(locked, QFileDevice::WriteOwner));
    const ScanResult result = scan(dir.path());
    QCOMPARE(column(result.titles.get(), Qt::DisplayRole), QStringList{"Open"});
    QCOMPARE(result.table.size(), 1);
    QCOMPARE(result.tags->rowCount(), 0);
}

void TestScanner::modelsPassTheModelTester()
{
    QTemporaryDir dir;
    writeFile(dir.filePath(QStringLiteral("1.recipe.md")),
              recipe(QStringLiteral("One"), QStringLiteral("a, b"), {"1 kg flour"}));
    writeFile(dir.filePath(QStringLiteral("2.recipe.md")),
              recipe(QStringLiteral("Two"), QStringLiteral("b"), {"1 kg flour", "1 l milk"}));
    const ScanResult result = scan(dir.path());
    for (const auto& model : {result.titles, result.tags, result.ingredients}) {
        QCOMPARE(model->thread(), QThread::currentThread());
        QVERIFY(!model->parent());
        QAbstractItemModelTester tester(model.get(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
    }
}

void TestScanner::settingTheSameFolderScansAgain()
{
    QTemporaryDir dir;
    writeFile(dir.filePath(QStringLiteral("1.recipe.md")), recipe(QStringLiteral("One")));
    Scanner scanner;
    QSignalSpy updated(&scanner, &Scanner::dataUpdated);
    scanner.setRootPath(dir.path());
    QVERIFY(updated.wait());
    const auto first = scanner.titleModel();

    writeFile(dir.filePath(QStringLiteral("2.recipe.md")), recipe(QStringLiteral("Two")));
    scanner.setRootPath(dir.path());
    QVERIFY(updated.wait());
    QCOMPARE(updated.count(), 2);
    QVERIFY(scanner.titleModel() != first);
    QCOMPARE(column(scanner.titleModel().get(), Qt::DisplayRole), (QStringList{"One", "Two"}));

    scanner.doUpdate(); // the reload operation
    QVERIFY(updated.wait());
    QCOMPARE(updated.count(), 3);
}

void TestScanner::doUpdateDuringAScanIsDropped()
{
    Scanner scanner;
    QSignalSpy updated(&scanner, &Scanner::dataUpdated);
    scanner.setRootPath(m_bulk.path());
    scanner.doUpdate();
    scanner.setRootPath(m_bulk.path()); // same folder: nothing to follow up
    QVERIFY(updated.wait(60000));
    QCOMPARE(updated.count(), 1);
    QCOMPARE(scanner.titleModel()->rowCount(), 1500);

    // Had a request been queued, its scan would be running now and this one
    // would be dropped; instead it is accepted and publishes the new file.
    QTemporaryDir small;
    writeFile(small.filePath(QStringLiteral("s.recipe.md")), recipe(QStringLiteral("Small")));
    scanner.setRootPath(small.path());
    QVERIFY(updated.wait(60000));
    QCOMPARE(updated.count(), 2);
    QCOMPARE(column(scanner.titleModel().get(), Qt::DisplayRole), QStringList{"Small"});
}

void TestScanner::folderChosenDuringAScanIsScannedNext()
{
    QTemporaryDir other;
    writeFile(other.filePath(QStringLiteral("o.recipe.md")), recipe(QStringLiteral("Other")));

    Scanner scanner;
    QSignalSpy updated(&scanner, &Scanner::dataUpdated);
    // What each dataUpdated() handed over, read in the handler as consumers do.
    QList<int> publishedRows;
    connect(&scanner, &Scanner::dataUpdated, this,
            [&] { publishedRows << scanner.titleModel()->rowCount(); });
    scanner.setRootPath(m_bulk.path());
    scanner.setRootPath(other.path());
    QCOMPARE(scanner.rootPath(), other.path());

    // The running scan publishes the folder it scanned, and the chosen folder
    // follows without any further request.
    QTRY_COMPARE_WITH_TIMEOUT(updated.count(), 2, 60000);
    QCOMPARE(publishedRows, (QList<int>{1500, 1}));
    QCOMPARE(scanner.rootPath(), other.path());
    QCOMPARE(column(scanner.titleModel().get(), Qt::DisplayRole), QStringList{"Other"});
    QCOMPARE(scanner.titlesByPath().size(), 1);

    // Back to idle: a reload is accepted.
    scanner.doUpdate();
    QVERIFY(updated.wait(60000));
    QCOMPARE(updated.count(), 3);
}

void TestScanner::folderClearedDuringAScanStartsNothing()
{
    Scanner scanner;
    QSignalSpy updated(&scanner, &Scanner::dataUpdated);
    QList<int> publishedRows;
    connect(&scanner, &Scanner::dataUpdated, this,
            [&] { publishedRows << scanner.titleModel()->rowCount(); });
    scanner.setRootPath(m_bulk.path());
    scanner.setRootPath(QString());
    QVERIFY(updated.wait(60000));
    QCOMPARE(publishedRows, QList<int>{1500});
    QVERIFY(scanner.rootPath().isEmpty());

    // Let the follow-up run: it finds no folder, scans nothing and leaves the
    // Scanner idle, so the next folder is accepted at once.
    QCoreApplication::processEvents();
    QTemporaryDir small;
    writeFile(small.filePath(QStringLiteral("s.recipe.md")), recipe(QStringLiteral("Small")));
    scanner.setRootPath(small.path());
    QVERIFY(updated.wait(60000));
    QCOMPARE(publishedRows, (QList<int>{1500, 1}));
    QCOMPARE(column(scanner.titleModel().get(), Qt::DisplayRole), QStringList{"Small"});
}

void TestScanner::replacedModelsDieOnTheirOwnThreadButNotTheGuiThread()
{
    QTemporaryDir dir;
    writeFile(dir.filePath(QStringLiteral("1.recipe.md")),
              recipe(QStringLiteral("One"), QStringLiteral("t"), {"1 kg flour"}));
    // Made before the Scanner, and so before the thread that records deaths.
    DeathRecorder deaths;
    auto scanner = std::make_unique<Scanner>();
    QSignalSpy updated(scanner.get(), &Scanner::dataUpdated);
    scanner->setRootPath(dir.path());
    QVERIFY(updated.wait());

    const auto watch = [&deaths](const std::shared_ptr<QStandardItemModel>& model) {
        // Connected by name, so that the connection is Qt's own data.
        QObject::connect(model.get(), SIGNAL(destroyed(QObject*)), &deaths, SLOT(record(QObject*)),
                         Qt::DirectConnection);
    };
    const auto count = [&deaths] { return deaths.recorded().size(); };
    for (const auto& model :
         {scanner->titleModel(), scanner->tagModel(), scanner->ingredientModel()})
        watch(model);
    QCOMPARE(count(), 0);
    // Only the Scanner holds them now; the next publication drops them.
    scanner->doUpdate();
    QVERIFY(updated.wait());
    QTRY_COMPARE(count(), 3);

    // Models a consumer still holds when the Scanner goes die with it all
    // the same: nothing is left over.
    std::shared_ptr<QStandardItemModel> held = scanner->titleModel();
    for (const auto& model : {scanner->tagModel(), scanner->ingredientModel()})
        watch(model);
    QCOMPARE(count(), 3);
    scanner.reset();
    QCOMPARE(count(), 5);
    watch(held);
    std::weak_ptr<QStandardItemModel> last = held;
    held.reset();
    QVERIFY(last.expired());
    QCOMPARE(count(), 6);

    const QList<DeathRecorder::Death> recorded = deaths.recorded();
    for (qsizetype i = 0; i < recorded.size(); ++i) {
        QVERIFY2(recorded[i].byItsOwnThread, qPrintable(QString::number(i)));
        // The ones the Scanner replaced died away from the GUI thread; the
        // last one, released by a consumer after the Scanner, dies right here.
        QCOMPARE(recorded[i].onThisThread, i == 5);
    }
}

void TestScanner::consumersKeepTheirModelsAcrossRescans()
{
    QTemporaryDir dir;
    writeFile(dir.filePath(QStringLiteral("1.recipe.md")), recipe(QStringLiteral("One")));
    Scanner scanner;
    QSignalSpy updated(&scanner, &Scanner::dataUpdated);
    scanner.setRootPath(dir.path());
    QVERIFY(updated.wait());
    const auto held = scanner.titleModel();

    writeFile(dir.filePath(QStringLiteral("2.recipe.md")), recipe(QStringLiteral("Two")));
    scanner.doUpdate();
    QVERIFY(updated.wait());
    // The Scanner hands its old reference back to this thread after publishing.
    QTRY_COMPARE(held.use_count(), 1);
    QCOMPARE(column(held.get(), Qt::DisplayRole), QStringList{"One"});
    QCOMPARE(scanner.titleModel()->rowCount(), 2);
}

void TestScanner::destructionDuringAScanWaitsAndDeliversNothing()
{
    int delivered = 0;
    {
        Scanner scanner;
        connect(&scanner, &Scanner::dataUpdated, this, [&] { ++delivered; });
        scanner.setRootPath(m_bulk.path());
    } // blocks until the scan has published, then releases everything
    QCoreApplication::processEvents();
    QCOMPARE(delivered, 0);

    // The same with a folder change pending: its follow-up never starts.
    QTemporaryDir other;
    {
        Scanner scanner;
        connect(&scanner, &Scanner::dataUpdated, this, [&] { ++delivered; });
        scanner.setRootPath(m_bulk.path());
        scanner.setRootPath(other.path());
    }
    QCoreApplication::processEvents();
    QCOMPARE(delivered, 0);
}

void TestScanner::blockedSignalsCannotKeepTheScannerBusy()
{
    QTemporaryDir other;
    writeFile(other.filePath(QStringLiteral("o.recipe.md")), recipe(QStringLiteral("Other")));
    Scanner scanner;
    scanner.setRootPath(m_bulk.path());
    scanner.setRootPath(other.path()); // scanned next, once the running scan publishes
    // A consumer that silences the Scanner meanwhile gets no signal, but the
    // Scanner still finishes its own work: the chosen folder is scanned ...
    scanner.blockSignals(true);
    QTRY_VERIFY_WITH_TIMEOUT(scanner.titleModel() && scanner.titleModel()->rowCount() == 1, 60000);
    QCOMPARE(scanner.titlesByPath().size(), 1);
    scanner.blockSignals(false);
    // ... and the Scanner is idle again, so a reload is accepted.
    QSignalSpy updated(&scanner, &Scanner::dataUpdated);
    QTRY_VERIFY_WITH_TIMEOUT(
        [&] {
            scanner.doUpdate();
            return updated.wait(1000);
        }(),
        60000);
}

// The files are read on several threads; what is built from them must be
// what reading them one after the other in the walk's order builds.
void TestScanner::sameIndexesAsReadingOneFileAfterAnother()
{
    QTemporaryDir dir;
    const QStringList tags = {"soup", "quick", "Soup", "oven", "vegan", "party"};
    const QStringList names = {"flour", "salt", "red onion", "Onion", "butter", "rice"};
    for (int i = 0; i < 700; ++i) {
        QStringList lines;
        for (int k = 0; k < 1 + i % 4; ++k)
            lines << QStringLiteral("%1 g %2").arg(k + 1).arg(
                names[(i * 7 + k * 3) % names.size()]);
        const QString tagLine = tags[i % tags.size()] + QStringLiteral(", ") + tags[(i / 3) % 6];
        writeFile(dir.filePath(QStringLiteral("f%1/r%2.recipe.md").arg(i % 13).arg(i)),
                  recipe(QStringLiteral("Dish %1").arg((i * 7919) % 1000, 3, 10, QLatin1Char('0')),
                         tagLine, lines));
    }
    // One file the reader must leave out.
    QVERIFY(QFile::link(QStringLiteral("/dev/zero"), dir.filePath(QStringLiteral("z.recipe.md"))));

    QStringList titles;
    QMap<QString, QStringList> byTag;
    QMap<QString, QStringList> byIngredient;
    QDirIterator files(dir.path(), {QStringLiteral("*.recipe.md")},
                       QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        QFile file(files.next());
        if (!files.fileInfo().isFile() || !file.open(QIODevice::ReadOnly))
            continue;
        const ParsedRecipe parsed = parseRecipe(&file);
        titles << parsed.title;
        for (const QString& tag : parsed.tags)
            byTag[tag] << parsed.title;
        for (const Ingredient& ingredient : parsed.ingredients)
            if (!byIngredient[ingredient.ingredient].contains(parsed.title))
                byIngredient[ingredient.ingredient] << parsed.title;
    }
    titles.sort();
    const auto describe = [](const QMap<QString, QStringList>& map) {
        QStringList out;
        for (auto it = map.cbegin(); it != map.cend(); ++it) {
            QStringList sorted = it.value();
            sorted.sort();
            out << it.key() + QStringLiteral(": ") + sorted.join(QStringLiteral(", "));
        }
        return out;
    };

    const ScanResult result = scan(dir.path());
    QVERIFY(result.titles);
    QCOMPARE(titles.size(), 700);
    QCOMPARE(column(result.titles.get(), Qt::DisplayRole), titles);
    QCOMPARE(describeTree(result.tags.get()), describe(byTag));
    QCOMPARE(describeTree(result.ingredients.get()), describe(byIngredient));
    QCOMPARE(result.table.size(), 700);
}

void TestScanner::neverReadsAFifo_data()
{
    QTest::addColumn<bool>("linked");
    QTest::newRow("FIFO named like a recipe") << false;
    QTest::newRow("link named like a recipe to a FIFO") << true;
}

void TestScanner::neverReadsAFifo()
{
    QFETCH(bool, linked);
    QTemporaryDir dir;
    writeFile(dir.filePath(QStringLiteral("ok.recipe.md")), recipe(QStringLiteral("Fine")));
    const QString fifo =
        dir.filePath(linked ? QStringLiteral("pipe") : QStringLiteral("p.recipe.md"));
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    if (linked)
        QVERIFY(QFile::link(fifo, dir.filePath(QStringLiteral("piped.recipe.md"))));
    // Held open at both ends, so that a reader would neither block nor see its
    // end: whatever the scan reads is gone from the pipe.
    const int fd = ::open(QFile::encodeName(fifo).constData(), O_RDWR | O_NONBLOCK);
    QVERIFY(fd >= 0);
    const QByteArray bait = "# Bait\n";
    QCOMPARE(::write(fd, bait.constData(), size_t(bait.size())), ssize_t(bait.size()));

    const ScanResult result = scan(dir.path());
    QVERIFY(result.titles);
    QCOMPARE(column(result.titles.get(), Qt::DisplayRole), QStringList{"Fine"});
    char back[64] = {};
    const ssize_t left = ::read(fd, back, sizeof back);
    ::close(fd);
    QCOMPARE(QByteArray(back, int(qMax<ssize_t>(left, 0))), bait);
}

QTEST_GUILESS_MAIN(TestScanner)
#include "tst_scanner.moc"
