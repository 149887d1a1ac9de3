#include "browse/treepane.h"
#include "collection/recipeindexmodel.h"
#include "collection/scanner.h"
#include "support/desktoptesthelpers.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTreeView>
#include <QtTest>

#include <memory>
#include <numeric>

namespace {

struct Recipe
{
    QString title;
    QString path;
};
using Index = QList<QPair<QString, QList<Recipe>>>; // key, recipes filed under it

// An index model as the Scanner builds it: keys without a path, recipes under
// them with their path under PathRole, made only when the view asks for them.
// The recipes are listed in the order given.
std::shared_ptr<QStandardItemModel> indexModel(const Index& index)
{
    auto recipes = std::make_shared<RecipeIndexModel::Recipes>();
    QStringList keys;
    std::vector<RecipeIndexModel::RecipeNumbers> recipesOf;
    for (const auto& [key, filed] : index) {
        keys << key;
        RecipeIndexModel::RecipeNumbers& numbers = recipesOf.emplace_back();
        for (const Recipe& recipe : filed) {
            numbers.push_back(int(recipes->titles.size()));
            recipes->titles << recipe.title;
            recipes->paths << recipe.path;
        }
    }
    recipes->placeOf.resize(std::size_t(recipes->titles.size()));
    std::iota(recipes->placeOf.begin(), recipes->placeOf.end(), 0);
    auto model = std::make_shared<RecipeIndexModel>(recipes);
    model->appendKeys(keys, std::move(recipesOf));
    return model;
}

Index tagIndex()
{
    return {{"quick", {{"Omelette", "/c/omelette.recipe.md"}, {"Toast", "/c/toast.recipe.md"}}},
            {"vegetarian", {{"Omelette", "/c/omelette.recipe.md"}}}};
}

bool showPane(TreePane& pane)
{
    pane.resize(300, 400);
    pane.show();
    return QTest::qWaitForWindowExposed(&pane);
}

QTreeView* viewOf(TreePane& pane)
{
    return pane.findChild<QTreeView*>();
}

void click(TreePane& pane, const QModelIndex& index)
{
    QTreeView* view = viewOf(pane);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier,
                      view->visualRect(index).center());
}

} // namespace

class TreePaneTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testing::useTestIdentity(); }

    void startsEmptyWithoutHeader()
    {
        TreePane pane;
        QVERIFY(viewOf(pane)->isHeaderHidden());
        QVERIFY(!viewOf(pane)->model() || viewOf(pane)->model()->rowCount() == 0);
    }

    void aCollectionWithoutTagsGivesAnEmptyTree()
    {
        TreePane pane;
        pane.setModel(indexModel({}));
        QCOMPARE(viewOf(pane)->model()->rowCount(), 0);
    }

    void onlyRecipeRowsAnnounceTheirPath()
    {
        TreePane pane;
        QVERIFY(showPane(pane));
        const auto model = indexModel(tagIndex());
        QAbstractItemModelTester tester(model.get(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        pane.setModel(model);
        QSignalSpy selected(&pane, &TreePane::fileSelected);

        const QAbstractItemModel* shown = viewOf(pane)->model();
        const QModelIndex quick = shown->index(0, 0);
        const QModelIndex vegetarian = shown->index(1, 0);
        click(pane, quick);
        QCOMPARE(selected.size(), 0);
        // Keys start collapsed; a click selects them but neither expands them
        // nor announces anything.
        QVERIFY(!viewOf(pane)->isExpanded(quick));

        viewOf(pane)->expandAll();
        click(pane, shown->index(0, 0, quick));
        click(pane, shown->index(1, 0, quick));
        click(pane, shown->index(0, 0, vegetarian));
        QCOMPARE(selected.size(), 3);
        QCOMPARE(selected.at(0).at(0).toString(), QStringLiteral("/c/omelette.recipe.md"));
        QCOMPARE(selected.at(1).at(0).toString(), QStringLiteral("/c/toast.recipe.md"));
        // The same recipe under another key announces the same path.
        QCOMPARE(selected.at(2).at(0).toString(), QStringLiteral("/c/omelette.recipe.md"));

        // Keyboard movement announces nothing.
        viewOf(pane)->setFocus();
        QTest::keyClick(viewOf(pane), Qt::Key_Up);
        QTest::keyClick(viewOf(pane), Qt::Key_Return);
        QCOMPARE(selected.size(), 3);
    }

    void aKeyExpandedShowsRecipeRowsMadeOnlyThen()
    {
        TreePane pane;
        QVERIFY(showPane(pane));
        const auto model = indexModel(tagIndex());
        pane.setModel(model);
        QSignalSpy selected(&pane, &TreePane::fileSelected);
        QTreeView* view = viewOf(pane);
        const QModelIndex quick = view->model()->index(0, 0);
        // Shown as expandable before anything under it is made.
        QVERIFY(view->model()->hasChildren(quick));
        QCOMPARE(model->item(0)->rowCount(), 0);
        view->expand(quick);
        QVERIFY(view->isExpanded(quick));
        QTRY_COMPARE(model->item(0)->rowCount(), 2); // when the view lays the rows out
        QCOMPARE(model->item(1)->rowCount(), 0);     // the other key's are not made
        QTRY_VERIFY(view->visualRect(view->model()->index(1, 0, quick)).isValid());
        click(pane, view->model()->index(1, 0, quick));
        QCOMPARE(selected.size(), 1);
        QCOMPARE(selected.at(0).at(0).toString(), QStringLiteral("/c/toast.recipe.md"));
    }

    void clearingEmptiesAndTheNextModelShowsCollapsed()
    {
        TreePane pane;
        QVERIFY(showPane(pane));
        pane.setModel(indexModel(tagIndex()));
        viewOf(pane)->expandAll();
        QVERIFY(viewOf(pane)->isExpanded(viewOf(pane)->model()->index(0, 0)));

        pane.setModel({});
        QVERIFY(!viewOf(pane)->model() || viewOf(pane)->model()->rowCount() == 0);

        // Only the pane keeps the models it is given; each goes when the next
        // one arrives, which the view must not notice.
        pane.setModel(indexModel(tagIndex()));
        pane.setModel(indexModel({{"soup", {{"Borscht", "/c/borscht.recipe.md"}}}}));
        const QAbstractItemModel* shown = viewOf(pane)->model();
        QCOMPARE(shown->rowCount(), 1);
        QCOMPARE(shown->index(0, 0).data().toString(), QStringLiteral("soup"));
        QVERIFY(!viewOf(pane)->isExpanded(shown->index(0, 0)));
        QCOMPARE(viewOf(pane)
                     ->findChildren<QItemSelectionModel*>(QString(), Qt::FindDirectChildrenOnly)
                     .size(),
                 1);

        QSignalSpy selected(&pane, &TreePane::fileSelected);
        viewOf(pane)->expandAll();
        click(pane, shown->index(0, 0, shown->index(0, 0)));
        QCOMPARE(selected.size(), 1);
        QCOMPARE(selected.at(0).at(0).toString(), QStringLiteral("/c/borscht.recipe.md"));
    }
};

QTEST_MAIN(TreePaneTest)
#include "tst_treepane.moc"
