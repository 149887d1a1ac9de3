#include "pantry/pantryfile.h"
#include "pantry/pantryitemsmodel.h"
#include "pantry/pantrysession.h"
#include "pantry/pantrystore.h"
#include "support/recipefiles.h"
#include "support/unprivileged.h"

#include <QAbstractItemModelTester>
#include <QCoreApplication>
#include <QFile>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

namespace {

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList texts(const PantryStore& store)
{
    return store.pantry().itemTexts();
}

// A pantry as people keep it by hand: notes, a second heading, a bullet that
// names nothing, CJK and German items.
const QByteArray handKept = "# Pantry\n"
                            "\n"
                            "Kept in the cellar; check before the market.\n"
                            "\n"
                            "- 2 kg flour\n"
                            "* 500 g red lentils, from the market\n"
                            "- rice\n"
                            "- \n"
                            "\n"
                            "## Freezer\n"
                            "\n"
                            "+ 400 g Erbsen\n"
                            "- 白蘑菇 200 克\n"
                            "Some prose after the list.\n";

} // namespace

// pantry.md: read, written back with every other line kept, shared with
// other devices, and kept in the settings where the folder is read-only.
class TestPantryStore : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir;

    QString pantryPath() const { return dir->filePath(PantryFile::fileName()); }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setOrganizationName(QStringLiteral("vantrel.org"));
        QCoreApplication::setApplicationName(QStringLiteral("Saltrove"));
    }

    void init()
    {
        QSettings().clear();
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(dir->isValid());
    }

    void readsEveryItemOfAHandKeptFile()
    {
        QVERIFY(testing::writeFile(pantryPath(), handKept));
        const QList<IngredientReading> items = readPantry(dir->path());
        QStringList names;
        for (const IngredientReading& item : items)
            names.append(item.name);
        QCOMPARE(names, (QStringList{"flour", "red lentils", "rice", "Erbsen", "白蘑菇"}));
        QVERIFY(items.at(2).amount.kind() == Amount::Kind::None);
        QCOMPARE(items.at(4).unit, QStringLiteral("克"));
        QVERIFY(readPantry(dir->filePath(QStringLiteral("nowhere"))).isEmpty());
        QVERIFY(readPantry(QString()).isEmpty());
    }

    void writesOnlyTheItemsThatChanged()
    {
        QVERIFY(testing::writeFile(pantryPath(), handKept));
        PantryStore store;
        store.setCollectionPath(dir->path());
        QVERIFY(store.keptInFile());
        QVERIFY(store.add(QStringLiteral("1 kg flour")));
        QVERIFY(store.add(QStringLiteral("basmati")));
        store.remove(QStringLiteral("rice"));
        QByteArray expected = handKept;
        expected.replace("- 2 kg flour\n", "- 3 kg flour\n");
        expected.replace("- rice\n", "");
        expected.replace("- 白蘑菇 200 克\n", "- 白蘑菇 200 克\n- basmati\n");
        QCOMPARE(QString::fromUtf8(readFile(pantryPath())), QString::fromUtf8(expected));
    }

    void keepsWindowsLineEnds()
    {
        QVERIFY(testing::writeFile(pantryPath(), "# Vorrat\r\n\r\n- 1 kg Mehl\r\n"));
        PantryStore store;
        store.setCollectionPath(dir->path());
        store.add(QStringLiteral("500 g Mehl"));
        QCOMPARE(readFile(pantryPath()), QByteArray("# Vorrat\r\n\r\n- 1.5 kg Mehl\r\n"));
    }

    void startsAFileOnlyWhenSomethingIsAdded()
    {
        PantryStore store;
        store.setCollectionPath(dir->path());
        QVERIFY(!QFile::exists(pantryPath()));
        QVERIFY(!store.add(QStringLiteral("   ")));
        QVERIFY(!QFile::exists(pantryPath()));
        QVERIFY(store.add(QStringLiteral("2 kg flour")));
        QCOMPARE(readFile(pantryPath()), QByteArray("# Pantry\n\n- 2 kg flour\n"));
    }

    void mergesWhatAddsUpAndListsTheRestApart()
    {
        PantryStore store;
        store.setCollectionPath(dir->path());
        store.add(QStringLiteral("2 onions"));
        store.add(QStringLiteral("3 pcs onions"));
        store.add(QStringLiteral("2 cups flour"));
        store.add(QStringLiteral("500 g flour"));
        store.add(QStringLiteral("250 g Flour"));
        store.add(QStringLiteral("rice"));
        store.add(QStringLiteral("1 kg rice"));
        QCOMPARE(texts(store), (QStringList{"5 onions", "2 cups flour", "750 g flour", "rice"}));
    }

    void keepsWhatAnotherDeviceWroteMeanwhile()
    {
        PantryStore here;
        PantryStore there;
        here.setCollectionPath(dir->path());
        there.setCollectionPath(dir->path());
        here.add(QStringLiteral("2 kg flour"));
        // Before the watcher says anything: the write reads the file first.
        there.add(QStringLiteral("500 g red lentils"));
        here.add(QStringLiteral("1 kg flour"));
        QCOMPARE(readFile(pantryPath()),
                 QByteArray("# Pantry\n\n- 3 kg flour\n- 500 g red lentils\n"));
        QTRY_COMPARE(texts(there), (QStringList{"3 kg flour", "500 g red lentils"}));
    }

    void seesChangesOnDisk()
    {
        PantryStore store;
        store.setCollectionPath(dir->path());
        QSignalSpy changed(&store, &PantryStore::changed);
        QVERIFY(testing::writeFile(pantryPath(), "- 6 Eier\n- Milch\n"));
        QTRY_COMPARE(texts(store), (QStringList{"6 Eier", "Milch"}));
        QVERIFY(!changed.isEmpty());
    }

    void neverWritesAFileItCannotRead_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("not UTF-8") << QByteArray("- 2 kg Mehl\n- 1 \xe4pfel\n");
        QTest::newRow("larger than 1 MiB") << QByteArray(2 * 1024 * 1024, 'x');
    }

    void neverWritesAFileItCannotRead()
    {
        QFETCH(QByteArray, bytes);
        QVERIFY(testing::writeFile(pantryPath(), bytes));
        PantryStore store;
        QSignalSpy said(&store, &PantryStore::message);
        store.setCollectionPath(dir->path());
        QVERIFY(!store.keptInFile());
        store.add(QStringLiteral("1 kg rice"));
        store.add(QStringLiteral("salt"));
        QCOMPARE(readFile(pantryPath()), bytes);
        QCOMPARE(said.size(), 1);
        QCOMPARE(texts(store), (QStringList{"1 kg rice", "salt"}));
    }

    void aFolderThatCannotBeWrittenIsLeftAlone()
    {
        SALTROVE_RUN_UNPRIVILEGED();
        QVERIFY(::chmod(QFile::encodeName(dir->path()).constData(), 0555) == 0);
        {
            PantryStore store;
            QSignalSpy said(&store, &PantryStore::message);
            store.setCollectionPath(dir->path());
            store.add(QStringLiteral("2 kg flour"));
            store.add(QStringLiteral("1 kg flour"));
            QVERIFY(!store.keptInFile());
            QVERIFY(!QFile::exists(pantryPath()));
            QCOMPARE(said.size(), 1);
            QVERIFY(said.first().first().toString().contains(dir->path()));
        }
        // The settings keep it for the next start.
        PantryStore later;
        later.setCollectionPath(dir->path());
        QCOMPARE(texts(later), QStringList{"3 kg flour"});
        ::chmod(QFile::encodeName(dir->path()).constData(), 0755);
    }

    void theSessionListsAndEditsTheItems()
    {
        QVERIFY(testing::writeFile(pantryPath(), handKept));
        PantrySession session;
        QAbstractItemModelTester tester(session.itemsModel(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        session.setCollectionPath(dir->path());
        QAbstractItemModel* items = session.itemsModel();
        QCOMPARE(items->rowCount(), 5);
        QCOMPARE(items->index(0, 0).data(PantryItemsModel::AmountRole).toString(),
                 QStringLiteral("2 kg"));
        QCOMPARE(items->index(2, 0).data(PantryItemsModel::EnoughRole).toBool(), true);
        session.changeAmount(1, QStringLiteral("750 g"));
        QCOMPARE(items->index(1, 0).data().toString(),
                 QStringLiteral("750 g red lentils, from the market"));
        session.changeAmount(0, QString());
        QCOMPARE(items->index(0, 0).data().toString(), QStringLiteral("flour"));
        session.remove(4);
        session.remove(99);
        QCOMPARE(items->rowCount(), 4);
        QVERIFY(session.add(QStringLiteral("1 kg Erbsen")));
        QCOMPARE(items->index(3, 0).data().toString(), QStringLiteral("1.4 kg Erbsen"));
        QVERIFY(readFile(pantryPath()).contains("* 750 g red lentils, from the market\n"));
        QCOMPARE(session.count(), 4);
    }

    void takesACookedRecipesAmountsOut()
    {
        QVERIFY(testing::writeFile(pantryPath(), "# Pantry\n\n- 1 kg flour\n- 4 eggs\n"
                                                 "- 200 ml milk\n- 2 cups sugar\n- salt\n"));
        const QString recipe = dir->filePath(QStringLiteral("pancakes.recipe.md"));
        QVERIFY(testing::writeFile(recipe, testing::pancakesRecipe));
        PantrySession session;
        session.setCollectionPath(dir->path());
        const QString question = session.takeOutQuestion(recipe);
        QVERIFY(question.contains(QStringLiteral("Pancakes")));
        QVERIFY(question.contains(QStringLiteral("flour")));
        QVERIFY(!question.contains(QStringLiteral("salt")));
        // Eight servings of a recipe for four: twice its amounts.
        session.takeOutRecipe(recipe, 8);
        QCOMPARE(readFile(pantryPath()),
                 QByteArray("# Pantry\n\n- 500 g flour\n- 2 cups sugar\n- salt\n"));
        QVERIFY(session.takeOutQuestion(dir->filePath(QStringLiteral("gone.recipe.md"))).isEmpty());
        session.takeOutRecipe(dir->filePath(QStringLiteral("gone.recipe.md")));
        QCOMPARE(session.count(), 3);
    }
};

QTEST_GUILESS_MAIN(TestPantryStore)
#include "tst_pantrystore.moc"
