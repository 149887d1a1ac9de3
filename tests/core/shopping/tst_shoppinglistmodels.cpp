#include "shopping/shoppinglistfile.h"
#include "shopping/shoppinglistsession.h"
#include "shopping/shoppingrecipesmodel.h"
#include "shopping/shoppingrowsmodel.h"
#include "support/otherprocess.h"

#include <QAbstractItemModelTester>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

QString writeRecipe(const QString& path, const QByteArray& title, const QByteArray& ingredients,
                    const QByteArray& metadata = QByteArray())
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return QString();
    file.write("# " + title + "\n\n### Ingredients\n\n" + ingredients +
               "\n### Directions\n\nCook.\n\n### Metadata\n\n" + metadata);
    return path;
}

// "[x] 2 pcs onions", in the order shown.
QStringList shownRows(const ShoppingListSession& session)
{
    QStringList texts;
    const QAbstractItemModel* rows = session.rowsModel();
    for (int row = 0; row < rows->rowCount(); ++row) {
        const QModelIndex index = rows->index(row, 0);
        texts.append((index.data(ShoppingRowsModel::TickedRole).toBool() ? QStringLiteral("[x] ")
                                                                         : QStringLiteral("[ ] ")) +
                     index.data().toString());
    }
    return texts;
}

// "Soup | 4 servings", as a table shows them.
QStringList shownRecipes(const ShoppingListSession& session)
{
    QStringList texts;
    const QAbstractItemModel* recipes = session.recipesModel();
    for (int row = 0; row < recipes->rowCount(); ++row)
        texts.append(recipes->index(row, ShoppingRecipesModel::TitleColumn).data().toString() +
                     QStringLiteral(" | ") +
                     recipes->index(row, ShoppingRecipesModel::AmountColumn).data().toString());
    return texts;
}

int rowOfText(const ShoppingListSession& session, const QString& text)
{
    const QAbstractItemModel* rows = session.rowsModel();
    for (int row = 0; row < rows->rowCount(); ++row) {
        if (rows->index(row, 0).data().toString() == text)
            return row;
    }
    return -1;
}

} // namespace

class ShoppingListModelsTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> book;
    QString soup;
    QString bread;

    // A session on the cookbook, with both models watched by a tester.
    struct Watched
    {
        std::unique_ptr<ShoppingListSession> session;
        std::unique_ptr<QAbstractItemModelTester> recipesTester;
        std::unique_ptr<QAbstractItemModelTester> rowsTester;
    };

    Watched open() const
    {
        Watched watched;
        watched.session = std::make_unique<ShoppingListSession>();
        watched.session->setCollectionPath(book->path());
        watched.recipesTester =
            std::make_unique<QAbstractItemModelTester>(watched.session->recipesModel());
        watched.rowsTester =
            std::make_unique<QAbstractItemModelTester>(watched.session->rowsModel());
        return watched;
    }

    QString listPath() const { return book->filePath(ShoppingListFile::fileName()); }

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
        book = std::make_unique<QTemporaryDir>();
        QVERIFY(book->isValid());
        soup = writeRecipe(book->filePath(QStringLiteral("Soups/soup.recipe.md")), "Soup",
                           " * 500 g carrots, diced\n * 2 pcs onions\n * salt\n", "servings: 4\n");
        bread = writeRecipe(book->filePath(QStringLiteral("bread.recipe.md")), "Bread",
                            " * 750 g Carrots\n * 1/2 tsp salt\n * 2 eggs\n");
        QVERIFY(!soup.isEmpty() && !bread.isEmpty());
    }

    void addingSaysWhatHappened_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QStringList>("recipes");
        QTest::newRow("added") << "bread.recipe.md"
                               << "Bread added to the shopping list"
                               << QStringList{"Soup | 4 servings", "Bread | ×1"};
        QTest::newRow("already listed")
            << "Soups/soup.recipe.md"
            << "Soup is already on the shopping list" << QStringList{"Soup | 4 servings"};
        QTest::newRow("no path") << QString() << "No recipe to add"
                                 << QStringList{"Soup | 4 servings"};
        QTest::newRow("a folder") << "Soups"
                                  << "No recipe to add" << QStringList{"Soup | 4 servings"};
        QTest::newRow("a missing file") << "gone.recipe.md"
                                        << "No recipe to add" << QStringList{"Soup | 4 servings"};
    }

    void addingSaysWhatHappened()
    {
        QFETCH(QString, path);
        Watched list = open();
        QCOMPARE(list.session->addRecipe(soup), QStringLiteral("Soup added to the shopping list"));
        QTEST(list.session->addRecipe(path.isEmpty() ? path : book->filePath(path)), "message");
        QTEST(shownRecipes(*list.session), "recipes");
    }

    // Asked through the amount column (none: the recipe's own), then a step
    // of the touch page's buttons; the list keeps within the limits.
    void recipesShowTheAmountWanted_data()
    {
        QTest::addColumn<QByteArray>("metadata");
        QTest::addColumn<QVariant>("asked");
        QTest::addColumn<int>("step");
        QTest::addColumn<QString>("amountText");
        QTest::addColumn<int>("amount");
        QTest::addColumn<int>("maximum");
        const QByteArray four("servings: 4\n");
        const QVariant none;
        auto row = [](const char* name, const QByteArray& metadata, const QVariant& asked, int step,
                      const char* text, int amount, int maximum) {
            QTest::newRow(name) << metadata << asked << step << QString::fromUtf8(text) << amount
                                << maximum;
        };
        row("own servings", four, none, 0, "4 servings", 4, 99);
        row("one more", four, none, 1, "5 servings", 5, 99);
        row("one serving", QByteArray("servings: 2\n"), none, -1, "1 serving", 1, 99);
        row("servings: no fewer than one", four, 1, -1, "1 serving", 1, 99);
        row("servings: at most 99", four, 99, 1, "99 servings", 99, 99);
        row("servings: zero asked", four, 0, 0, "1 serving", 1, 99);
        row("servings: too many asked", four, 500, 0, "99 servings", 99, 99);
        row("servings: no number asked", four, QStringLiteral("many"), 0, "4 servings", 4, 99);
        row("no servings: ×1", QByteArray(), none, 0, "×1", 2, 40);
        row("half a time more", QByteArray(), none, 1, "×1½", 3, 40);
        row("factor: no less than ½", QByteArray(), 1, -1, "×½", 1, 40);
        row("factor: at most ×20", QByteArray(), 40, 1, "×20", 40, 40);
        row("factor: negative asked", QByteArray(), -3, 0, "×½", 1, 40);
    }

    void recipesShowTheAmountWanted()
    {
        QFETCH(QByteArray, metadata);
        QFETCH(QVariant, asked);
        QFETCH(int, step);
        const QString path = writeRecipe(book->filePath(QStringLiteral("pie.recipe.md")), "Pie",
                                         " * 1 onion\n", metadata);
        Watched list = open();
        list.session->addRecipe(path);
        QAbstractItemModel* recipes = list.session->recipesModel();
        const QModelIndex title = recipes->index(0, ShoppingRecipesModel::TitleColumn);
        const QModelIndex amount = recipes->index(0, ShoppingRecipesModel::AmountColumn);
        if (asked.isValid())
            QCOMPARE(recipes->setData(amount, asked), asked.typeId() == QMetaType::Int);
        list.session->changeAmount(path, step);
        QCOMPARE(title.data().toString(), QStringLiteral("Pie"));
        QCOMPARE(title.data(ShoppingRecipesModel::PathRole).toString(), path);
        QCOMPARE(title.data(ShoppingRecipesModel::MissingRole).toBool(), false);
        QCOMPARE(title.data(ShoppingRecipesModel::HasServingsRole).toBool(), !metadata.isEmpty());
        QTEST(title.data(ShoppingRecipesModel::AmountTextRole).toString(), "amountText");
        QTEST(title.data(ShoppingRecipesModel::AmountRole).toInt(), "amount");
        QCOMPARE(title.data(ShoppingRecipesModel::MinimumRole).toInt(), 1);
        QTEST(title.data(ShoppingRecipesModel::MaximumRole).toInt(), "maximum");
        QTEST(amount.data().toString(), "amountText");
        QTEST(amount.data(Qt::EditRole).toInt(), "amount");
        QVERIFY(amount.flags().testFlag(Qt::ItemIsEditable));
        QVERIFY(!title.flags().testFlag(Qt::ItemIsEditable));
        QVERIFY(
            readFileText().contains(QStringLiteral("pie.recipe.md) ") + amount.data().toString()));
    }

    void theAmountScalesTheRows_data()
    {
        QTest::addColumn<int>("servings");
        QTest::addColumn<int>("halves");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("own servings, ×1")
            << 4 << 2 << QStringList{"1.25 kg carrots", "2 pcs onions", "½ tsp salt", "2 eggs"};
        QTest::newRow("double servings, ×½")
            << 8 << 1 << QStringList{"1.38 kg carrots", "4 pcs onions", "¼ tsp salt", "1 eggs"};
        QTest::newRow("one serving, ×20")
            << 1 << 40 << QStringList{"15.13 kg carrots", "½ pcs onions", "10 tsp salt", "40 eggs"};
    }

    void theAmountScalesTheRows()
    {
        QFETCH(int, servings);
        QFETCH(int, halves);
        Watched list = open();
        list.session->addRecipe(soup);
        list.session->addRecipe(bread);
        QAbstractItemModel* recipes = list.session->recipesModel();
        QVERIFY(recipes->setData(recipes->index(0, ShoppingRecipesModel::AmountColumn), servings));
        QVERIFY(recipes->setData(recipes->index(1, 0), halves, ShoppingRecipesModel::AmountRole));
        QStringList rows = shownRows(*list.session);
        for (QString& row : rows)
            row.remove(0, 4);
        QTEST(rows, "rows");
    }

    void mergedRowsNameEachRecipesPart()
    {
        Watched list = open();
        list.session->addRecipe(soup);
        list.session->addRecipe(bread);
        const QAbstractItemModel* rows = list.session->rowsModel();
        const QModelIndex carrots = rows->index(0, 0);
        QCOMPARE(carrots.data(ShoppingRowsModel::AmountRole).toString(), QStringLiteral("1.25 kg"));
        QCOMPARE(carrots.data(ShoppingRowsModel::NameRole).toString(), QStringLiteral("carrots"));
        QCOMPARE(carrots.data(ShoppingRowsModel::DetailRole).toString(),
                 QStringLiteral("Soup: 500 g, Bread: 750 g"));
        QCOMPARE(carrots.data(Qt::ToolTipRole).toString(),
                 QStringLiteral("Soup: 500 g\nBread: 750 g"));
        QCOMPARE(carrots.data(ShoppingRowsModel::HandWrittenRole).toBool(), false);
        const QModelIndex salt =
            rows->index(rowOfText(*list.session, QStringLiteral("½ tsp salt")), 0);
        QCOMPARE(salt.data(ShoppingRowsModel::DetailRole).toString(),
                 QStringLiteral("Soup, Bread: 1/2 tsp"));
        QVERIFY(carrots.data(ShoppingRowsModel::KeyRole).toString() !=
                salt.data(ShoppingRowsModel::KeyRole).toString());
    }

    void tickedRowsGoLast()
    {
        Watched list = open();
        list.session->addRecipe(soup);
        QVERIFY(list.session->addRow(QStringLiteral("coffee")));
        QAbstractItemModel* rows = list.session->rowsModel();
        QSignalSpy resets(rows, &QAbstractItemModel::modelReset);
        QVERIFY(rows->setData(rows->index(0, 0), Qt::Checked, Qt::CheckStateRole));
        QCOMPARE(shownRows(*list.session),
                 QStringList({"[ ] 2 pcs onions", "[ ] salt", "[ ] coffee", "[x] 500 g carrots"}));
        QCOMPARE(rows->index(3, 0).data(Qt::CheckStateRole).toInt(), int(Qt::Checked));
        list.session->setTicked(2, true);
        QCOMPARE(shownRows(*list.session),
                 QStringList({"[ ] 2 pcs onions", "[ ] salt", "[x] 500 g carrots", "[x] coffee"}));
        // Unticked, a row goes back to its place.
        QVERIFY(rows->setData(rows->index(2, 0), false, ShoppingRowsModel::TickedRole));
        QCOMPARE(shownRows(*list.session),
                 QStringList({"[ ] 500 g carrots", "[ ] 2 pcs onions", "[ ] salt", "[x] coffee"}));
        // The places stay, their data changes: views keep their scroll.
        QCOMPARE(resets.count(), 0);
        QVERIFY(list.session->markdown().contains(QStringLiteral("- [x] coffee\n")));
    }

    void ticksSurviveAReload()
    {
        {
            Watched list = open();
            list.session->addRecipe(soup);
            list.session->addRow(QStringLiteral("coffee"));
            list.session->setTicked(rowOfText(*list.session, QStringLiteral("2 pcs onions")), true);
            list.session->setTicked(rowOfText(*list.session, QStringLiteral("coffee")), true);
        }
        Watched list = open();
        QCOMPARE(shownRows(*list.session),
                 QStringList({"[ ] 500 g carrots", "[ ] salt", "[x] 2 pcs onions", "[x] coffee"}));
        QCOMPARE(list.session->rowsModel()->index(3, 0).data(ShoppingRowsModel::HandWrittenRole),
                 QVariant(true));
    }

    void aTickFromAnotherDeviceShows_data()
    {
        QTest::addColumn<bool>("renameOver");
        QTest::newRow("written in place") << false;
        QTest::newRow("renamed over") << true;
    }

    void aTickFromAnotherDeviceShows()
    {
        QFETCH(bool, renameOver);
        Watched list = open();
        list.session->addRecipe(soup);
        QSignalSpy changes(list.session.get(), &ShoppingListSession::listChanged);
        QString text = readFileText();
        text.replace(QStringLiteral("- [ ] 2 pcs onions"), QStringLiteral("- [x] 2 pcs onions"));
        text += QStringLiteral("- [ ] bread\n");
        QVERIFY(otherprocess::writeFile(listPath(), text.toUtf8(), renameOver));
        QTRY_COMPARE(shownRows(*list.session), QStringList({"[ ] 500 g carrots", "[ ] salt",
                                                            "[ ] bread", "[x] 2 pcs onions"}));
        QVERIFY(!changes.isEmpty());
    }

    void rowsWrittenByHand()
    {
        Watched list = open();
        list.session->addRecipe(bread);
        QVERIFY(list.session->addRow(QStringLiteral("  Kaffee ")));
        QVERIFY(!list.session->addRow(QStringLiteral("kaffee")));
        QVERIFY(!list.session->addRow(QStringLiteral("   ")));
        const QAbstractItemModel* rows = list.session->rowsModel();
        const QModelIndex coffee = rows->index(3, 0);
        QCOMPARE(coffee.data().toString(), QStringLiteral("Kaffee"));
        QCOMPARE(coffee.data(ShoppingRowsModel::HandWrittenRole).toBool(), true);
        QCOMPARE(coffee.data(ShoppingRowsModel::DetailRole).toString(), QString());
        QCOMPARE(coffee.data(Qt::ToolTipRole).toString(), QStringLiteral("Written by hand"));
        QVERIFY(readFileText().endsWith(QStringLiteral("- [ ] 2 eggs\n- [ ] Kaffee\n")));

        // Only rows written by hand go one by one.
        list.session->removeRow(0);
        list.session->removeRow(17);
        QCOMPARE(rows->rowCount(), 4);
        // Removing the recipe leaves the row written by hand.
        list.session->removeRecipe(bread);
        QCOMPARE(shownRows(*list.session), QStringList{"[ ] Kaffee"});
        list.session->removeRow(0);
        QCOMPARE(rows->rowCount(), 0);
        list.session->addRecipe(soup);
        list.session->addRow(QStringLiteral("tea"));
        list.session->clear();
        QCOMPARE(rows->rowCount(), 0);
        QCOMPARE(list.session->recipesModel()->rowCount(), 0);
    }

    void aMissingRecipeStaysListedAndAddsNothing()
    {
        {
            Watched list = open();
            list.session->addRecipe(soup);
            list.session->addRecipe(bread);
        }
        QVERIFY(QFile::remove(bread));
        Watched list = open();
        QCOMPARE(shownRecipes(*list.session),
                 QStringList({"Soup | 4 servings", "Bread (missing) | ×1"}));
        const QModelIndex gone = list.session->recipesModel()->index(1, 0);
        QCOMPARE(gone.data(ShoppingRecipesModel::MissingRole).toBool(), true);
        QCOMPARE(gone.data(ShoppingRecipesModel::TitleRole).toString(), QStringLiteral("Bread"));
        // The rows the file had of it stay, as rows of one's own.
        QStringList merged;
        const QAbstractItemModel* rows = list.session->rowsModel();
        for (int row = 0; row < rows->rowCount(); ++row) {
            if (!rows->index(row, 0).data(ShoppingRowsModel::HandWrittenRole).toBool())
                merged.append(rows->index(row, 0).data().toString());
        }
        QCOMPARE(merged, QStringList({"500 g carrots", "2 pcs onions", "salt"}));
    }

    // A recipe added or removed is one row: views keep the editors of the
    // others. A recipe read anew is a change of its row.
    void recipesChangeRowByRow()
    {
        const QString pie =
            writeRecipe(book->filePath(QStringLiteral("pie.recipe.md")), "Pie", " * 1 onion\n");
        Watched list = open();
        QAbstractItemModel* recipes = list.session->recipesModel();
        QSignalSpy inserted(recipes, &QAbstractItemModel::rowsInserted);
        QSignalSpy removed(recipes, &QAbstractItemModel::rowsRemoved);
        QSignalSpy changed(recipes, &QAbstractItemModel::dataChanged);
        QSignalSpy resets(recipes, &QAbstractItemModel::modelReset);
        for (const QString& path : {soup, pie, bread})
            list.session->addRecipe(path);
        QCOMPARE(inserted.count(), 3);
        list.session->removeRecipe(pie);
        QCOMPARE(removed.count(), 1);
        QCOMPARE(removed.first().at(1).toInt(), 1);
        QCOMPARE(shownRecipes(*list.session), QStringList({"Soup | 4 servings", "Bread | ×1"}));
        QCOMPARE(resets.count(), 0);

        writeRecipe(bread, "Brot", " * 1 kg flour\n");
        list.session->reread(bread);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.first().at(0).toModelIndex().row(), 1);
        QCOMPARE(shownRecipes(*list.session), QStringList({"Soup | 4 servings", "Brot | ×1"}));
        // Now naming servings, its amount is another kind: editors are made anew.
        writeRecipe(bread, "Brot", " * 1 kg flour\n", "servings: 2\n");
        list.session->rereadAll();
        QCOMPARE(resets.count(), 1);
        QCOMPARE(shownRecipes(*list.session),
                 QStringList({"Soup | 4 servings", "Brot | 2 servings"}));
    }

    void followsTheCollection()
    {
        Watched list = open();
        list.session->addRecipe(soup);
        QVERIFY(list.session->keptInFile());
        QSignalSpy moved(list.session.get(), &ShoppingListSession::collectionPathChanged);
        list.session->setCollectionPath(book->path());
        QCOMPARE(moved.count(), 0);
        QTemporaryDir other;
        list.session->setCollectionPath(other.path());
        QCOMPARE(moved.count(), 1);
        QCOMPARE(list.session->collectionPath(), other.path());
        QCOMPARE(list.session->recipesModel()->rowCount(), 0);
        QCOMPARE(list.session->rowsModel()->rowCount(), 0);
    }

private:
    QString readFileText() const
    {
        QFile file(listPath());
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
};

QTEST_GUILESS_MAIN(ShoppingListModelsTest)
#include "tst_shoppinglistmodels.moc"
