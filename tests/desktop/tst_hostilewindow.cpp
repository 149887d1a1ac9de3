// The desktop window over cookbooks as sync tools and careless users leave
// them: the scan completes and is shown, the panes stay usable, and nothing in
// or around the cookbook is written.
#include "browse/listpane.h"
#include "mainwindow.h"
#include "support/desktoptesthelpers.h"
#include "support/hostilecookbooks.h"

#include <QAbstractItemView>
#include <QDockWidget>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>
#include <QtTest>

#include <functional>

#include <sys/stat.h>

using namespace testing;

namespace {

constexpr int scanTimeout = 120000;

void storeLocation(const QString& location)
{
    QSettings settings;
    settings.beginGroup(QStringLiteral("General"));
    settings.setValue(QStringLiteral("location"), location);
    settings.sync();
}

QAbstractItemView* viewIn(const MainWindow& window, const QString& dock)
{
    return window.findChild<QDockWidget*>(dock)->widget()->findChild<QAbstractItemView*>();
}

QStringList column(const QAbstractItemModel* model, int role,
                   const QModelIndex& parent = QModelIndex())
{
    QStringList values;
    if (!model)
        return values;
    for (int row = 0; row < model->rowCount(parent); ++row)
        values << model->index(row, 0, parent).data(role).toString();
    return values;
}

// Opens a listed recipe the way a click in the title list does.
void chooseInTitleList(const MainWindow& window, const QString& path)
{
    emit dockPane<ListPane>(window, QStringLiteral("Title"))->fileSelected(path);
}

QString foundText(int count)
{
    return count == 1 ? QStringLiteral("Found 1 recipe")
                      : QStringLiteral("Found %1 recipes").arg(count);
}

// Set in the child process that runs a test that might hang the GUI thread.
const char* const childVariable = "SALTROVE_HANG_GUARDED_CHILD";

} // namespace

class TestHostileWindow : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { useTestIdentity(); }

    void scanIsShownAndNothingIsWritten_data()
    {
        hostile::addCookbookRows("titles", hostile::Heavy::Left);
    }

    void scanIsShownAndNothingIsWritten()
    {
        using Build = std::function<QString(const QString&)>;
        QFETCH(Build, build);
        QFETCH(QStringList, titles);
        QTemporaryDir parent;
        QVERIFY(parent.isValid());
        const QString root = build(parent.path());
        QVERIFY(!root.isEmpty());
        const QByteArray before = hostile::treeDigest(parent.path());
        storeLocation(root);
        {
            MainWindow window;
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            QTRY_COMPARE_WITH_TIMEOUT(statusText(window), foundText(titles.size()), scanTimeout);
            const QAbstractItemModel* listed = viewIn(window, QStringLiteral("Title"))->model();
            QCOMPARE(column(listed, Qt::DisplayRole), titles);

            // The folder pane shows the tree under a folder; under anything
            // else it shows nothing, least of all the whole disk.
            const QAbstractItemView* tree = viewIn(window, QStringLiteral("Recipes"));
            if (QFileInfo(root).isDir()) {
                QVERIFY(tree->model());
                QVERIFY(tree->rootIndex().isValid());
            } else if (tree->model()) {
                QCOMPARE(tree->model()->rowCount(tree->rootIndex()), 0);
            }

            // The content panes read the first few recipes themselves.
            const QStringList paths = column(listed, Qt::UserRole + 1).mid(0, 3);
            for (const QString& path : paths) {
                chooseInTitleList(window, path);
                QVERIFY2(!shownText(window).startsWith(QStringLiteral("Saltrove")),
                         qPrintable(path)); // the recipe, not the introduction
            }
        }
        QCOMPARE(hostile::treeDigest(parent.path()), before);
    }

    // A sync tool may put a folder where the shown recipe was.
    void activeRecipeReplacedByAFolder()
    {
        QTemporaryDir parent;
        QVERIFY(parent.isValid());
        const QString root = parent.filePath(QStringLiteral("cookbook"));
        const QString soup =
            writeRecipe(root, QStringLiteral("soup.recipe.md"), QStringLiteral("Soup"));
        const QString bread =
            writeRecipe(root, QStringLiteral("bread.recipe.md"), QStringLiteral("Bread"));
        QVERIFY(!soup.isEmpty() && !bread.isEmpty());
        storeLocation(root);
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_COMPARE_WITH_TIMEOUT(statusText(window), foundText(2), scanTimeout);
        chooseInTitleList(window, soup);
        QVERIFY(shownText(window).startsWith(QStringLiteral("Soup")));

        QVERIFY(QFile::remove(soup));
        QVERIFY(QDir().mkdir(soup));
        QVERIFY(writeFile(soup + QStringLiteral("/inner.recipe.md"), "# Inner\n"));

        // The watcher reports the removal; a folder has no text to show.
        QTRY_COMPARE_WITH_TIMEOUT(shownText(window), QString(), 10000);
        // Changes inside the folder are no change of the recipe.
        QVERIFY(writeFile(soup + QStringLiteral("/inner.recipe.md"), "# Changed\n"));
        QTest::qWait(200);
        QCOMPARE(shownText(window), QString());
        const QByteArray after = hostile::treeDigest(parent.path());

        // The window goes on working: a rescan enters the folder named like a
        // recipe, and another recipe can be shown.
        windowAction(window, QStringLiteral("reloadCollectionAction"))->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(
            column(viewIn(window, QStringLiteral("Title"))->model(), Qt::DisplayRole),
            (QStringList{"Bread", "Changed"}), scanTimeout);
        chooseInTitleList(window, bread);
        QVERIFY(shownText(window).startsWith(QStringLiteral("Bread")));
        QCOMPARE(hostile::treeDigest(parent.path()), after);
    }

    // The folder pane asks for icons and file types on the GUI thread; a FIFO
    // named like a recipe must not block it. The risky part runs in a child
    // process, so that a hang fails the test instead of stopping the suite.
    void aFifoDoesNotBlockTheFolderPane()
    {
        if (qEnvironmentVariableIsSet(childVariable)) {
            folderPaneOverAFifo();
            return;
        }
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QString::fromLatin1(childVariable), QStringLiteral("1"));
        child.setProcessEnvironment(env);
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(QCoreApplication::applicationFilePath(),
                    {QString::fromLatin1(QTest::currentTestFunction())});
        QVERIFY(child.waitForStarted());
        const bool finished = child.waitForFinished(60000);
        if (!finished) {
            child.kill();
            child.waitForFinished();
        }
        const QByteArray output = child.readAll();
        QVERIFY2(finished, "the folder pane blocked on a FIFO");
        QVERIFY2(
            child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0 &&
                output.contains("PASS   : TestHostileWindow::aFifoDoesNotBlockTheFolderPane()"),
            output.constData());
    }

    // Closing the window while a large scan runs waits for that scan, frees
    // it (LeakSanitizer) and delivers nothing to the window that is gone
    // (AddressSanitizer).
    void closingDuringALargeScan()
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
            MainWindow window;
            window.show();
            // Still parsing: the scan's result cannot have been delivered yet.
            QVERIFY(statusText(window).startsWith(QStringLiteral("Parsing ")));
        }
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        QSettings settings;
        QCOMPARE(settings.value(QStringLiteral("General/location")).toString(), root.path());
    }

