#include "browse/filenametitlemapper.h"
#include "browse/fspane.h"
#include "browse/onecolumnproxy.h"
#include "collection/scanner.h"
#include "support/desktoptesthelpers.h"

#include <QAbstractItemModelTester>
#include <QAbstractProxyModel>
#include <QFileSystemModel>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTreeView>
#include <QtTest>

#include <memory>

using namespace testing;

namespace {

constexpr int scanTimeout = 60000;

QTreeView* treeOf(const FsPane& pane)
{
    return pane.findChild<QTreeView*>();
}

QModelIndex rowFor(const QTreeView* view, const QString& path)
{
    const QAbstractItemModel* model = view->model();
    const QString root = view->rootIndex().data(QFileSystemModel::FilePathRole).toString();
    if (!model || root.isEmpty() || !path.startsWith(root + QLatin1Char('/')))
        return {};
    const QString folder = QFileInfo(path).absolutePath();
    const QModelIndex parent = folder == root ? view->rootIndex() : rowFor(view, folder);
    for (int row = 0; row < model->rowCount(parent); ++row) {
        const QModelIndex index = model->index(row, 0, parent);
        if (index.data(QFileSystemModel::FilePathRole).toString() == path)
            return index;
    }
    return {};
}

// The texts of the tree's top level, sorted, as the user reads them.
QStringList topLevelTexts(const QTreeView* view)
{
    QStringList texts;
    const QAbstractItemModel* model = view->model();
    if (!model)
        return texts;
    for (int row = 0; row < model->rowCount(view->rootIndex()); ++row)
        texts.append(model->index(row, 0, view->rootIndex()).data().toString());
    texts.sort();
    return texts;
}

// Expands a folder row; a view that is not on screen does not ask for the
// folder's entries itself.
void expandFolder(QTreeView* view, const QModelIndex& folder)
{
    view->expand(folder);
    if (view->model()->canFetchMore(folder))
        view->model()->fetchMore(folder);
}

QHash<QString, QString> scannedTitles(const QString& folder)
{
    Scanner scanner;
    QSignalSpy updated(&scanner, &Scanner::dataUpdated);
    scanner.setRootPath(folder);
    if (!updated.wait(scanTimeout))
        return {};
    return scanner.titlesByPath();
}

} // namespace

class FsPaneTest : public QObject
{
    Q_OBJECT

private slots:
    // The file system model always reaches down from the file system's root,
    // far too much for the model tester to walk; the two proxies are checked
    // on a small model of the same shape: four columns, paths in the file
    // system model's path role.
    void theProxiesAreSoundModels()
    {
        QStandardItemModel files(0, 4);
        auto addRow = [](QStandardItem* parent, const QString& path) {
            QList<QStandardItem*> row;
            for (const QString& text : {QFileInfo(path).fileName(), QStringLiteral("1 KiB"),
                                        QStringLiteral("md File"), QStringLiteral("today")}) {
                row.append(std::make_unique<QStandardItem>(text).release());
                row.last()->setData(path, QFileSystemModel::FilePathRole);
            }
            parent->appendRow(row);
            return row.first();
        };
        QStandardItem* soups = addRow(files.invisibleRootItem(), QStringLiteral("/c/Soups"));
        addRow(soups, QStringLiteral("/c/Soups/bean.recipe.md"));
        addRow(files.invisibleRootItem(), QStringLiteral("/c/apple.recipe.md"));

        FileNameTitleMapper mapper;
        OneColumnProxy columns;
        const auto mode = QAbstractItemModelTester::FailureReportingMode::QtTest;
        QAbstractItemModelTester mapperTester(&mapper, mode);
        QAbstractItemModelTester columnsTester(&columns, mode);
        mapper.setSourceModel(&files);
        columns.setSourceModel(&mapper);
        QCOMPARE(columns.columnCount(QModelIndex()), 1);
        QCOMPARE(columns.columnCount(columns.index(0, 0)), 1);

        mapper.setTitlesByPath(
            {{QStringLiteral("/c/Soups/bean.recipe.md"), QStringLiteral("Bean Soup")},
             {QStringLiteral("/c/apple.recipe.md"), QString()}});
        QCOMPARE(columns.index(0, 0, columns.index(0, 0)).data().toString(),
                 QStringLiteral("Bean Soup"));
        QCOMPARE(columns.index(1, 0).data().toString(), QString());
        QCOMPARE(columns.index(1, 0).data(QFileSystemModel::FilePathRole).toString(),
                 QStringLiteral("/c/apple.recipe.md"));
        QCOMPARE(columns.index(0, 0).data().toString(), QStringLiteral("Soups"));

        // Changes to the columns that are cut off reach no view of the proxy;
        // a change that includes the name column reaches it as one column.
        QSignalSpy changed(&columns, &QAbstractItemModel::dataChanged);
        QSignalSpy headers(&columns, &QAbstractItemModel::headerDataChanged);
        files.item(1, 2)->setText(QStringLiteral("Markdown File"));
        files.setHeaderData(3, Qt::Horizontal, QStringLiteral("Date Modified"));
        QCOMPARE(changed.size(), 0);
        QCOMPARE(headers.size(), 0);
        files.setHeaderData(0, Qt::Horizontal, QStringLiteral("Name"));
        QCOMPARE(headers.size(), 1);
        emit files.dataChanged(files.index(0, 0), files.index(1, 3));
        QCOMPARE(changed.size(), 1);
        QCOMPARE(changed.at(0).at(1).value<QModelIndex>(), columns.index(1, 0));
    }

