#include "pantry/pantryfile.h"
#include "shopping/shoppinglistsession.h"
#include "shopping/shoppingrowsmodel.h"
#include "support/recipefiles.h"

#include <QAbstractItemModelTester>
#include <QCoreApplication>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList shown(const QAbstractItemModel* rows, int role = Qt::DisplayRole)
{
    QStringList texts;
    for (int row = 0; row < rows->rowCount(); ++row)
        texts.append(rows->index(row, 0).data(role).toString());
    return texts;
}

int rowNamed(const QAbstractItemModel* rows, const QString& name)
{
    for (int row = 0; row < rows->rowCount(); ++row) {
        if (rows->index(row, 0).data(ShoppingRowsModel::NameRole).toString() == name)
            return row;
    }
    return -1;
}

} // namespace

// The shopping list with the cookbook's pantry.md: what is still to buy, the
// pantry's part, the "In the pantry" rows, and what was bought put away.
class TestShoppingPantry : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir;
    QString dal;

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
        QSettings().setValue(QStringLiteral("ShoppingListFile/movedToFile"), true);
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(dir->isValid());
        dal = dir->filePath(QStringLiteral("Indisch/Dal.recipe.md"));
        QVERIFY(testing::writeFile(dal, "# Dal\n\n### Ingredients\n\n"
                                        " * 750 g red lentils\n * 3 onions\n * 1 l Wasser\n"
                                        " * 2 cups rice\n * 白蘑菇 200 克\n * salt\n\n"
                                        "### Directions\n\nSimmer.\n"));
    }

    void showsWhatIsStillToBuy()
    {
        QVERIFY(testing::writeFile(pantryPath(), "# Pantry\n\n- 500 g red lentils\n"
                                                 "- 2 pcs onions\n- 500 g rice\n- 白蘑菇 300 克\n"
                                                 "- salt\n"));
        ShoppingListSession session;
        QAbstractItemModelTester tester(session.rowsModel(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        session.setCollectionPath(dir->path());
        session.addRecipe(dal);
        const QAbstractItemModel* rows = session.rowsModel();
        QCOMPARE(shown(rows), (QStringList{
                                  "250 g red lentils (500 g in the pantry)",
                                  "1 onions (2 pcs in the pantry)",
                                  "1 l Wasser",
                                  "2 cups rice (500 g in the pantry)",
                                  "白蘑菇 (300 克 in the pantry)",
                                  "salt (in the pantry)",
                              }));
        QCOMPARE(shown(rows, ShoppingRowsModel::ToBuyRole),
                 (QStringList{"250 g", "1", "1 l", "2 cups", "", ""}));
        QCOMPARE(shown(rows, ShoppingRowsModel::AmountRole),
                 (QStringList{"750 g", "3", "1 l", "2 cups", "200 克", ""}));
        QCOMPARE(shown(rows, ShoppingRowsModel::SectionRole),
                 (QStringList{"To buy", "To buy", "To buy", "To buy", "In the pantry",
                              "In the pantry"}));
        // The file keeps what the recipes need, for every other reader.
        QVERIFY(readFile(dir->filePath(QStringLiteral("shopping-list.md")))
                    .contains("- [ ] 750 g red lentils\n"));
    }

    void coveredRowsCanStillBeTicked()
    {
        QVERIFY(testing::writeFile(pantryPath(), "- red lentils\n"));
        ShoppingListSession session;
        session.setCollectionPath(dir->path());
        session.addRecipe(dal);
        const QAbstractItemModel* rows = session.rowsModel();
        const int last = rows->rowCount() - 1;
        QCOMPARE(rows->index(last, 0).data(ShoppingRowsModel::NameRole).toString(),
                 QStringLiteral("red lentils"));
        QVERIFY(rows->index(last, 0).data(ShoppingRowsModel::InPantryRole).toBool());
        session.setTicked(last, true);
        QVERIFY(rows->index(last, 0).data(ShoppingRowsModel::TickedRole).toBool());
    }

    void followsThePantryWhenItChanges()
    {
        ShoppingListSession session;
        QAbstractItemModelTester tester(session.rowsModel(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        session.setCollectionPath(dir->path());
        session.addRecipe(dal);
        const QAbstractItemModel* rows = session.rowsModel();
        QCOMPARE(rows->index(0, 0).data().toString(), QStringLiteral("750 g red lentils"));
        QVERIFY(testing::writeFile(pantryPath(), "- 1 kg red lentils\n"));
        QTRY_COMPARE(rows->index(rows->rowCount() - 1, 0).data().toString(),
                     QStringLiteral("red lentils (1 kg in the pantry)"));
    }

    void putsTickedRowsInThePantry()
    {
        QVERIFY(testing::writeFile(pantryPath(), "# Pantry\n\nWhat is at home.\n\n"
                                                 "- 500 g red lentils\n- 2 pcs onions\n"));
        ShoppingListSession session;
        session.setCollectionPath(dir->path());
        session.addRecipe(dal);
        QVERIFY(session.addRow(QStringLiteral("2 kg Mehl")));
        QVERIFY(session.addRow(QStringLiteral("Klopapier")));
        const QAbstractItemModel* rows = session.rowsModel();
        QCOMPARE(session.putTickedInPantry(),
                 QStringLiteral("No ticked rows to put in the pantry"));
        session.setTicked(rowNamed(rows, QStringLiteral("red lentils")), true);
        session.setTicked(rowNamed(rows, QStringLiteral("onions")), true);
        session.setTicked(rowNamed(rows, QStringLiteral("2 kg Mehl")), true);
        QCOMPARE(session.putTickedInPantry(), QStringLiteral("3 rows put in the pantry"));
        QCOMPARE(readFile(pantryPath()), QByteArray("# Pantry\n\nWhat is at home.\n\n"
                                                    "- 750 g red lentils\n- 3 pcs onions\n"
                                                    "- 2 kg Mehl\n"));
        // The rows are put away: covered now, unticked, and the hand row gone.
        QCOMPARE(rowNamed(rows, QStringLiteral("2 kg Mehl")), -1);
        QVERIFY(rowNamed(rows, QStringLiteral("Klopapier")) >= 0);
        const QModelIndex lentils = rows->index(rowNamed(rows, QStringLiteral("red lentils")), 0);
        QVERIFY(lentils.data(ShoppingRowsModel::InPantryRole).toBool());
        QVERIFY(!lentils.data(ShoppingRowsModel::TickedRole).toBool());
    }

    void withoutAPantryNothingChanges()
    {
        ShoppingListSession session;
        session.setCollectionPath(dir->path());
        session.addRecipe(dal);
        const QAbstractItemModel* rows = session.rowsModel();
        QCOMPARE(shown(rows), (QStringList{"750 g red lentils", "3 onions", "1 l Wasser",
                                           "2 cups rice", "200 克 白蘑菇", "salt"}));
        QCOMPARE(shown(rows, ShoppingRowsModel::PantryRole), QStringList(6, QString()));
        QVERIFY(!QFile::exists(pantryPath()));
    }
};

QTEST_GUILESS_MAIN(TestShoppingPantry)
#include "tst_shoppingpantry.moc"