private:
    void folderPaneOverAFifo()
    {
        QTemporaryDir parent;
        QVERIFY(parent.isValid());
        const QString root = parent.filePath(QStringLiteral("cookbook"));
        QVERIFY(writeRecipe(root, QStringLiteral("ok.recipe.md"), QStringLiteral("Fine")) !=
                QString());
        QVERIFY(QDir(root).mkdir(QStringLiteral("sub")));
        for (const QString& fifo : {root + "/pipe.recipe.md", root + "/sub/pipe.recipe.md"})
            QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        const QByteArray before = hostile::treeDigest(parent.path());
        storeLocation(root);
        {
            MainWindow window;
            window.findChild<QDockWidget*>(QStringLiteral("Recipes"))->raise();
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            QTRY_COMPARE_WITH_TIMEOUT(statusText(window), foundText(1), scanTimeout);
            auto* tree = qobject_cast<QTreeView*>(viewIn(window, QStringLiteral("Recipes")));
            QVERIFY(tree && tree->model());
            // Once the folder has been read: the folder and the one recipe,
            // by title; a FIFO is no recipe file.
            const auto shown = [&] {
                QStringList names = column(tree->model(), Qt::DisplayRole, tree->rootIndex());
                names.sort();
                return names;
            };
            QTRY_COMPARE_WITH_TIMEOUT(shown(), (QStringList{"Fine", "sub"}), scanTimeout);
            tree->expandAll();
            const int fineRow =
                column(tree->model(), Qt::DisplayRole, tree->rootIndex()).indexOf("Fine");
            const QModelIndex fine = tree->model()->index(fineRow, 0, tree->rootIndex());
            const QModelIndex sub =
                tree->model()->index(fine.row() == 0 ? 1 : 0, 0, tree->rootIndex());
            QTRY_VERIFY(!tree->model()->canFetchMore(sub));
            QCOMPARE(tree->model()->rowCount(sub), 0);
            // Every row's icon and a full paint, as the user would see it.
            for (const QModelIndex& index : {fine, sub})
                QVERIFY(!tree->model()->data(index, Qt::DecorationRole).isNull());
            QVERIFY(!window.grab().isNull());
        }
        QCOMPARE(hostile::treeDigest(parent.path()), before);
    }
};

QTEST_MAIN(TestHostileWindow)
#include "tst_hostilewindow.moc"
