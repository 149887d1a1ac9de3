#include "find/findpane.h"
#include "mainwindow.h"
#include "pantry/pantrypane.h"
#include "pantry/pantrysession.h"
#include "shopping/shoppinglistpane.h"
#include "support/desktoptesthelpers.h"

#include <QAbstractItemModelTester>
#include <QCompleter>
#include <QDockWidget>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QStringListModel>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>

using namespace testing;

namespace {

constexpr int scanTimeout = 60000;

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList shownItems(QWidget& pane)
{
    QStringList texts;
    const QAbstractItemModel* model =
        pane.findChild<QListView*>(QStringLiteral("pantryItems"))->model();
    for (int row = 0; row < model->rowCount(); ++row)
        texts.append(model->index(row, 0).data().toString());
    return texts;
}

void typeInto(QWidget& pane, const char* field, const QString& text)
{
    auto* edit = pane.findChild<QLineEdit*>(QLatin1String(field));
    QVERIFY2(edit, field);
    // Typed as an input method gives it: key clicks know only Latin-1.
    edit->setText(text);
    QTest::keyClick(edit, Qt::Key_Return);
}

void click(QWidget& pane, const char* button)
{
    auto* found = pane.findChild<QPushButton*>(QLatin1String(button));
    QVERIFY2(found, button);
    QTest::mouseClick(found, Qt::LeftButton);
}

} // namespace

// The Pantry dock and the shopping list's pantry button, driven as a user
// does, in a window of 800×600.
class PantryPaneTest : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    QString book;
    QString dal;

    QString pantryPath() const { return QDir(book).filePath(QStringLiteral("pantry.md")); }

