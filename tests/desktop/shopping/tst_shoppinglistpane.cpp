#include "browse/listpane.h"
#include "mainwindow.h"
#include "shopping/shoppinglistpane.h"
#include "shopping/shoppingrowsmodel.h"
#include "support/desktoptesthelpers.h"
#include "support/otherprocess.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QListView>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTimer>
#include <QtTest>

#include <memory>

using namespace testing;

namespace {

constexpr int scanTimeout = 60000;
const QString dockName = QStringLiteral("Shopping list");

QString writeShoppingRecipe(const QString& path, const QByteArray& title,
                            const QByteArray& ingredients, const QByteArray& metadata = {})
{
    const QByteArray text = "# " + title + "\n\n### Ingredients\n\n" + ingredients +
                            "\n### Directions\n\nCook.\n\n### Metadata\n\n" + metadata;
    return writeFile(path, text) ? path : QString();
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QListView* itemsView(QWidget& pane)
{
    return pane.findChild<QListView*>(QStringLiteral("shoppingItems"));
}

QTableView* recipesView(QWidget& pane)
{
    return pane.findChild<QTableView*>(QStringLiteral("shoppingRecipes"));
}

QStringList shownItems(QWidget& pane)
{
    QStringList texts;
    const QAbstractItemModel* model = itemsView(pane)->model();
    for (int row = 0; row < model->rowCount(); ++row)
        texts.append(model->index(row, 0).data().toString());
    return texts;
}

QStringList shownRecipes(QWidget& pane)
{
    QStringList texts;
    const QAbstractItemModel* model = recipesView(pane)->model();
    for (int row = 0; row < model->rowCount(); ++row)
        texts.append(model->index(row, 0).data().toString() + QStringLiteral(" | ") +
                     model->index(row, 1).data().toString());
    return texts;
}

void click(QWidget& pane, const char* button)
{
    auto* found = pane.findChild<QPushButton*>(QLatin1String(button));
    QVERIFY2(found, button);
    QTest::mouseClick(found, Qt::LeftButton);
}

// Makes a recipe the window's active document the way a finding pane does.
void choose(MainWindow& window, const QString& path)
{
    emit dockPane<ListPane>(window, QStringLiteral("Title"))->fileSelected(path);
}

} // namespace

class ShoppingListPaneTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;
    QString soup;
    QString bread;

private slots:
    void initTestCase()
    {
        useTestIdentity();
        QVERIFY(dir.isValid());
    }

    void init()
    {
        QSettings settings;
        settings.clear();
        settings.sync();
        soup = writeShoppingRecipe(dir.filePath(QStringLiteral("book/soup.recipe.md")), "Soup",
                                   " * 500 g carrots, diced\n * 2 pcs onions\n * salt\n",
                                   "servings: 4\n");
        bread = writeShoppingRecipe(dir.filePath(QStringLiteral("book/bread.recipe.md")), "Bread",
                                    " * 750 g Carrots\n * 1/2 tsp salt\n * 2 eggs\n");
        QVERIFY(!soup.isEmpty() && !bread.isEmpty());
    }

    void addingTellsWhyNothingWasAdded_data()
    {
        QTest::addColumn<QString>("active");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QStringList>("recipes");
        QTest::newRow("no active recipe") << QString() << "No recipe to add" << QStringList();
        QTest::newRow("already listed")
            << "book/soup.recipe.md"
            << "Soup is already on the shopping list" << QStringList{"Soup | 4 servings"};
    }

    void addingTellsWhyNothingWasAdded()
    {
        QFETCH(QString, active);
        MainWindow window;
        window.show();
        auto* pane = dockPane<ShoppingListPane>(window, dockName);
        QVERIFY(pane);
        choose(window, soup);
        click(*pane, "addToShoppingList");
        QCOMPARE(statusText(window), QStringLiteral("Soup added to the shopping list"));
        QCOMPARE(shownRecipes(*pane), QStringList{"Soup | 4 servings"});
        if (!active.isEmpty())
            active = dir.filePath(active);
        choose(window, active);
        click(*pane, "addToShoppingList");
        QTEST(statusText(window), "message");
        QStringList recipes = QStringList{"Soup | 4 servings"};
        QCOMPARE(shownRecipes(*pane), recipes);
    }

