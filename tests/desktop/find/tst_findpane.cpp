// The Find pane on its own over a real Scanner and real files, and inside the
// window: what it finds and says, the recipes lacking one ingredient, click
// and Enter, rescans and other collections, cookbooks with files no recipe
// should be, and the dock that Ctrl+F shows.
#include "collection/scanner.h"
#include "find/chosennamesedit.h"
#include "find/findpane.h"
#include "mainwindow.h"
#include "support/desktoptesthelpers.h"
#include "support/hostilecookbooks.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QSignalSpy>
#include <QStringListModel>
#include <QTemporaryDir>
#include <QTreeView>
#include <QtTest>

#include <sys/stat.h>

using namespace testing;

namespace {

constexpr int timeout = 30000;

// A pane fed by its own scanner, as the window feeds it.
struct ScannedPane
{
    explicit ScannedPane(const QString& folder, bool shown = true)
    {
        pane.setScanner(&scanner);
        pane.resize(400, 500);
        pane.setVisible(shown);
        scan(folder);
    }
    void scan(const QString& folder)
    {
        QSignalSpy updated(&scanner, &Scanner::dataUpdated);
        scanner.setRootPath(folder);
        QVERIFY(updated.wait(timeout));
    }
    void rescan()
    {
        QSignalSpy updated(&scanner, &Scanner::dataUpdated);
        scanner.doUpdate();
        QVERIFY(updated.wait(timeout));
    }
    QLineEdit* text() { return pane.findChild<QLineEdit*>(QStringLiteral("findText")); }
    ChosenNamesEdit* ingredients()
    {
        return pane.findChild<ChosenNamesEdit*>(QStringLiteral("findIngredients"));
    }
    ChosenNamesEdit* tags() { return pane.findChild<ChosenNamesEdit*>(QStringLiteral("findTags")); }
    QTreeView* view() { return pane.findChild<QTreeView*>(QStringLiteral("findResults")); }
    QString label() { return pane.findChild<QLabel*>(QStringLiteral("findCount"))->text(); }
    // Each row as "title" or "title|missing: name".
    QStringList rows()
    {
        QStringList rows;
        const QAbstractItemModel* model = view()->model();
        for (int row = 0; row < model->rowCount(); ++row) {
            QString shown = model->index(row, 0).data().toString();
            const QString missing = model->index(row, 1).data().toString();
            if (!missing.isEmpty())
                shown += QLatin1Char('|') + missing;
            rows << shown;
        }
        return rows;
    }
    // Types and asks at once (Enter), without waiting for the typing pause.
    void type(const QString& typed)
    {
        text()->setText(typed);
        QTest::keyClick(text(), Qt::Key_Return);
    }

    Scanner scanner;
    FindPane pane;
};

void writeSampleCookbook(const QString& folder)
{
    writeRecipe(folder, QStringLiteral("soups/tomato.recipe.md"), QStringLiteral("Tomato Soup"),
                {QStringLiteral("soup"), QStringLiteral("vegetarian")},
                {QStringLiteral("red onions"), QStringLiteral("garlic"), QStringLiteral("basil")});
    writeRecipe(folder, QStringLiteral("soups/pea.recipe.md"), QStringLiteral("Pea Soup"),
                {QStringLiteral("soup")}, {QStringLiteral("Onions"), QStringLiteral("carrots")});
    writeRecipe(folder, QStringLiteral("pesto.recipe.md"), QStringLiteral("Basil Pesto"),
                {QStringLiteral("Quick")},
                {QStringLiteral("basil"), QStringLiteral("garlic"), QStringLiteral("pine nuts")});
    writeRecipe(folder, QStringLiteral("brulee.recipe.md"), QStringLiteral("Crème Brûlée"),
                {QStringLiteral("dessert")}, {QStringLiteral("cream"), QStringLiteral("sugar")});
    writeRecipe(folder, QStringLiteral("rice.recipe.md"), QStringLiteral("Fried Rice"),
                {QStringLiteral("quick")}, {QStringLiteral("rice"), QStringLiteral("scallions")});
}

} // namespace

class FindPaneTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        useTestIdentity();
        QVERIFY(m_cookbook.isValid());
        writeSampleCookbook(m_cookbook.path());
    }

    void findsByTextIngredientsAndTags_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("ingredients");
        QTest::addColumn<QStringList>("tags");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("label");
        const QStringList none;
        QTest::newRow("no condition")
            << QString() << none << none << none << "Type a word or choose an ingredient or tag";
        QTest::newRow("blanks only")
            << "   " << none << none << none << "Type a word or choose an ingredient or tag";
        QTest::newRow("accents and case")
            << "creme BRULEE" << none << none << QStringList{"Crème Brûlée"} << "1 recipes";
        QTest::newRow("title order")
            << "soup" << none << none << QStringList{"Pea Soup", "Tomato Soup"} << "2 recipes";
        QTest::newRow("text of the directions")
            << "cook" << none << none
            << QStringList{"Basil Pesto", "Crème Brûlée", "Fried Rice", "Pea Soup", "Tomato Soup"}
            << "5 recipes";
        QTest::newRow("nothing found") << "caramel" << none << none << none << "0 recipes";
        QTest::newRow("ingredient at a word start")
            << QString() << QStringList{"onion"} << none << QStringList{"Pea Soup", "Tomato Soup"}
            << "2 recipes";
        QTest::newRow("ingredient inside words only")
            << QString() << QStringList{"ice"} << none << none << "0 recipes";
        QTest::newRow("ingredients, one missing")
            << QString() << QStringList{"onion", "basil"} << none
            << QStringList{"Tomato Soup", "Basil Pesto|missing: onion", "Pea Soup|missing: basil"}
            << "1 recipes";
        QTest::newRow("nothing has all three")
            << QString() << QStringList{"onion", "basil", "cream"} << none
            << QStringList{"Tomato Soup|missing: cream"} << "0 recipes";
        QTest::newRow("tag without case")
            << QString() << none << QStringList{"QUICK"} << QStringList{"Basil Pesto", "Fried Rice"}
            << "2 recipes";
        QTest::newRow("all kinds at once") << "dish" << QStringList{"garlic"} << QStringList{"soup"}
                                           << QStringList{"Tomato Soup"} << "1 recipes";
    }

    void findsByTextIngredientsAndTags()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, ingredients);
        QFETCH(QStringList, tags);
        QFETCH(QStringList, rows);
        ScannedPane scanned(m_cookbook.path());
        QAbstractItemModelTester tester(scanned.view()->model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(scanned.label(), QStringLiteral("Type a word or choose an ingredient or tag"));
        for (const QString& name : ingredients)
            scanned.ingredients()->addName(name);
        for (const QString& name : tags)
            scanned.tags()->addName(name);
        scanned.text()->setText(text); // searched once typing pauses
        QFETCH(QString, label);
        QTRY_COMPARE_WITH_TIMEOUT(scanned.label(), label, timeout);
        QCOMPARE(scanned.rows(), rows);
        const QAbstractItemModel* model = scanned.view()->model();
        for (int row = 0; row < model->rowCount(); ++row) {
            const QString path = model->index(row, 0).data(PathRole).toString();
            QVERIFY(QFileInfo(path).isAbsolute());
            QCOMPARE(scanned.scanner.titlesByPath().value(path),
                     model->index(row, 0).data().toString());
        }
    }

    // Ingredients are chosen by the names people write, not only by lines of
    // three words: two-word lines, names after the number, names first.
    void choosesIngredientsAsPeopleWriteThem_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("two-word line") << "onion" << QStringList{"Zwiebelkuchen", "Zwiebelsuppe"};
        QTest::newRow("cloves after the name") << "garlic" << QStringList{"Aioli"};
        QTest::newRow("German two words") << "Knoblauchzehen" << QStringList{"Zwiebelsuppe"};
        QTest::newRow("Chinese name first") << "白蘑菇" << QStringList{"蘑菇汤"};
        QTest::newRow("Chinese with colon") << "盐" << QStringList{"蘑菇汤"};
        QTest::newRow("glued amount") << "potatoes" << QStringList{"Aioli"};
        QTest::newRow("prose is no ingredient") << "stir" << QStringList{};
    }

    void choosesIngredientsAsPeopleWriteThem()
    {
        QFETCH(QString, chosen);
        QFETCH(QStringList, rows);
        QTemporaryDir cookbook;
        QVERIFY(writeFile(cookbook.filePath(QStringLiteral("aioli.recipe.md")),
                          "# Aioli\n\n### Ingredients\n\n * 2 garlic cloves\n"
                          " * 500g potatoes\n\nStir well.\n"));
        QVERIFY(writeFile(cookbook.filePath(QStringLiteral("kuchen.recipe.md")),
                          "# Zwiebelkuchen\n\n### Ingredients\n\n- 1/2 onion\n- 2 Eier\n"));
        QVERIFY(writeFile(cookbook.filePath(QStringLiteral("suppe.recipe.md")),
                          "# Zwiebelsuppe\n\n### Ingredients\n\n- 3 Onions\n"
                          "- 2 Knoblauchzehen\n"));
        QVERIFY(writeFile(cookbook.filePath(QStringLiteral("mogu.recipe.md")),
                          "# 蘑菇汤\n\n### Ingredients\n\n- 白蘑菇 200 克\n- 盐: 2 g\n"));
        ScannedPane scanned(cookbook.path());
        // Names equal without regard to case are offered once.
        const QStringList offered =
            scanned.ingredients()->findChild<QStringListModel*>()->stringList();
        QCOMPARE(offered.filter(QStringLiteral("onion"), Qt::CaseInsensitive).size(), 2);
        QVERIFY(offered.contains(QStringLiteral("白蘑菇")));
        scanned.ingredients()->addName(chosen);
        const QString label = QStringLiteral("%1 recipes").arg(rows.size());
        QTRY_COMPARE_WITH_TIMEOUT(scanned.label(), label, timeout);
        QCOMPARE(scanned.rows(), rows);
    }

    void saysItIsReadingUntilTheIndexIsBuilt()
    {
        ScannedPane scanned(m_cookbook.path(), false); // builds nothing until asked
        scanned.type(QStringLiteral("pesto"));
        QCOMPARE(scanned.label(), QStringLiteral("Reading 5 recipes…"));
        QTRY_COMPARE_WITH_TIMEOUT(scanned.label(), QStringLiteral("1 recipes"), timeout);
        QCOMPARE(scanned.rows(), QStringList{"Basil Pesto"});
    }

    void clickAndEnterAnnounceThePath()
    {
        ScannedPane scanned(m_cookbook.path());
        QSignalSpy selected(&scanned.pane, &FindPane::fileSelected);
        scanned.type(QStringLiteral("soup"));
        QTRY_COMPARE_WITH_TIMEOUT(scanned.rows().size(), 2, timeout);
        QTreeView* view = scanned.view();
        const QModelIndex first = view->model()->index(0, 0);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier,
                          view->visualRect(first).center());
        QCOMPARE(selected.size(), 1);
        QCOMPARE(selected.at(0).at(0).toString(), m_cookbook.filePath("soups/pea.recipe.md"));

        // Down from the search field into the results, Down again, Enter.
        QTest::keyClick(scanned.text(), Qt::Key_Down);
        QCOMPARE(view->currentIndex().row(), 0);
        QTest::keyClick(view, Qt::Key_Down);
        QTest::keyClick(view, Qt::Key_Return);
        QCOMPARE(selected.size(), 2);
        QCOMPARE(selected.at(1).at(0).toString(), m_cookbook.filePath("soups/tomato.recipe.md"));
    }

    void followsRescansAndOtherCollections()
    {
        QTemporaryDir cookbook;
        writeSampleCookbook(cookbook.path());
        ScannedPane scanned(cookbook.path());
        scanned.ingredients()->addName(QStringLiteral("onion"));
        scanned.type(QStringLiteral("soup"));
        QTRY_COMPARE_WITH_TIMEOUT(scanned.rows(), (QStringList{"Pea Soup", "Tomato Soup"}),
                                  timeout);

        writeRecipe(cookbook.path(), QStringLiteral("onion.recipe.md"),
                    QStringLiteral("Onion Soup"), {}, {QStringLiteral("white onions")});
        QVERIFY(QFile::remove(cookbook.filePath(QStringLiteral("soups/pea.recipe.md"))));
        scanned.rescan();
        QTRY_COMPARE_WITH_TIMEOUT(scanned.rows(), (QStringList{"Onion Soup", "Tomato Soup"}),
                                  timeout);

        // Another collection without onions: the conditions stay and find nothing.
        QTemporaryDir other;
        writeRecipe(other.path(), QStringLiteral("leek.recipe.md"), QStringLiteral("Leek Soup"), {},
                    {QStringLiteral("leeks")});
        scanned.scan(other.path());
        QTRY_COMPARE_WITH_TIMEOUT(scanned.label(), QStringLiteral("0 recipes"), timeout);
        QCOMPARE(scanned.rows(), QStringList{});
        QCOMPARE(scanned.ingredients()->chosen(), QStringList{"onion"});
        QCOMPARE(scanned.text()->text(), QStringLiteral("soup"));
        scanned.ingredients()->removeName(QStringLiteral("onion"));
        QTRY_COMPARE_WITH_TIMEOUT(scanned.rows(), QStringList{"Leek Soup"}, timeout);
        QCOMPARE(scanned.label(), QStringLiteral("1 recipes"));
    }

    void filesNoRecipeShouldBeDoNoHarm()
    {
        QTemporaryDir cookbook;
        const QString root = cookbook.path();
        QVERIFY(writeFile(root + "/utf8.recipe.md", "# Bad \xc3\x28 bytes\n\nsoup \xff\xfe\n"));
        QVERIFY(writeFile(root + "/nul.recipe.md", QByteArray("# Nul\n\0soup\0\n", 13)));
        QVERIFY(writeFile(root + "/long.recipe.md",
                          "# Long line\n" + QByteArray(1024 * 1024, 'y') + " soup\n"));
        QVERIFY(writeFile(root + "/gone.recipe.md", "# Gone\n\nsoup\n"));
        QVERIFY(writeFile(root + "/folder.recipe.md", "# Now a folder\n\nsoup\n"));
        QCOMPARE(::mkfifo(QFile::encodeName(root + "/fifo.recipe.md").constData(), 0600), 0);
        // Hidden, so that the files are read when searched, not when scanned.
        ScannedPane scanned(root, false);
        // Changed between the scan and the search.
        QVERIFY(QFile::remove(root + "/gone.recipe.md"));
        QVERIFY(QFile::remove(root + "/folder.recipe.md"));
        QVERIFY(QDir().mkpath(root + "/folder.recipe.md"));
        const QByteArray digest = hostile::treeDigest(root);

        scanned.type(QStringLiteral("soup"));
        QTRY_COMPARE_WITH_TIMEOUT(scanned.label(), QStringLiteral("3 recipes"), timeout);
        QCOMPARE(scanned.rows(),
                 (QStringList{QString::fromUtf8("Bad \xef\xbf\xbd( bytes"), "Long line", "Nul"}));
        QCOMPARE(hostile::treeDigest(root), digest);
    }

    void theWindowShowsTheDockWithCtrlF()
    {
        QSettings().clear();
        {
            QSettings settings;
            settings.setValue(QStringLiteral("General/location"), m_cookbook.path());
        }
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        const QList<QDockWidget*> docks =
            window.findChildren<QDockWidget*>(QString(), Qt::FindDirectChildrenOnly);
        auto* dock = window.findChild<QDockWidget*>(QStringLiteral("Find"));
        QVERIFY(dock);
        QVERIFY(docks.indexOf(dock) >= 7); // after the seven docks of the frame
        QCOMPARE(dock->windowTitle(), QStringLiteral("Find"));
        QCOMPARE(window.dockWidgetArea(dock), Qt::RightDockWidgetArea);
        QVERIFY(!dock->isVisible());
        QVERIFY(dockPane<FindPane>(window, QStringLiteral("Find")));

        QTest::keyClick(&window, Qt::Key_F, Qt::ControlModifier);
        QVERIFY(dock->isVisible());
        auto* text = dock->findChild<QLineEdit*>(QStringLiteral("findText"));
        QTRY_VERIFY(text->hasFocus());
        QCOMPARE(text->placeholderText(), QStringLiteral("Search the text of every recipe"));

        // A found recipe goes to the recipe view like any other pane's.
        QTRY_COMPARE_WITH_TIMEOUT(statusText(window), QStringLiteral("Found 5 recipes"), timeout);
        QTest::keyClicks(text, QStringLiteral("pine"));
        auto* view = dock->findChild<QTreeView*>(QStringLiteral("findResults"));
        QTRY_COMPARE_WITH_TIMEOUT(view->model()->rowCount(), 1, timeout);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier,
                          view->visualRect(view->model()->index(0, 0)).center());
        QVERIFY(shownText(window).startsWith(QStringLiteral("Basil Pesto")));
    }

private:
    QTemporaryDir m_cookbook;
};

QTEST_MAIN(FindPaneTest)
#include "tst_findpane.moc"
