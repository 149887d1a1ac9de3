#include "browse/dirmodel.h"
#include "browse/documentloader.h"
#include "browse/scanneradapter.h"
#include "support/hostilecookbooks.h"

#include <QAbstractItemModelTester>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QSignalSpy>
#include <QSortFilterProxyModel>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

bool writeRecipe(const QString& path, const QString& title)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    const QByteArray bytes = "# " + title.toUtf8() + "\n\nSome text.\n";
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QStringList titles(const QAbstractItemModel* model)
{
    QStringList out;
    for (int row = 0; row < model->rowCount(); ++row)
        out << model->index(row, 0).data().toString();
    return out;
}

QVariant storedLocation()
{
    QSettings settings;
    settings.beginGroup(QStringLiteral("General"));
    return settings.value(QStringLiteral("location"));
}

void storeLocation(const QVariant& location)
{
    QSettings settings;
    settings.beginGroup(QStringLiteral("General"));
    if (location.isNull())
        settings.remove(QStringLiteral("location"));
    else
        settings.setValue(QStringLiteral("location"), location);
}

} // namespace

class TestScannerAdapter : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_home;
    QString m_cookbook; // Tomato Soup, Pancakes, green soup with peas, Bread

    // A new adapter (with its model tester) that has published its first scan.
    std::unique_ptr<ScannerAdapter> scannedAdapter(const QString& location)
    {
        storeLocation(location);
        auto adapter = std::make_unique<ScannerAdapter>();
        QSignalSpy reset(adapter->titleList(), SIGNAL(modelReset()));
        if (!reset.wait(10000))
            return nullptr;
        return adapter;
    }

    QAbstractItemModel* list(const ScannerAdapter& adapter)
    {
        return qobject_cast<QAbstractItemModel*>(adapter.titleList());
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_home.isValid());
        // Everything the adapter reads or writes stays inside the test's own
        // home: settings, documents folder and collections.
        qputenv("HOME", QFile::encodeName(m_home.path()));
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setOrganizationName(QStringLiteral("vantrel.org"));
        QCoreApplication::setApplicationName(QStringLiteral("SaltroveTouch"));

        m_cookbook = m_home.filePath(QStringLiteral("cookbook"));
        QVERIFY(writeRecipe(m_cookbook + "/soups/tomato.recipe.md", "Tomato Soup"));
        QVERIFY(writeRecipe(m_cookbook + "/pancakes.recipe.md", "Pancakes"));
        QVERIFY(writeRecipe(m_cookbook + "/soups/green.recipe.md", "green soup with peas"));
        QVERIFY(writeRecipe(m_cookbook + "/bread.recipe.md", "Bread"));
    }

    // Every test starts with nothing kept from an earlier one: what the scan
    // keeps between runs has tests of its own.
    void init()
    {
        storeLocation(QVariant());
        QVERIFY(QDir(QStandardPaths::writableLocation(QStandardPaths::CacheLocation))
                    .removeRecursively());
    }

    void firstRunScansDocumentsRecipes()
    {
        const QString documents =
            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        QVERIFY2(documents.startsWith(m_home.path()), qPrintable(documents));
        QVERIFY(writeRecipe(documents + "/recipes/first.recipe.md", "First recipe"));

        ScannerAdapter adapter;
        QCOMPARE(adapter.rootPath(), documents + "/recipes/");
        QCOMPARE(list(adapter)->rowCount(), 0); // nothing before the first publication
        QSignalSpy reset(adapter.titleList(), SIGNAL(modelReset()));
        QVERIFY(reset.wait(10000));
        QCOMPARE(titles(list(adapter)), QStringList{"First recipe"});
        // Reading the default is no reason to remember it.
        QVERIFY(storedLocation().isNull());
    }

    void storedLocationIsScanned()
    {
        auto adapter = scannedAdapter(m_cookbook);
        QVERIFY(adapter);
        QCOMPARE(adapter->rootPath(), m_cookbook);
        QAbstractItemModelTester tester(list(*adapter),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(titles(list(*adapter)),
                 (QStringList{"Bread", "Pancakes", "Tomato Soup", "green soup with peas"}));
        // The rows carry the roles the pages read by name.
        const QHash<int, QByteArray> roles = list(*adapter)->roleNames();
        QCOMPARE(roles.value(Qt::DisplayRole), QByteArray("display"));
        QCOMPARE(roles.value(Qt::UserRole + 1), QByteArray("path"));
        const int pancakes = titles(list(*adapter)).indexOf("Pancakes");
        QCOMPARE(list(*adapter)->index(pancakes, 0).data(Qt::UserRole + 1).toString(),
                 QFileInfo(m_cookbook + "/pancakes.recipe.md").absoluteFilePath());
    }

    void filterNarrowsWithoutRegardToCase_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("capitals find small letters")
            << "SOUP" << QStringList{"Tomato Soup", "green soup with peas"};
        QTest::newRow("anywhere in the title")
            << "ea" << QStringList{"Bread", "green soup with peas"};
        QTest::newRow("mixed case") << "pAnCaKe" << QStringList{"Pancakes"};
        QTest::newRow("nothing matches") << "curry" << QStringList{};
        QTest::newRow("empty shows all")
            << "" << QStringList{"Bread", "Pancakes", "Tomato Soup", "green soup with peas"};
    }

    void filterNarrowsWithoutRegardToCase()
    {
        QFETCH(QString, filter);
        QFETCH(QStringList, expected);
        auto adapter = scannedAdapter(m_cookbook);
        QVERIFY(adapter);
        QAbstractItemModelTester tester(list(*adapter),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        adapter->setFilter(QStringLiteral("something else first"));
        adapter->setFilter(filter);
        QCOMPARE(adapter->filter(), filter);
        QCOMPARE(titles(list(*adapter)), expected);
    }

    void filterSignalsOnlyOnChange()
    {
        ScannerAdapter adapter;
        QSignalSpy changed(&adapter, &ScannerAdapter::filterChanged);
        adapter.setFilter(QStringLiteral("soup"));
        adapter.setFilter(QStringLiteral("soup"));
        QCOMPARE(changed.count(), 1);
        // The comparison is exact: another case is another text.
        adapter.setFilter(QStringLiteral("Soup"));
        QCOMPARE(changed.count(), 2);
        adapter.setFilter(QString());
        QCOMPARE(changed.count(), 3);
    }

    void filterSetBeforeFirstScanApplies()
    {
        storeLocation(m_cookbook);
        ScannerAdapter adapter;
        adapter.setFilter(QStringLiteral("SOUP"));
        QSignalSpy reset(adapter.titleList(), SIGNAL(modelReset()));
        QVERIFY(reset.wait(10000));
        QCOMPARE(titles(list(adapter)), (QStringList{"Tomato Soup", "green soup with peas"}));
    }

    void titleListIsOneObjectAcrossRescans()
    {
        auto adapter = scannedAdapter(m_cookbook);
        QVERIFY(adapter);
        adapter->setFilter(QStringLiteral("soup"));
        QObject* const before = adapter->titleList();
        QSignalSpy titleListChanged(adapter.get(), &ScannerAdapter::titleListChanged);
        QSignalSpy reset(before, SIGNAL(modelReset()));

        const QString added = m_cookbook + "/soups/onion.recipe.md";
        QVERIFY(writeRecipe(added, "Onion soup"));
        adapter->refresh();
        QVERIFY(reset.wait(10000));
        QFile::remove(added);

        QCOMPARE(adapter->titleList(), before);
        QCOMPARE(titleListChanged.count(), 0);
        // The search stays applied to the new titles.
        QCOMPARE(titles(list(*adapter)),
                 (QStringList{"Onion soup", "Tomato Soup", "green soup with peas"}));
    }

    void sameRootPathDoesNothing()
    {
        auto adapter = scannedAdapter(m_cookbook);
        QVERIFY(adapter);
        // Changed behind the adapter's back: a write would put the folder back.
        storeLocation(QStringLiteral("/sentinel"));
        QSignalSpy rootPathChanged(adapter.get(), &ScannerAdapter::rootPathChanged);
        adapter->setRootPath(m_cookbook);
        QCOMPARE(rootPathChanged.count(), 0);
        QCOMPARE(storedLocation().toString(), QStringLiteral("/sentinel"));
    }

    void existingFolderIsScannedAndRemembered()
    {
        const QString other = m_home.filePath(QStringLiteral("other"));
        QVERIFY(writeRecipe(other + "/cake.recipe.md", "Cake"));
        auto adapter = scannedAdapter(m_cookbook);
        QVERIFY(adapter);
        QSignalSpy rootPathChanged(adapter.get(), &ScannerAdapter::rootPathChanged);
        QSignalSpy reset(adapter->titleList(), SIGNAL(modelReset()));
        adapter->setRootPath(other);
        QCOMPARE(rootPathChanged.count(), 1);
        QCOMPARE(adapter->rootPath(), other);
        QCOMPARE(storedLocation().toString(), other);
        QVERIFY(reset.wait(10000));
        QCOMPARE(titles(list(*adapter)), QStringList{"Cake"});
    }

    void missingFolderIsScannedButNotRemembered()
    {
        auto adapter = scannedAdapter(m_cookbook);
        QVERIFY(adapter);
        const QString missing = m_home.filePath(QStringLiteral("no such folder"));
        QSignalSpy rootPathChanged(adapter.get(), &ScannerAdapter::rootPathChanged);
        QSignalSpy reset(adapter->titleList(), SIGNAL(modelReset()));
        adapter->setRootPath(missing);
        QCOMPARE(rootPathChanged.count(), 1);
        QCOMPARE(adapter->rootPath(), missing);
        QCOMPARE(storedLocation().toString(), m_cookbook);
        QVERIFY(reset.wait(10000));
        QCOMPARE(list(*adapter)->rowCount(), 0);
    }

    void emptyRootPathScansNothing()
    {
        auto adapter = scannedAdapter(m_cookbook);
        QVERIFY(adapter);
        QSignalSpy rootPathChanged(adapter.get(), &ScannerAdapter::rootPathChanged);
        adapter->setRootPath(QString());
        QCOMPARE(rootPathChanged.count(), 1);
        QCOMPARE(storedLocation().toString(), m_cookbook);
        // No scan starts, and refresh() has nothing to scan: the titles shown
        // before stay.
        adapter->refresh();
        QCOMPARE(titles(list(*adapter)).size(), 4);
    }

    void folderChosenDuringScanFollows()
    {
        // Large enough that its scan is still running a few statements later;
        // should it finish first, the outcome checked here is the same.
        const QString big = m_home.filePath(QStringLiteral("big"));
        for (int i = 0; i < 1500; ++i)
            QVERIFY(writeRecipe(QStringLiteral("%1/%2/r%3.recipe.md").arg(big).arg(i % 10).arg(i),
                                QStringLiteral("Big %1").arg(i)));
        storeLocation(big);
        ScannerAdapter adapter;
        QAbstractItemModelTester tester(list(adapter),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy rootPathChanged(&adapter, &ScannerAdapter::rootPathChanged);
        adapter.setRootPath(m_cookbook);
        QCOMPARE(adapter.rootPath(), m_cookbook);
        QCOMPARE(rootPathChanged.count(), 1);
        // The new folder's titles arrive without a refresh().
        QTRY_COMPARE_WITH_TIMEOUT(
            titles(list(adapter)),
            (QStringList{"Bread", "Pancakes", "Tomato Soup", "green soup with peas"}), 20000);
        QDir(big).removeRecursively();
    }

    // Cookbooks as sync tools and careless users leave them, through the
    // adapter, the document loader and the folder browser: the titles are
    // published, every listed recipe can be shown, and nothing is written.
    void hostileCookbooks_data() { hostile::addCookbookRows("expected", hostile::Heavy::Left); }

    void hostileCookbooks()
    {
        using Build = std::function<QString(const QString&)>;
        QFETCH(Build, build);
        QFETCH(QStringList, expected);
        QTemporaryDir parent;
        QVERIFY(parent.isValid());
        const QString root = build(parent.path());
        QVERIFY(!root.isEmpty());
        const QByteArray before = hostile::treeDigest(parent.path());
        {
            auto adapter = scannedAdapter(root);
            QVERIFY(adapter);
            QCOMPARE(titles(list(*adapter)), expected);

            const QString intro = DocumentLoader().text();
            for (int row = 0; row < std::min(3, list(*adapter)->rowCount()); ++row) {
                DocumentLoader loader;
                loader.setPath(list(*adapter)->index(row, 0).data(Qt::UserRole + 1).toString());
                QVERIFY2(loader.text() != intro, qPrintable(loader.path()));
            }

            // The folder chooser offers folders only, never a FIFO or a link
            // that leads nowhere.
            DirModel folders;
            folders.setMode(DirModel::Folders);
            folders.setPath(root);
            const auto* model = qobject_cast<QAbstractItemModel*>(folders.filteredModel());
            const int typeRole = model->roleNames().key("type");
            for (int row = 0; row < model->rowCount(); ++row)
                QCOMPARE(model->index(row, 0).data(typeRole).toString(), QStringLiteral("folder"));
        }
        QCOMPARE(hostile::treeDigest(parent.path()), before);
    }

    // Whatever the settings hold, the adapter starts; where no folder name
    // can be read it behaves as on a first run.
    void hostileSettings_data()
    {
        QTest::addColumn<QVariant>("location");
        QTest::addColumn<QString>("rootPath");
        QTest::addColumn<int>("published"); // -1: nothing is scanned

        const QString file = m_cookbook + QStringLiteral("/bread.recipe.md");
        QTest::newRow("location is a recipe file") << QVariant(file) << file << 0;
        QTest::newRow("location is a number") << QVariant(4711) << QStringLiteral("4711") << 0;
        const QString longPath = QStringLiteral("/nonexistent/") + QString(10000, QLatin1Char('x'));
        QTest::newRow("location of 10,000 characters") << QVariant(longPath) << longPath << 0;
        QTest::newRow("location is a list")
            << QVariant(QStringList{m_cookbook, m_cookbook}) << QString() << -1;
        static const char bytes[] = "\xff\xfe\x00\x01/not utf-8";
        const QByteArray garbage(bytes, sizeof bytes - 1);
        QTest::newRow("location is garbage bytes")
            << QVariant(garbage) << QString::fromUtf8(garbage) << 0;
    }

    void hostileSettings()
    {
        QFETCH(QVariant, location);
        QFETCH(QString, rootPath);
        QFETCH(int, published);
        storeLocation(location);
        ScannerAdapter adapter;
        QCOMPARE(adapter.rootPath(), rootPath);
        QSignalSpy reset(adapter.titleList(), SIGNAL(modelReset()));
        if (published >= 0) {
            QVERIFY(reset.wait(10000));
            QCOMPARE(list(adapter)->rowCount(), published);
        } else {
            adapter.refresh();
            QVERIFY(!reset.wait(200));
        }
        // It goes on working, and remembers a real folder again.
        adapter.setRootPath(m_cookbook);
        QTRY_COMPARE(list(adapter)->rowCount(), 4);
        QCOMPARE(storedLocation().toString(), m_cookbook);
    }

    void unreadableSettingsGiveTheDefaults()
    {
        const QString documents =
            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        QVERIFY(writeRecipe(documents + "/recipes/first.recipe.md", "First recipe"));
        // A folder where the settings file should be cannot be read by
        // anyone, root included, nor replaced by a file.
        const QString settingsFile = QSettings().fileName();
        QFile::remove(settingsFile);
        QVERIFY(QDir().mkpath(settingsFile));
        {
            ScannerAdapter adapter;
            QCOMPARE(adapter.rootPath(), documents + "/recipes/");
            QSignalSpy reset(adapter.titleList(), SIGNAL(modelReset()));
            QVERIFY(reset.wait(10000));
            QCOMPARE(titles(list(adapter)), QStringList{"First recipe"});
            adapter.setRootPath(m_cookbook);
            QTRY_COMPARE(list(adapter)->rowCount(), 4);
        }
        QVERIFY(QFileInfo(settingsFile).isDir());
        QVERIFY(QDir(settingsFile).removeRecursively());
    }

    // Destroying the adapter (as the engine does with its page) while a large
    // scan runs waits for that scan, frees it (LeakSanitizer) and delivers
    // nothing to the adapter or its list that are gone (AddressSanitizer).
    void destroyedDuringALargeScan()
    {
        QTemporaryDir root;
        QVERIFY(root.isValid());
        constexpr int count = 100000;
        for (int i = 0; i < count; ++i) {
            QFile file(root.filePath(QStringLiteral("%1/%2.recipe.md").arg(i % 100).arg(i)));
            if (i < 100)
                QVERIFY(QDir().mkpath(QFileInfo(file).absolutePath()));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        storeLocation(root.path());
        {
            ScannerAdapter adapter;
            QCOMPARE(list(adapter)->rowCount(), 0); // still scanning
        }
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        // The next program start finds the whole collection.
        ScannerAdapter next;
        QSignalSpy reset(next.titleList(), SIGNAL(modelReset()));
        QVERIFY(reset.wait(120000));
        QCOMPARE(list(next)->rowCount(), count);
    }
};

QTEST_GUILESS_MAIN(TestScannerAdapter)
#include "tst_scanneradapter.moc"
