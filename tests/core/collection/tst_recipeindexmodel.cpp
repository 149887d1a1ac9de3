#include "collection/indexmodelreading.h"
#include "collection/recipeindexmodel.h"
#include "collection/scanner.h"

#include <QAbstractItemModelTester>
#include <QPersistentModelIndex>
#include <QSignalSpy>
#include <QSortFilterProxyModel>
#include <QtTest>

#include <memory>

// The recipe rows under a key are made when first asked for; everyone who
// reads the model must find them there, in title order, as if they had been
// made with the keys.
class TestRecipeIndexModel : public QObject
{
    Q_OBJECT
private slots:
    void listsTheRecipesOfEveryKeyInTitleOrder_data();
    void listsTheRecipesOfEveryKeyInTitleOrder();
    void passesTheModelTesterBeforeAndAfterTheRowsAreMade();
    void readersOfTheItemsFindThePathsAndTheRows();
    void proxiesAndPersistentIndexesSeeTheRows();
    void keysTakenOutLeaveNothingBehind();
};

namespace {

using Numbers = RecipeIndexModel::RecipeNumbers;

// Recipes numbered in the order a walk found them, titles in several scripts;
// the title order is by QString::compare, as the scan orders them.
std::shared_ptr<RecipeIndexModel::Recipes> recipes()
{
    auto recipes = std::make_shared<RecipeIndexModel::Recipes>();
    recipes->titles = {QStringLiteral("Zwiebelkuchen"), QStringLiteral("麻婆豆腐"),
                       QStringLiteral("Apfelstrudel"),  QStringLiteral("Crêpes Suzette"),
                       QStringLiteral("親子丼"),        QStringLiteral("Apfelstrudel")};
    for (int i = 0; i < recipes->titles.size(); ++i)
        recipes->paths << QStringLiteral("/book/%1.recipe.md").arg(i);
    std::vector<int> order(std::size_t(recipes->titles.size()));
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](int a, int b) {
        const int byTitle = QString::compare(recipes->titles[a], recipes->titles[b]);
        return byTitle != 0 ? byTitle < 0 : recipes->paths[a] < recipes->paths[b];
    });
    recipes->placeOf.resize(order.size());
    for (std::size_t place = 0; place < order.size(); ++place)
        recipes->placeOf[std::size_t(order[place])] = int(place);
    return recipes;
}

const QStringList keys = {QStringLiteral("Butter"), QStringLiteral("Mehl"), QStringLiteral("豆腐"),
                          QStringLiteral("ohne Rezepte")};

std::unique_ptr<RecipeIndexModel> model()
{
    auto made = std::make_unique<RecipeIndexModel>(recipes());
    made->appendKeys(keys, {{5, 0, 2, 3}, {4, 2}, {1}, {}});
    return made;
}

QStringList pathsUnder(const QAbstractItemModel& model, const QModelIndex& key)
{
    QStringList paths;
    for (int row = 0; row < model.rowCount(key); ++row)
        paths << model.index(row, 0, key).data(PathRole).toString();
    return paths;
}

QStringList expectedPaths(int keyRow)
{
    const QList<QStringList> expected = {
        {"/book/2.recipe.md", "/book/5.recipe.md", "/book/3.recipe.md", "/book/0.recipe.md"},
        {"/book/2.recipe.md", "/book/4.recipe.md"},
        {"/book/1.recipe.md"},
        {}};
    return expected.at(keyRow);
}

} // namespace

void TestRecipeIndexModel::listsTheRecipesOfEveryKeyInTitleOrder_data()
{
    QTest::addColumn<int>("keyRow");
    QTest::addColumn<QStringList>("titles");
    QTest::newRow("four, two of one title, by path")
        << 0 << QStringList{"Apfelstrudel", "Apfelstrudel", "Crêpes Suzette", "Zwiebelkuchen"};
    QTest::newRow("Latin before Han") << 1 << QStringList{"Apfelstrudel", "親子丼"};
    QTest::newRow("one") << 2 << QStringList{"麻婆豆腐"};
    QTest::newRow("none") << 3 << QStringList{};
}

void TestRecipeIndexModel::listsTheRecipesOfEveryKeyInTitleOrder()
{
    QFETCH(int, keyRow);
    QFETCH(QStringList, titles);
    const std::unique_ptr<RecipeIndexModel> index = model();
    const QModelIndex key = index->index(keyRow, 0);
    QCOMPARE(key.data().toString(), keys.at(keyRow));
    QCOMPARE(index->hasChildren(key), !titles.isEmpty());
    // Asked for by index first, as a view may, without counting them.
    const QModelIndex first = index->index(0, 0, key);
    QCOMPARE(first.isValid(), !titles.isEmpty());
    QCOMPARE(first.data().toString(), titles.value(0));
    QCOMPARE(index->rowCount(key), titles.size());
    QCOMPARE(index->columnCount(key), titles.isEmpty() ? 0 : 1);
    QStringList shown;
    for (int row = 0; row < index->rowCount(key); ++row) {
        const QModelIndex recipe = index->index(row, 0, key);
        shown << recipe.data().toString();
        QCOMPARE(recipe.parent(), key);
        QVERIFY(!index->hasChildren(recipe));
        QVERIFY(!(recipe.flags() & Qt::ItemIsEditable));
    }
    QCOMPARE(shown, titles);
    QCOMPARE(pathsUnder(*index, key), expectedPaths(keyRow));
}

