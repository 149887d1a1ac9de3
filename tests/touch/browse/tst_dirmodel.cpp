#include "browse/dirmodel.h"
#include "browse/dirmodelmodel.h"

#include <QAbstractItemModelTester>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QSortFilterProxyModel>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

QStringList names(const QAbstractItemModel* model)
{
    QStringList out;
    for (int row = 0; row < model->rowCount(); ++row)
        out << model->index(row, 0).data().toString();
    return out;
}

QAbstractItemModel* listOf(const DirModel& dir)
{
    return qobject_cast<QAbstractItemModel*>(dir.filteredModel());
}

// Reaches rows that do not exist, which no view asks for, to see that the
// model answers them with no value instead of reading past its entries.
class ProbedDirModelModel : public DirModelModel
{
public:
    QModelIndex unchecked(int row) const { return createIndex(row, 0); }
};

} // namespace

class TestDirModel : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    // A DirModel with a model tester on its list, which outlives it.
    struct Tested
    {
        DirModel dir;
        QAbstractItemModelTester tester{listOf(dir),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest};
    };

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QDir root(m_dir.path());
        for (const char* folder : {"b", "A", ".hidden", "A/inner", "recipes", "Recipes old"})
            QVERIFY(root.mkpath(QString::fromLatin1(folder)));
        for (const char* file : {"a.txt", ".profile"}) {
            QFile f(root.filePath(QString::fromLatin1(file)));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
    }

    void newModelListsNothing()
    {
        Tested t;
        QCOMPARE(listOf(t.dir)->rowCount(), 0);
        QCOMPARE(t.dir.path(), QStringLiteral("."));
        QCOMPARE(t.dir.mode(), DirModel::AllEntries);
        QVERIFY(t.dir.filter().isEmpty());
        // The proxy is the same object for the model's whole life.
        QCOMPARE(t.dir.filteredModel(), t.dir.filteredModel());
    }

    void listing_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("all entries: folders first, capitals first")
            << int(DirModel::AllEntries)
            << QStringList{"A", "Recipes old", "b", "recipes", "a.txt"};
        QTest::newRow("folders") << int(DirModel::Folders)
                                 << QStringList{"A", "Recipes old", "b", "recipes"};
        QTest::newRow("folders and hidden")
            << int(DirModel::Folders | DirModel::Hidden)
            << QStringList{".hidden", "A", "Recipes old", "b", "recipes"};
        QTest::newRow("files") << int(DirModel::Files) << QStringList{"a.txt"};
        QTest::newRow("files and hidden")
            << int(DirModel::Files | DirModel::Hidden) << QStringList{".profile", "a.txt"};
    }

    void listing()
    {
        QFETCH(int, mode);
        QFETCH(QStringList, expected);
        Tested t;
        QSignalSpy modeChanged(&t.dir, &DirModel::modeChanged);
        QSignalSpy reset(listOf(t.dir), &QAbstractItemModel::modelReset);
        t.dir.setPath(m_dir.path());
        t.dir.setMode(DirModel::Mode(mode));
        QCOMPARE(names(listOf(t.dir)), expected);
        QCOMPARE(int(t.dir.mode()), mode);
        QCOMPARE(modeChanged.count(), mode == DirModel::AllEntries ? 0 : 1);
        QCOMPARE(reset.count(), mode == DirModel::AllEntries ? 1 : 2);
    }

    void modeAloneStartsListing()
    {
        Tested t;
        QSignalSpy reset(listOf(t.dir), &QAbstractItemModel::modelReset);
        // The current folder of the process, whatever it holds: the listing
        // is read on the first change of mode, as on the first path.
        t.dir.setMode(DirModel::Folders);
        QCOMPARE(reset.count(), 1);
        QCOMPARE(listOf(t.dir)->rowCount(),
                 QDir().entryList(QDir::Dirs | QDir::NoDotAndDotDot).size());
        t.dir.setMode(DirModel::Folders);
        QCOMPARE(reset.count(), 1);
    }

    void samePathDoesNothing()
    {
        Tested t;
        t.dir.setPath(m_dir.path());
        QSignalSpy pathChanged(&t.dir, &DirModel::pathChanged);
        QSignalSpy reset(listOf(t.dir), &QAbstractItemModel::modelReset);
        t.dir.setPath(t.dir.path());
        QCOMPARE(pathChanged.count(), 0);
        QCOMPARE(reset.count(), 0);
    }

    void navigation_data()
    {
        QTest::addColumn<QString>("start"); // relative to the temporary folder; "/" is the root
        QTest::addColumn<QString>("move");  // "up" or a name to cd into
        QTest::addColumn<QString>("path");  // expected, same notation
        QTest::addColumn<QString>("dirName");

        const QString base = QFileInfo(m_dir.path()).fileName();
        QTest::newRow("into a folder") << ""
                                       << "A"
                                       << "A"
                                       << "A";
        QTest::newRow("into a folder with a blank") << ""
                                                    << "Recipes old"
                                                    << "Recipes old"
                                                    << "Recipes old";
        QTest::newRow("into a name that does not exist") << ""
                                                         << "nothing"
                                                         << "" << base;
        QTest::newRow("into a file") << ""
                                     << "a.txt"
                                     << "" << base;
        QTest::newRow("up") << "A/inner"
                            << "up"
                            << "A"
                            << "A";
        QTest::newRow("up at the root") << "/"
                                        << "up"
                                        << "/"
                                        << "";
    }

    void navigation()
    {
        QFETCH(QString, start);
        QFETCH(QString, move);
        QFETCH(QString, path);
        QFETCH(QString, dirName);
        auto resolve = [this](const QString& where) {
            if (where == "/")
                return QDir::rootPath();
            return where.isEmpty() ? m_dir.path() : m_dir.path() + "/" + where;
        };

        Tested t;
        t.dir.setMode(DirModel::Folders);
        t.dir.setPath(resolve(start));
        QSignalSpy pathChanged(&t.dir, &DirModel::pathChanged);
        QSignalSpy reset(listOf(t.dir), &QAbstractItemModel::modelReset);
        if (move == "up")
            t.dir.cdUp();
        else
            t.dir.cd(move);

        // Announced and listed again even when the move was refused.
        QCOMPARE(pathChanged.count(), 1);
        QCOMPARE(reset.count(), 1);
        QCOMPARE(QDir::cleanPath(t.dir.path()), QDir::cleanPath(resolve(path)));
        QCOMPARE(t.dir.dirName(), dirName);
        QCOMPARE(names(listOf(t.dir)),
                 QDir(resolve(path))
                     .entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::DirsFirst | QDir::Name));
    }

    void pathThatDoesNotExistListsNothing()
    {
        Tested t;
        const QString missing = m_dir.filePath("missing/deeper");
        QSignalSpy pathChanged(&t.dir, &DirModel::pathChanged);
        t.dir.setPath(missing);
        QCOMPARE(pathChanged.count(), 1);
        QCOMPARE(t.dir.path(), missing);
        QCOMPARE(listOf(t.dir)->rowCount(), 0);
    }

    void filterIsCaseSensitive_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("small letters") << "recipes" << QStringList{"recipes"};
        QTest::newRow("capitals") << "Recipes" << QStringList{"Recipes old"};
        QTest::newRow("capitals hide small letters") << "RECIPES" << QStringList{};
        QTest::newRow("anywhere in the name") << "old" << QStringList{"Recipes old"};
        QTest::newRow("empty shows all")
            << "" << QStringList{"A", "Recipes old", "b", "recipes", "a.txt"};
    }

    void filterIsCaseSensitive()
    {
        QFETCH(QString, filter);
        QFETCH(QStringList, expected);
        Tested t;
        t.dir.setPath(m_dir.path());
        QSignalSpy filterChanged(&t.dir, &DirModel::filterChanged);
        t.dir.setFilter(QStringLiteral("x"));
        t.dir.setFilter(filter);
        t.dir.setFilter(filter);
        QCOMPARE(filterChanged.count(), filter == "x" ? 1 : 2);
        QCOMPARE(t.dir.filter(), filter);
        QCOMPARE(names(listOf(t.dir)), expected);
    }

    void filterOutlivesFolderChange()
    {
        Tested t;
        t.dir.setPath(m_dir.path());
        t.dir.setFilter(QStringLiteral("inner"));
        QCOMPARE(listOf(t.dir)->rowCount(), 0);
        t.dir.cd(QStringLiteral("A"));
        QCOMPARE(names(listOf(t.dir)), QStringList{"inner"});
    }

    void roles()
    {
        Tested t;
        t.dir.setPath(m_dir.path());
        const QAbstractItemModel* list = listOf(t.dir);
        const QHash<int, QByteArray> expectedRoles{{Qt::DisplayRole, "display"},
                                                   {Qt::DecorationRole, "icon"},
                                                   {Qt::UserRole + 1, "fullpath"},
                                                   {Qt::UserRole + 2, "type"}};
        QCOMPARE(list->roleNames(), expectedRoles);

        const QStringList shown = names(list);
        const QModelIndex folder = list->index(shown.indexOf("b"), 0);
        QCOMPARE(folder.data(Qt::DisplayRole), QVariant(QStringLiteral("b")));
        QCOMPARE(folder.data(Qt::DecorationRole), QVariant(QStringLiteral("folder")));
        QCOMPARE(folder.data(Qt::UserRole + 1),
                 QVariant(QFileInfo(m_dir.filePath("b")).absoluteFilePath()));
        QCOMPARE(folder.data(Qt::UserRole + 2), QVariant(QStringLiteral("folder")));
        QVERIFY(!folder.data(Qt::ToolTipRole).isValid());
        QVERIFY(!folder.data(Qt::UserRole + 3).isValid());

        const QModelIndex file = list->index(shown.indexOf("a.txt"), 0);
        QCOMPARE(file.data(Qt::DisplayRole), QVariant(QStringLiteral("a.txt")));
        QVERIFY(!file.data(Qt::DecorationRole).isValid());
        QCOMPARE(file.data(Qt::UserRole + 1),
                 QVariant(QFileInfo(m_dir.filePath("a.txt")).absoluteFilePath()));
        QCOMPARE(file.data(Qt::UserRole + 2), QVariant(QStringLiteral("file")));
    }

    void symbolicLinksAreFollowed()
    {
        QTemporaryDir dir;
        QVERIFY(QFile::link(m_dir.filePath("A"), dir.filePath("to folder")));
        QVERIFY(QFile::link(m_dir.filePath("a.txt"), dir.filePath("to file")));
        QVERIFY(QFile::link(m_dir.filePath("nowhere"), dir.filePath("dangling")));
        Tested t;
        t.dir.setPath(dir.path());
        t.dir.setMode(DirModel::Mode(DirModel::AllEntries | QDir::System));
        const QAbstractItemModel* list = listOf(t.dir);
        QHash<QString, QVariant> types;
        for (int row = 0; row < list->rowCount(); ++row)
            types.insert(list->index(row, 0).data().toString(),
                         list->index(row, 0).data(Qt::UserRole + 2));
        QCOMPARE(types.value("to folder"), QVariant(QStringLiteral("folder")));
        QCOMPARE(types.value("to file"), QVariant(QStringLiteral("file")));
        // Neither a file nor a folder: listed, but of no type.
        QVERIFY(types.contains("dangling"));
        QVERIFY(!types.value("dangling").isValid());
    }

    void rowsOutsideTheListHaveNoValue()
    {
        ProbedDirModelModel model;
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.setPath(m_dir.path());
        const int rows = model.rowCount();
        QCOMPARE(rows, 5);
        for (int role :
             {int(Qt::DisplayRole), int(Qt::DecorationRole), Qt::UserRole + 1, Qt::UserRole + 2}) {
            QVERIFY(!model.data(model.unchecked(rows), role).isValid());
            QVERIFY(!model.data(model.unchecked(-1), role).isValid());
            QVERIFY(!model.data(QModelIndex(), role).isValid());
        }
        // A flat list: no entry has rows of its own.
        QCOMPARE(model.rowCount(model.index(0, 0)), 0);
    }
};

QTEST_GUILESS_MAIN(TestDirModel)
#include "tst_dirmodel.moc"
