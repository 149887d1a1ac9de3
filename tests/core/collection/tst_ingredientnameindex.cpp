#include "collection/ingredientnameindex.h"

#include <QtTest>

// Which recipes list which names: names equal but for case are one entry
// under the first spelling met, however often each spelling comes again.
class TestIngredientNameIndex : public QObject
{
    Q_OBJECT
private slots:
    void gathersTheRecipesOfEachName_data();
    void gathersTheRecipesOfEachName();
};

using Recipes = QList<QPair<QString, QStringList>>; // path, names listed

void TestIngredientNameIndex::gathersTheRecipesOfEachName_data()
{
    QTest::addColumn<Recipes>("recipes");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QList<QStringList>>("pathsOfNames");
    QTest::newRow("spellings of one name, each again")
        << Recipes{{"/a", {"Knoblauch", "Zwiebel"}},
                   {"/b", {"KNOBLAUCH", "zwiebel", "Knoblauch"}},
                   {"/c", {"knoblauch"}},
                   {"/d", {"Zwiebel", "Zwiebel"}}}
        << QStringList{"Knoblauch", "Zwiebel"}
        << QList<QStringList>{{"/a", "/b", "/c"}, {"/a", "/b", "/d"}};
    QTest::newRow("scripts and accents: case folds, accents stay")
        << Recipes{{"/x", {"Crème fraîche", "豆腐", "ÉCHALOTE"}},
                   {"/y", {"crème FRAÎCHE", "échalote", "Echalote", "豆腐"}}}
        << QStringList{"Crème fraîche", "Echalote", "ÉCHALOTE", "豆腐"}
        << QList<QStringList>{{"/x", "/y"}, {"/y"}, {"/x", "/y"}, {"/x", "/y"}};
    QTest::newRow("nothing listed") << Recipes{{"/e", {}}} << QStringList{} << QList<QStringList>{};
}

void TestIngredientNameIndex::gathersTheRecipesOfEachName()
{
    QFETCH(Recipes, recipes);
    QFETCH(QStringList, names);
    QFETCH(QList<QStringList>, pathsOfNames);
    // By the names, and by the numbers of the names looked up first, as a
    // start from the kept index gives them: the same index.
    for (const bool numbered : {false, true}) {
        IngredientNameIndex index;
        for (const auto& [path, listed] : recipes) {
            if (!numbered) {
                index.add(path, listed);
                continue;
            }
            std::vector<qsizetype> numbers;
            for (const QString& name : listed)
                numbers.push_back(index.numberOf(name));
            index.addNumbered(path, numbers);
        }
        index.finish();
        QCOMPARE(index.names(), names);
        QCOMPARE(index.size(), names.size());
        for (qsizetype at = 0; at < names.size(); ++at)
            QCOMPARE(index.pathsOf(at), pathsOfNames.at(at));
    }
}

QTEST_GUILESS_MAIN(TestIngredientNameIndex)
#include "tst_ingredientnameindex.moc"
