// The Find pane on its own over a real Scanner and real files, and inside the
// window: its fields drive the search, Enter in a name field chooses what was
// typed, click and Enter on a result, and the dock that Ctrl+F shows. What the
// search finds is tested with the search (tests/core/search).
#include "collection/scanner.h"
#include "find/chosennamesedit.h"
#include "find/findpane.h"
#include "mainwindow.h"
#include "pantry/pantrysession.h"
#include "planning/cookingjournal.h"
#include "planning/cookingjournalfile.h"
#include "search/recipesearch.h"
#include "support/desktoptesthelpers.h"

#include <QAbstractItemModelTester>
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QCompleter>
#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTreeView>
#include <QtTest>

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
    QLineEdit* text() { return pane.findChild<QLineEdit*>(QStringLiteral("findText")); }
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

    // The text field, Enter in it and the status line go through the search.
    void theTextFieldDrivesTheSearch()
    {
        ScannedPane scanned(m_cookbook.path());
        QAbstractItemModelTester tester(scanned.view()->model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(scanned.view()->model(), scanned.pane.search()->results());
        QCOMPARE(scanned.label(), QStringLiteral("Type a word or choose an ingredient or tag"));
        QTest::keyClicks(scanned.text(), QStringLiteral("soup"));
        QCOMPARE(scanned.pane.search()->text(), QStringLiteral("soup"));
        QTest::keyClick(scanned.text(), Qt::Key_Return);
        QTRY_COMPARE_WITH_TIMEOUT(scanned.label(), QStringLiteral("2 recipes"), timeout);
        QCOMPARE(scanned.rows(), (QStringList{"Pea Soup", "Tomato Soup"}));
        QCOMPARE(scanned.label(), scanned.pane.search()->status());
    }

    // The journal's switches go through the search's journal filter: the
    // favourites alone, the favourites last cooked first, and with the
    // pane at its narrowest width the switches whole.
    void theJournalSwitchesDriveTheSearch()
    {
        QTemporaryDir cookbook;
        writeSampleCookbook(cookbook.path());
        QVERIFY(writeFile(cookbook.filePath(cookingJournalFileName()),
                          "# Cooking journal\n\n"
                          "- 2026-11-20 [Tomato Soup](soups/tomato.recipe.md) ★★★★☆\n"
                          "- 2026-12-20 [Fried Rice](rice.recipe.md) *****\n"
                          "- 2026-12-24 [Basil Pesto](pesto.recipe.md) 2/5\n"));
        CookingJournal journal;
        journal.setDateSource([] { return QDate(2026, 12, 28); });
        journal.setCollectionPath(cookbook.path());
        ScannedPane scanned(cookbook.path());
        scanned.pane.setJournal(&journal);
        const auto box = [&](const char* name) {
            return scanned.pane.findChild<QCheckBox*>(QLatin1String(name));
        };
        box("findFavourites")->click();
        QTRY_COMPARE(scanned.rows(), (QStringList{"Fried Rice", "Tomato Soup"}));
        QCOMPARE(scanned.label(), QStringLiteral("2 recipes"));
        box("findByLastCooked")->click();
        QTRY_COMPARE(scanned.rows(), (QStringList{"Fried Rice", "Tomato Soup"}));
        box("findFavourites")->click();
        box("findNotCookedLately")->click();
        QTRY_COMPARE(scanned.rows(), (QStringList{"Tomato Soup", "Crème Brûlée", "Pea Soup"}));
        scanned.pane.resize(scanned.pane.minimumSizeHint().width(), 500);
        for (const char* name : {"findFavourites", "findNotCookedLately", "findByLastCooked"})
            QVERIFY(box(name)->width() >= box(name)->sizeHint().width());
    }

    // "From my pantry" asks the search for what the pantry can cook, then
    // what it lacks one or two ingredients of, each row saying what; at the
    // pane's narrowest the switch stays whole.
    void thePantrySwitchDrivesTheSearch()
    {
        QTemporaryDir cookbook;
        writeSampleCookbook(cookbook.path());
        QVERIFY(writeFile(cookbook.filePath("pantry.md"),
                          "# Pantry\n\n- basil\n- 2 heads garlic\n- 100 g pine nuts\n"
                          "- 200 ml cream\n"));
        PantrySession pantry;
        pantry.setCollectionPath(cookbook.path());
        ScannedPane scanned(cookbook.path());
        scanned.pane.setPantry(&pantry);
        auto* box = scanned.pane.findChild<QCheckBox*>(QStringLiteral("findFromPantry"));
        QVERIFY(box);
        box->click();
        QVERIFY(scanned.pane.search()->fromPantry());
        const QStringList cookable{"Basil Pesto", "Crème Brûlée", "Tomato Soup|missing: red onions",
                                   "Fried Rice|missing: rice, scallions",
                                   "Pea Soup|missing: carrots, Onions"};
        QTRY_COMPARE_WITH_TIMEOUT(scanned.rows(), cookable, timeout);
        QCOMPARE(scanned.label(), QStringLiteral("2 recipes"));
        scanned.type(QStringLiteral("soup"));
        QTRY_COMPARE_WITH_TIMEOUT(
            scanned.rows(),
            (QStringList{"Tomato Soup|missing: red onions", "Pea Soup|missing: carrots, Onions"}),
            timeout);
        box->click();
        QTRY_COMPARE_WITH_TIMEOUT(scanned.rows(), (QStringList{"Pea Soup", "Tomato Soup"}),
                                  timeout);
        scanned.pane.resize(scanned.pane.minimumSizeHint().width(), 500);
        QVERIFY(box->width() >= box->sizeHint().width());
    }

    // Enter in the ingredient or tag field chooses what was typed, even with
    // names offered; an offered name is chosen when picked with the arrow
    // keys; a chosen name's button drops it.
    void theNameFieldsChooseWhatWasTyped_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("downs");
        QTest::addColumn<QStringList>("chosen");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("ingredient typed")
            << "findIngredients"
            << "Zwiebel" << 0 << QStringList{"Zwiebel"} << QStringList{"Kuchen", "Salat", "Suppe"};
        QTest::newRow("ingredient picked")
            << "findIngredients"
            << "rote" << 1 << QStringList{"rote Zwiebel"} << QStringList{"Salat"};
        QTest::newRow("tag typed") << "findTags"
                                   << "Sal" << 0 << QStringList{"Sal"} << QStringList{};
        QTest::newRow("tag picked") << "findTags"
                                    << "sal" << 1 << QStringList{"salat"} << QStringList{"Salat"};
    }

    void theNameFieldsChooseWhatWasTyped()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(int, downs);
        QFETCH(QStringList, chosen);
        QFETCH(QStringList, rows);
        QTemporaryDir cookbook;
        QVERIFY(writeOnionCookbook(cookbook.path()));
        ScannedPane scanned(cookbook.path());
        scanned.pane.show();
        QVERIFY(QTest::qWaitForWindowExposed(&scanned.pane));
        auto* names = scanned.pane.findChild<ChosenNamesEdit*>(field);
        QLineEdit* edit = names->lineEdit();
        edit->setFocus();
        QTest::keyClicks(edit, typed);
        // Names are offered; the keys go to their list, as they would.
        QWidget* offered = names->completer()->popup();
        QTRY_VERIFY(offered->isVisible());
        for (int i = 0; i < downs; ++i)
            QTest::keyClick(offered, Qt::Key_Down);
        QTest::keyClick(offered, Qt::Key_Return);
        RecipeSearch* search = scanned.pane.search();
        const QStringList picked =
            field == QLatin1String("findTags") ? search->tags() : search->ingredients();
        QCOMPARE(picked.size(), 1);
        QVERIFY2(chosen.contains(picked.first()), qPrintable(picked.first()));
        QCOMPARE(names->chosen(), picked);
        QTRY_COMPARE(edit->text(), QString());
        QVERIFY(!offered->isVisible());
        QTRY_COMPARE_WITH_TIMEOUT(scanned.rows(), rows, timeout);

        auto* drop = names->findChild<QToolButton*>();
        QVERIFY(drop);
        QCOMPARE(drop->text(), picked.first());
        drop->click();
        QCOMPARE(search->ingredients().size() + search->tags().size(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(
            scanned.label(), QStringLiteral("Type a word or choose an ingredient or tag"), timeout);
    }

    // The search reads the collection ahead only while the pane is shown.
    void theSearchIsShownWithThePane()
    {
        ScannedPane scanned(m_cookbook.path(), false);
        QVERIFY(!scanned.pane.search()->isShown());
        scanned.pane.show();
        QVERIFY(scanned.pane.search()->isShown());
        scanned.pane.hide();
        QVERIFY(!scanned.pane.search()->isShown());
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