    void listsFoldersAndRecipeFilesOnly()
    {
        QTemporaryDir collection;
        writeRecipe(collection.path(), QStringLiteral("a.recipe.md"), QStringLiteral("Apple Pie"));
        QVERIFY(writeFile(collection.filePath(QStringLiteral("b.md")), "# Notes\n"));
        QVERIFY(writeFile(collection.filePath(QStringLiteral("c.recipe.md.bak")), "# Old\n"));
        QVERIFY(QDir(collection.path()).mkpath(QStringLiteral("empty")));
        writeRecipe(collection.path(), QStringLiteral("sub/d.recipe.md"), QStringLiteral("Dal"));

        FsPane pane;
        QTreeView* view = treeOf(pane);
        QVERIFY(view->isHeaderHidden());
        pane.setRootPath(collection.path());

        const QStringList expected = {"a.recipe.md", "empty", "sub"};
        QTRY_COMPARE(topLevelTexts(view), expected);
        QCOMPARE(view->model()->columnCount(view->rootIndex()), 1);

        const QModelIndex sub = rowFor(view, collection.filePath(QStringLiteral("sub")));
        QCOMPARE(view->model()->columnCount(sub), 1);
        expandFolder(view, sub);
        QTRY_COMPARE(view->model()->rowCount(sub), 1);
        QCOMPARE(view->model()->index(0, 0, sub).data().toString(), QStringLiteral("d.recipe.md"));
    }

    void titlesReplaceFileNamesOnceScanned()
    {
        QTemporaryDir collection;
        writeRecipe(collection.path(), QStringLiteral("apple.recipe.md"),
                    QStringLiteral("Apple Pie"));
        QVERIFY(writeFile(collection.filePath(QStringLiteral("untitled.recipe.md")),
                          "Just a note.\n\n### Ingredients\n\n * 1 kg flour\n"));
        writeRecipe(collection.path(), QStringLiteral("Soups/bean.recipe.md"),
                    QStringLiteral("Bean Soup"));

        FsPane pane;
        QTreeView* view = treeOf(pane);
        pane.setRootPath(collection.path());
        const QStringList names = {"Soups", "apple.recipe.md", "untitled.recipe.md"};
        QTRY_COMPARE(topLevelTexts(view), names);

        const QHash<QString, QString> titles = scannedTitles(collection.path());
        QCOMPARE(titles.size(), 3);
        // Nothing changes until the table arrives.
        QCOMPARE(topLevelTexts(view), names);
        pane.setTitlesByPath(titles);
        // A recipe without a title line has no name; folders keep theirs.
        const QStringList scanned = {"", "Apple Pie", "Soups"};
        QTRY_COMPARE(topLevelTexts(view), scanned);
        const QModelIndex soups = rowFor(view, collection.filePath(QStringLiteral("Soups")));
        expandFolder(view, soups);
        QTRY_COMPARE(view->model()->rowCount(soups), 1);
        QCOMPARE(view->model()->index(0, 0, soups).data().toString(), QStringLiteral("Bean Soup"));

        // Written after the scan: the file system model lists it at once, by
        // its file name.
        writeRecipe(collection.path(), QStringLiteral("crumble.recipe.md"),
                    QStringLiteral("Crumble"));
        const QStringList withNewcomer = {"", "Apple Pie", "Soups", "crumble.recipe.md"};
        QTRY_COMPARE(topLevelTexts(view), withNewcomer);

        // An empty table brings back every file name.
        pane.setTitlesByPath({});
        const QStringList allNames = {"Soups", "apple.recipe.md", "crumble.recipe.md",
                                      "untitled.recipe.md"};
        QTRY_COMPARE(topLevelTexts(view), allNames);
    }