    // Through the editors each row shows, as the user changes them; the
    // editors offer what the model allows.
    void amountEditorsChangeTheList()
    {
        ShoppingListPane pane;
        pane.show();
        QAbstractItemModelTester recipesTester(recipesView(pane)->model());
        QAbstractItemModelTester itemsTester(itemsView(pane)->model());
        pane.openPath(soup);
        pane.addCurrentRecipe();
        pane.openPath(bread);
        pane.addCurrentRecipe();
        QCOMPARE(shownRecipes(pane), QStringList({"Soup | 4 servings", "Bread | ×1"}));

        auto* servingsBox = pane.findChild<QSpinBox*>(QStringLiteral("servings"));
        auto* factorBox = pane.findChild<QComboBox*>(QStringLiteral("factor"));
        QVERIFY(servingsBox && factorBox);
        QCOMPARE(servingsBox->value(), 4);
        QCOMPARE(servingsBox->minimum(), 1);
        QCOMPARE(servingsBox->maximum(), 99);
        QCOMPARE(factorBox->currentText(), QStringLiteral("×1"));
        QCOMPARE(factorBox->count(), 40);
        QCOMPARE(factorBox->itemText(0), QStringLiteral("×½"));
        QCOMPARE(factorBox->itemText(39), QStringLiteral("×20"));
        servingsBox->setValue(1);
        factorBox->setCurrentIndex(39);
        emit factorBox->activated(39);
        QCOMPARE(shownRecipes(pane), QStringList({"Soup | 1 serving", "Bread | ×20"}));
        QCOMPARE(shownItems(pane),
                 QStringList({"15.13 kg carrots", "½ pcs onions", "10 tsp salt", "40 eggs"}));
        // Each recipe's own scaled amount, named in the tool tip.
        const QModelIndex carrots = itemsView(pane)->model()->index(0, 0);
        QCOMPARE(carrots.data(Qt::ToolTipRole).toString(),
                 QStringLiteral("Soup: 125 g\nBread: 15 kg"));
    }