private slots:
    void initTestCase()
    {
        useTestIdentity();
        QVERIFY(dir.isValid());
    }

    void init()
    {
        QSettings().clear();
        book = dir.filePath(QStringLiteral("book%1").arg(QTest::currentTestFunction()));
        dal = QDir(book).filePath(QStringLiteral("Indisch/dal.recipe.md"));
        QVERIFY(writeFile(dal, "# Masoor Dal mit sehr langem Namen für kleine Fenster\n\n"
                               "### Ingredients\n\n * 750 g red lentils\n * 2 Zwiebeln\n"
                               " * 1 TL Kurkuma\n * salt\n\n### Directions\n\nKochen.\n\n"
                               "### Metadata\n\nservings: 4\n"));
        QVERIFY(writeFile(pantryPath(), "# Pantry\n\nIm Keller.\n\n- 500 g red lentils\n"
                                        "- 2 kg Basmati-Reis aus dem indischen Laden um die "
                                        "Ecke, der immer mittwochs geschlossen hat\n"));
    }

    void theKitchenToolBarShowsThePantryDock()
    {
        MainWindow window;
        window.resize(800, 600);
        window.show();
        const QString folder = book;
        window.setFolderQuestion([folder] { return folder; });
        windowAction(window, QStringLiteral("openCollectionAction"))->trigger();
        auto* dock = window.findChild<QDockWidget*>(QStringLiteral("pantryDock"));
        QVERIFY(dock);
        QVERIFY(!dock->isVisible());
        QAction* action = windowAction(window, QStringLiteral("pantryAction"));
        QVERIFY(action);
        auto* kitchen = window.findChild<QToolBar*>(QStringLiteral("kitchenToolBar"));
        QVERIFY(kitchen->actions().contains(action));
        action->trigger();
        QVERIFY(dock->isVisible());
        auto* pane = qobject_cast<PantryPane*>(dock->widget());
        QVERIFY(pane);
        QTRY_COMPARE_WITH_TIMEOUT(shownItems(*pane).size(), 2, scanTimeout);
        QVERIFY(shownItems(*pane).first() == QStringLiteral("500 g red lentils"));
        // Long items wrap: nothing wider than the window.
        auto* items = pane->findChild<QListView*>(QStringLiteral("pantryItems"));
        QVERIFY(pane->width() <= 800);
        QCOMPARE(items->horizontalScrollBar()->maximum(), 0);
        // "From my pantry" in the Find pane cooks from this pantry.
        QCOMPARE(window.findChild<FindPane*>()->search()->pantry(), pane->session());
        // The names offered are the ones the Find pane offers.
        QTRY_VERIFY_WITH_TIMEOUT(!pane->session()->suggestions(QStringLiteral("red")).isEmpty(),
                                 scanTimeout);
        auto* field = pane->findChild<QLineEdit*>(QStringLiteral("addPantryItem"));
        QTest::keyClicks(field, QStringLiteral("1 kg red le"));
        QTRY_VERIFY_WITH_TIMEOUT(field->completer()->model()->rowCount() > 0, scanTimeout);
        QCOMPARE(field->completer()->model()->index(0, 0).data().toString(),
                 QStringLiteral("1 kg red lentils"));
    }

    void addsChangesAndRemovesItems()
    {
        PantryPane pane;
        pane.resize(800, 600);
        pane.show();
        QAbstractItemModelTester tester(pane.session()->itemsModel(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        pane.setCollectionPath(book);
        typeInto(pane, "addPantryItem", QStringLiteral("250 g red lentils"));
        typeInto(pane, "addPantryItem", QStringLiteral("白蘑菇 200 克"));
        QCOMPARE(shownItems(pane).first(), QStringLiteral("750 g red lentils"));
        QCOMPARE(shownItems(pane).last(), QStringLiteral("白蘑菇 200 克"));
        QVERIFY(pane.findChild<QLineEdit*>(QStringLiteral("addPantryItem"))->text().isEmpty());

        auto* items = pane.findChild<QListView*>(QStringLiteral("pantryItems"));
        items->setCurrentIndex(items->model()->index(0, 0));
        auto* amount = pane.findChild<QLineEdit*>(QStringLiteral("pantryAmount"));
        QCOMPARE(amount->text(), QStringLiteral("750 g"));
        amount->setText(QStringLiteral("1 kg"));
        click(pane, "setPantryAmount");
        QCOMPARE(shownItems(pane).first(), QStringLiteral("1 kg red lentils"));
        items->setCurrentIndex(items->model()->index(1, 0));
        click(pane, "removePantryItem");
        QCOMPARE(readFile(pantryPath()),
                 QByteArray("# Pantry\n\nIm Keller.\n\n- 1 kg red lentils\n- 白蘑菇 200 克\n"));
    }

    void asksBeforeTakingACookedRecipeOut()
    {
        PantryPane pane;
        pane.setCollectionPath(book);
        QStringList asked;
        bool answer = false;
        pane.setTakeOutQuestion([&](QWidget*, const QString& text) {
            asked.append(text);
            return answer;
        });
        pane.offerTakeOut(dal, 2);
        QCOMPARE(asked.size(), 1);
        QVERIFY(asked.first().contains(QStringLiteral("red lentils")));
        QCOMPARE(shownItems(pane).first(), QStringLiteral("500 g red lentils"));
        answer = true;
        pane.offerTakeOut(dal, 2);
        QCOMPARE(shownItems(pane).first(), QStringLiteral("125 g red lentils"));
        // A recipe the pantry holds nothing of asks nothing.
        pane.offerTakeOut(QDir(book).filePath(QStringLiteral("gone.recipe.md")), 0);
        QCOMPARE(asked.size(), 2);
    }

    void theShoppingListShowsThePantrysPartAndPutsTickedRowsAway()
    {
        ShoppingListPane pane;
        pane.resize(800, 600);
        pane.show();
        pane.setCollectionPath(book);
        pane.openPath(dal);
        pane.addCurrentRecipe();
        auto* items = pane.findChild<QListView*>(QStringLiteral("shoppingItems"));
        QAbstractItemModel* rows = items->model();
        QCOMPARE(rows->index(0, 0).data().toString(),
                 QStringLiteral("250 g red lentils (500 g in the pantry)"));
        QVERIFY(rows->setData(rows->index(0, 0), Qt::Checked, Qt::CheckStateRole));
        click(pane, "putTickedInPantry");
        QVERIFY(readFile(pantryPath()).contains("- 750 g red lentils\n"));
        QCOMPARE(rows->index(rows->rowCount() - 1, 0).data().toString(),
                 QStringLiteral("red lentils (750 g in the pantry)"));
    }
};

QTEST_MAIN(PantryPaneTest)
#include "tst_pantrypane.moc"