    void aScanCollapsesTheTreeToTheRoot()
    {
        QTemporaryDir collection;
        writeRecipe(collection.path(), QStringLiteral("Soups/bean.recipe.md"),
                    QStringLiteral("Bean Soup"));
        FsPane pane;
        QTreeView* view = treeOf(pane);
        pane.setRootPath(collection.path());
        QTRY_COMPARE(topLevelTexts(view), QStringList{"Soups"});
        const QString soupsPath = collection.filePath(QStringLiteral("Soups"));
        expandFolder(view, rowFor(view, soupsPath));
        QTRY_COMPARE(view->model()->rowCount(rowFor(view, soupsPath)), 1);
        QVERIFY(view->isExpanded(rowFor(view, soupsPath)));

        pane.setTitlesByPath(scannedTitles(collection.path()));
        QCOMPARE(view->rootIndex().data(QFileSystemModel::FilePathRole).toString(),
                 collection.path());
        QCOMPARE(topLevelTexts(view), QStringList{"Soups"});
        QVERIFY(!view->isExpanded(rowFor(view, soupsPath)));
    }

    void clicksAnnounceFilesAndFolders_data()
    {
        QTest::addColumn<QString>("clicked");
        QTest::newRow("recipe") << QStringLiteral("apple.recipe.md");
        QTest::newRow("folder") << QStringLiteral("Soups");
        QTest::newRow("recipe in a folder") << QStringLiteral("Soups/bean.recipe.md");
    }

    void clicksAnnounceFilesAndFolders()
    {
        QFETCH(QString, clicked);
        QTemporaryDir collection;
        writeRecipe(collection.path(), QStringLiteral("apple.recipe.md"),
                    QStringLiteral("Apple Pie"));
        writeRecipe(collection.path(), QStringLiteral("Soups/bean.recipe.md"),
                    QStringLiteral("Bean Soup"));
        FsPane pane;
        pane.resize(300, 400);
        pane.show();
        QVERIFY(QTest::qWaitForWindowExposed(&pane));
        QTreeView* view = treeOf(pane);
        pane.setRootPath(collection.path());
        pane.setTitlesByPath(scannedTitles(collection.path()));
        const QString soups = collection.filePath(QStringLiteral("Soups"));
        QTRY_VERIFY(rowFor(view, soups).isValid());
        expandFolder(view, rowFor(view, soups));
        const QString path = collection.filePath(clicked);
        QTRY_VERIFY(rowFor(view, path).isValid());

        QSignalSpy selected(&pane, &FsPane::fileSelected);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier,
                          view->visualRect(rowFor(view, path)).center());
        QCOMPARE(selected.size(), 1);
        QCOMPARE(selected.at(0).at(0).toString(), path);

        // Moving with the keyboard announces nothing.
        view->setFocus();
        QTest::keyClick(view, Qt::Key_Down);
        QTest::keyClick(view, Qt::Key_Up);
        QCOMPARE(selected.size(), 1);
    }

    void aRootThatCannotBeShownLeavesTheTreeEmpty_data()
    {
        QTest::addColumn<QString>("unusable");
        QTest::newRow("no folder") << QString();
        QTest::newRow("a folder that does not exist") << QStringLiteral("/nonexistent/recipes");
    }

    void aRootThatCannotBeShownLeavesTheTreeEmpty()
    {
        QFETCH(QString, unusable);
        QTemporaryDir collection;
        writeRecipe(collection.path(), QStringLiteral("apple.recipe.md"),
                    QStringLiteral("Apple Pie"));
        FsPane pane;
        QTreeView* view = treeOf(pane);
        pane.setRootPath(collection.path());
        QTRY_COMPARE(topLevelTexts(view), QStringList{"apple.recipe.md"});

        pane.setRootPath(unusable);
        QVERIFY(!view->model() || view->model()->rowCount(view->rootIndex()) == 0);
        // Later tables keep it empty: there is no root to show them under.
        pane.setTitlesByPath(scannedTitles(collection.path()));
        QVERIFY(!view->model() || view->model()->rowCount(view->rootIndex()) == 0);

        // A usable root brings the tree back.
        pane.setRootPath(collection.path());
        QTRY_COMPARE(topLevelTexts(view), QStringList{"Apple Pie"});
    }
};

QTEST_MAIN(FsPaneTest)
#include "tst_fspane.moc"