    void copiesAMarkdownChecklist()
    {
        ShoppingListPane pane;
        pane.openPath(soup);
        pane.addCurrentRecipe();
        pane.openPath(bread);
        pane.addCurrentRecipe();
        QAbstractItemModel* items = itemsView(pane)->model();
        QVERIFY(items->setData(items->index(1, 0), Qt::Checked, Qt::CheckStateRole));
        QGuiApplication::clipboard()->clear();
        click(pane, "copyShoppingList");
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 QStringLiteral("- [ ] 1.25 kg carrots\n- [x] 2 pcs onions\n- [ ] ½ tsp salt\n"
                                "- [ ] 2 eggs\n"));
    }

    void keepsTheListAcrossRuns()
    {
        {
            MainWindow window;
            auto* pane = dockPane<ShoppingListPane>(window, dockName);
            choose(window, soup);
            click(*pane, "addToShoppingList");
            choose(window, bread);
            click(*pane, "addToShoppingList");
            QAbstractItemModel* recipes = recipesView(*pane)->model();
            QVERIFY(recipes->setData(recipes->index(0, 1), 2));
            QVERIFY(recipes->setData(recipes->index(1, 1), 3));
            QAbstractItemModel* items = itemsView(*pane)->model();
            QVERIFY(items->setData(items->index(2, 0), Qt::Checked, Qt::CheckStateRole));
        }
        {
            QSettings settings;
            QVERIFY(settings.childGroups().contains(QStringLiteral("ShoppingList")));
            QVERIFY(!settings.contains(QStringLiteral("General/recipes/size")));
        }
        // The ticked row last, as always.
        const QStringList kept = {"1.38 kg carrots", "1 pcs onions", "3 eggs", "¾ tsp salt"};
        {
            MainWindow window;
            auto* pane = dockPane<ShoppingListPane>(window, dockName);
            QCOMPARE(shownRecipes(*pane), QStringList({"Soup | 2 servings", "Bread | ×1½"}));
            QCOMPARE(shownItems(*pane), kept);
            QCOMPARE(itemsView(*pane)->model()->index(3, 0).data(Qt::CheckStateRole).toInt(),
                     int(Qt::Checked));
        }

        // A recipe gone since stays listed as missing and adds nothing.
        QVERIFY(QFile::remove(bread));
        MainWindow window;
        auto* pane = dockPane<ShoppingListPane>(window, dockName);
        QAbstractItemModelTester recipesTester(recipesView(*pane)->model());
        QAbstractItemModelTester itemsTester(itemsView(*pane)->model());
        QCOMPARE(shownRecipes(*pane), QStringList({"Soup | 2 servings", "Bread (missing) | ×1½"}));
        QCOMPARE(shownItems(*pane), QStringList({"250 g carrots", "1 pcs onions", "salt"}));
        recipesView(*pane)->setCurrentIndex(recipesView(*pane)->model()->index(1, 0));
        click(*pane, "removeFromShoppingList");
        QCOMPARE(shownRecipes(*pane), QStringList{"Soup | 2 servings"});
        click(*pane, "clearShoppingList");
        QCOMPARE(shownRecipes(*pane), QStringList());
        QCOMPARE(shownItems(*pane), QStringList());
    }

    void readsRecipesAgainWhenTheyChange()
    {
        QSettings().setValue(QStringLiteral("General/location"), dir.filePath("book"));
        MainWindow window;
        QTRY_COMPARE_WITH_TIMEOUT(statusText(window), QStringLiteral("Found 2 recipes"),
                                  scanTimeout);
        auto* pane = dockPane<ShoppingListPane>(window, dockName);
        choose(window, bread);
        click(*pane, "addToShoppingList");
        choose(window, soup);
        click(*pane, "addToShoppingList");
        QCOMPARE(shownItems(*pane).first(), QStringLiteral("1.25 kg Carrots"));

        // The active recipe saved in an editor.
        QVERIFY(!writeShoppingRecipe(soup, "Soup", " * 1 kg carrots\n", "servings: 4\n").isEmpty());
        QTRY_COMPARE(shownItems(*pane).first(), QStringLiteral("1.75 kg Carrots"));
        // Another listed recipe, changed by other tools: read after a scan.
        QVERIFY(!writeShoppingRecipe(bread, "Bread", " * 1 kg carrots\n").isEmpty());
        windowAction(window, QStringLiteral("reloadCollectionAction"))->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(shownItems(*pane), QStringList{"2 kg carrots"}, scanTimeout);
    }

    void sharesTheListFileWithOtherDevices_data()
    {
        QTest::addColumn<bool>("renameOver");
        QTest::newRow("written in place") << false;
        QTest::newRow("renamed over") << true;
    }

    // The list lives in the cookbook; what another device or program writes
    // there shows in the pane, and rows typed in the pane reach the file.
    void sharesTheListFileWithOtherDevices()
    {
        QFETCH(bool, renameOver);
        QTemporaryDir book;
        const QString pie =
            writeShoppingRecipe(book.filePath(QStringLiteral("Tartes/tarte à l'oignon.recipe.md")),
                                "Tarte à l'oignon", " * 2 pcs onions\n * 200 g Mehl\n");
        QVERIFY(!pie.isEmpty());
        QSettings().setValue(QStringLiteral("General/location"), book.path());
        QSettings().setValue(QStringLiteral("ShoppingListFile/movedToFile"), true);
        MainWindow window;
        QTRY_COMPARE_WITH_TIMEOUT(statusText(window), QStringLiteral("Found 1 recipes"),
                                  scanTimeout);
        auto* pane = dockPane<ShoppingListPane>(window, dockName);
        QAbstractItemModelTester itemsTester(itemsView(*pane)->model());
        choose(window, pie);
        click(*pane, "addToShoppingList");
        auto* field = pane->findChild<QLineEdit*>(QStringLiteral("addShoppingItem"));
        QVERIFY(field);
        field->setText(QStringLiteral("  Kaffee "));
        QTest::keyClick(field, Qt::Key_Return);
        QVERIFY(field->text().isEmpty());
        QCOMPARE(shownItems(*pane), QStringList({"2 pcs onions", "200 g Mehl", "Kaffee"}));
        QCOMPARE(itemsView(*pane)->model()->index(2, 0).data(ShoppingRowsModel::HandWrittenRole),
                 QVariant(true));
        const QString listPath = book.filePath(QStringLiteral("shopping-list.md"));
        const QByteArray written = readFile(listPath);
        QVERIFY2(
            written.contains("- [Tarte à l'oignon](Tartes/tarte%20à%20l'oignon.recipe.md) ×1\n"),
            written.constData());
        QVERIFY(written.endsWith("- [ ] 2 pcs onions\n- [ ] 200 g Mehl\n- [ ] Kaffee\n"));

        // Ticked and added to on the phone.
        QByteArray phone = written;
        phone.replace("- [ ] Kaffee", "- [x] Kaffee");
        phone += "- [ ] Brot\n";
        QVERIFY(otherprocess::writeFile(listPath, phone, renameOver));
        const QAbstractItemModel* items = itemsView(*pane)->model();
        QTRY_COMPARE(shownItems(*pane),
                     QStringList({"2 pcs onions", "200 g Mehl", "Brot", "Kaffee"}));
        QCOMPARE(items->index(3, 0).data(Qt::CheckStateRole).toInt(), int(Qt::Checked));

        // Removed by hand in the pane, written back with the phone's rows.
        itemsView(*pane)->setCurrentIndex(items->index(2, 0));
        pane->removeCurrentRow();
        QCOMPARE(shownItems(*pane), QStringList({"2 pcs onions", "200 g Mehl", "Kaffee"}));
        QVERIFY(readFile(listPath).endsWith("- [ ] 200 g Mehl\n- [x] Kaffee\n"));
    }

    void garbageSettingsGiveAnEmptyList_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QVariant>("value");
        QTest::newRow("huge count") << "recipes/size" << QVariant(2147483647);
        QTest::newRow("path is a list") << "recipes/1/path" << QVariant(QStringList{soup, soup});
        QTest::newRow("path of a device") << "recipes/1/path" << QVariant("/dev/zero");
        QTest::newRow("bytes") << "recipes" << QVariant(QByteArray("\x00\xff\xfe", 3));
    }

    void garbageSettingsGiveAnEmptyList()
    {
        QFETCH(QString, key);
        QFETCH(QVariant, value);
        {
            QSettings settings;
            settings.beginGroup(QStringLiteral("ShoppingList"));
            if (key.startsWith(QStringLiteral("recipes/1/")))
                settings.setValue(QStringLiteral("recipes/size"), 1);
            settings.setValue(QStringLiteral("ticked"), QVariant(12));
            settings.setValue(key, value);
        }
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto* pane = dockPane<ShoppingListPane>(window, dockName);
        QCOMPARE(shownItems(*pane), QStringList());
        QCOMPARE(recipesView(*pane)->model()->rowCount(), 0);
        QVERIFY(!window.findChild<QDockWidget*>(dockName)->isVisible());
    }

    void theDockComesAfterTheSevenAndOpensByItsShortcut()
    {
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QList<QDockWidget*> docks =
            window.findChildren<QDockWidget*>(QString(), Qt::FindDirectChildrenOnly);
        QStringList names;
        for (const QDockWidget* dock : docks)
            names.append(dock->objectName() + (dock->isVisible() ? "+" : "-"));
        QCOMPARE(names.mid(0, 7),
                 QStringList({"Raw view-", "Recipes+", "Metadata-", "Ingredients line-", "Title+",
                              "Tags+", "Ingredients+"}));
        QVERIFY(names.indexOf(QStringLiteral("Shopping list-")) >= 7);
        QDockWidget* dock = window.findChild<QDockWidget*>(dockName);
        QCOMPARE(dock->windowTitle(), dockName);
        QCOMPARE(window.dockWidgetArea(dock), Qt::RightDockWidgetArea);
        QVERIFY(window.tabifiedDockWidgets(dock).isEmpty());

        QTest::keyClick(&window, Qt::Key_L, Qt::ControlModifier | Qt::ShiftModifier);
        QTRY_VERIFY(dock->isVisible());
        QTRY_COMPARE(QApplication::focusWidget(), itemsView(*dock->widget()));
    }

    void printsTheList()
    {
        ShoppingListPane pane;
        pane.openPath(soup);
        pane.addCurrentRecipe();
        const QString printable = pane.printableDocument()->toPlainText();
        QCOMPARE(printable, QStringLiteral("Shopping list\nSoup, 4 servings\n500 g carrots\n"
                                           "2 pcs onions\nsalt"));

        int pages = 0;
        QVERIFY(answerModal<QPrintPreviewDialog>(
            [&] { click(pane, "printPreviewShoppingList"); },
            [&](QPrintPreviewDialog* dialog) {
                pages = dialog->findChild<QPrintPreviewWidget*>()->pageCount();
                dialog->reject();
            }));
        QCOMPARE(pages, 1);

        const QString pdf = dir.filePath(QStringLiteral("list.pdf"));
        QVERIFY(answerModal<QPrintDialog>([&] { click(pane, "printShoppingList"); },
                                          [&](QPrintDialog* dialog) {
                                              dialog->printer()->setOutputFormat(
                                                  QPrinter::PdfFormat);
                                              dialog->printer()->setOutputFileName(pdf);
                                              dialog->done(QDialog::Accepted);
                                          }));
        QFile file(pdf);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.read(5), QByteArray("%PDF-"));
    }
};

QTEST_MAIN(ShoppingListPaneTest)
#include "tst_shoppinglistpane.moc"