void TestRecipeIndexModel::passesTheModelTesterBeforeAndAfterTheRowsAreMade()
{
    const std::unique_ptr<RecipeIndexModel> fresh = model();
    QSignalSpy inserted(fresh.get(), &QAbstractItemModel::rowsInserted);
    QSignalSpy layout(fresh.get(), &QAbstractItemModel::layoutChanged);
    QAbstractItemModelTester tester(fresh.get(),
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    // The tester walked every key: all rows are made, and nobody was told of
    // rows that, to every reader, had always been there.
    for (int row = 0; row < keys.size(); ++row)
        QCOMPARE(fresh->item(row)->rowCount(), expectedPaths(row).size());
    QCOMPARE(inserted.count(), 0);
    QCOMPARE(layout.count(), 0);
    QAbstractItemModelTester again(fresh.get(),
                                   QAbstractItemModelTester::FailureReportingMode::QtTest);
}

void TestRecipeIndexModel::readersOfTheItemsFindThePathsAndTheRows()
{
    const std::unique_ptr<RecipeIndexModel> index = model();
    for (int row = 0; row < keys.size(); ++row) {
        const QStandardItem* key = index->item(row);
        // The paths without making the rows, then the same from the rows.
        QCOMPARE(IndexModelReading::childPaths(key), expectedPaths(row));
        QCOMPARE(key->rowCount(), 0);
        IndexModelReading::makeChildren(key);
        QCOMPARE(key->rowCount(), expectedPaths(row).size());
        QCOMPARE(IndexModelReading::childPaths(key), expectedPaths(row));
        IndexModelReading::makeChildren(key); // made once only
        QCOMPARE(key->rowCount(), expectedPaths(row).size());
    }
    // Any other model is read as it is.
    QStandardItemModel plain;
    auto* key = new QStandardItem(QStringLiteral("Salz"));
    plain.appendRow(key);
    auto* child = new QStandardItem(QStringLiteral("Brot"));
    child->setData(QStringLiteral("/book/brot.recipe.md"), PathRole);
    key->appendRow(child);
    IndexModelReading::makeChildren(key);
    QCOMPARE(IndexModelReading::childPaths(key), QStringList{"/book/brot.recipe.md"});
}

void TestRecipeIndexModel::proxiesAndPersistentIndexesSeeTheRows()
{
    const std::unique_ptr<RecipeIndexModel> index = model();
    const QPersistentModelIndex tofu(index->index(2, 0));
    const QPersistentModelIndex flour(index->index(1, 0));
    QSortFilterProxyModel proxy;
    proxy.setSourceModel(index.get());
    proxy.sort(0);
    QAbstractItemModelTester tester(&proxy, QAbstractItemModelTester::FailureReportingMode::QtTest);
    const QModelIndex butter = proxy.index(0, 0);
    QCOMPARE(butter.data().toString(), QStringLiteral("Butter"));
    QCOMPARE(proxy.rowCount(butter), 4);
    QCOMPARE(pathsUnder(proxy, butter), expectedPaths(0));
    QCOMPARE(tofu.data().toString(), QStringLiteral("豆腐"));
    QCOMPARE(pathsUnder(*index, flour), expectedPaths(1));
    const QPersistentModelIndex recipe(index->index(0, 0, flour));
    QCOMPARE(recipe.data(PathRole).toString(), expectedPaths(1).first());
}

void TestRecipeIndexModel::keysTakenOutLeaveNothingBehind()
{
    const std::unique_ptr<RecipeIndexModel> index = model();
    QVERIFY(index->removeRows(0, 2));
    QCOMPARE(index->rowCount(), 2);
    QCOMPARE(index->item(0)->text(), QStringLiteral("豆腐"));
    QCOMPARE(pathsUnder(*index, index->index(0, 0)), expectedPaths(2));
    // New keys, in place of the removed ones, list nothing of them.
    index->appendRow(new QStandardItem(QStringLiteral("Butter")));
    QVERIFY(!index->hasChildren(index->index(2, 0)));
    QCOMPARE(index->rowCount(index->index(2, 0)), 0);
    index->clear();
    QCOMPARE(index->rowCount(), 0);
}

QTEST_GUILESS_MAIN(TestRecipeIndexModel)
#include "tst_recipeindexmodel.moc"
