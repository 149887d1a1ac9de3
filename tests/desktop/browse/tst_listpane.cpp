#include "browse/listpane.h"
#include "collection/scanner.h"
#include "support/desktoptesthelpers.h"

#include <QAbstractItemModelTester>
#include <QLineEdit>
#include <QListView>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QtTest>

#include <memory>

namespace {

using Titles = QList<QPair<QString, QString>>; // title, path

// A title model as the Scanner builds it: one row per recipe, the path under
// PathRole.
std::shared_ptr<QStandardItemModel> titleModel(const Titles& titles)
{
    auto model = std::make_shared<QStandardItemModel>();
    for (const auto& [title, path] : titles) {
        auto* item = new QStandardItem(title);
        item->setData(path, PathRole);
        item->setEditable(false);
        model->appendRow(item);
    }
    return model;
}

Titles someTitles()
{
    return {{"Mr. Stew", "/c/mr-stew.recipe.md"}, {"SOUP OF THE DAY", "/c/day.recipe.md"},
            {"Stew", "/c/stew.recipe.md"},        {"Tomato Soup", "/c/tomato.recipe.md"},
            {"What? Cake*", "/c/cake.recipe.md"}, {"Rice & peas", "/c/rice.recipe.md"}};
}

QStringList shownTitles(ListPane& pane)
{
    const QAbstractItemModel* shown = pane.findChild<QListView*>()->model();
    QStringList titles;
    for (int row = 0; row < shown->rowCount(); ++row)
        titles << shown->index(row, 0).data().toString();
    return titles;
}

void clickRow(ListPane& pane, int row)
{
    auto* view = pane.findChild<QListView*>();
    const QRect rect = view->visualRect(view->model()->index(row, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
}

} // namespace

class ListPaneTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testing::useTestIdentity(); }

    void startsEmpty()
    {
        ListPane pane;
        QCOMPARE(shownTitles(pane), QStringList());
        auto* search = pane.findChild<QLineEdit*>();
        QVERIFY(search);
        QCOMPARE(search->placeholderText(), QStringLiteral("Search"));
        QCOMPARE(search->text(), QString());
        // The search field stands above the list.
        pane.resize(300, 400);
        pane.show();
        QVERIFY(QTest::qWaitForWindowExposed(&pane));
        QVERIFY(search->geometry().bottom() < pane.findChild<QListView*>()->geometry().top());
    }

    void filtersByLiteralTextIgnoringCase_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("nothing") << QString()
                                 << QStringList({"Mr. Stew", "SOUP OF THE DAY", "Stew",
                                                 "Tomato Soup", "What? Cake*", "Rice & peas"});
        QTest::newRow("lower case") << "soup" << QStringList({"SOUP OF THE DAY", "Tomato Soup"});
        QTest::newRow("upper case") << "SOUP" << QStringList({"SOUP OF THE DAY", "Tomato Soup"});
        QTest::newRow("middle of a word") << "te" << QStringList({"Mr. Stew", "Stew"});
        QTest::newRow("full stop") << "." << QStringList({"Mr. Stew"});
        QTest::newRow("asterisk") << "*" << QStringList({"What? Cake*"});
        QTest::newRow("question mark") << "?" << QStringList({"What? Cake*"});
        QTest::newRow("brackets") << "[a-z]" << QStringList();
        QTest::newRow("ampersand") << "& p" << QStringList({"Rice & peas"});
        QTest::newRow("no match") << "pizza" << QStringList();
    }

    void filtersByLiteralTextIgnoringCase()
    {
        QFETCH(QString, typed);
        QFETCH(QStringList, expected);
        ListPane pane;
        QAbstractItemModelTester proxyTester(
            pane.findChild<QListView*>()->model(),
            QAbstractItemModelTester::FailureReportingMode::QtTest);
        pane.setModel(titleModel(someTitles()));
        QTest::keyClicks(pane.findChild<QLineEdit*>(), typed);
        QCOMPARE(shownTitles(pane), expected);
    }

    void theClearActionShowsEveryRowAgain()
    {
        ListPane pane;
        pane.setModel(titleModel(someTitles()));
        auto* search = pane.findChild<QLineEdit*>();
        QTest::keyClicks(search, QStringLiteral("stew"));
        QCOMPARE(shownTitles(pane).size(), 2);
        QCOMPARE(search->actions().size(), 1);
        search->actions().first()->trigger();
        QCOMPARE(search->text(), QString());
        QCOMPARE(shownTitles(pane).size(), someTitles().size());
    }

    void theFilterOutlivesRescansAndClearing()
    {
        ListPane pane;
        QAbstractItemModelTester proxyTester(
            pane.findChild<QListView*>()->model(),
            QAbstractItemModelTester::FailureReportingMode::QtTest);
        pane.setModel(titleModel(someTitles()));
        auto* search = pane.findChild<QLineEdit*>();
        QTest::keyClicks(search, QStringLiteral("soup"));

        // Only the pane keeps the first model; it goes when the next arrives.
        Titles more = someTitles();
        more.append(qMakePair(QStringLiteral("Pea soup"), QStringLiteral("/c/pea.recipe.md")));
        more.append(qMakePair(QStringLiteral("Pea stew"), QStringLiteral("/c/pea-stew.recipe.md")));
        pane.setModel(titleModel(more));
        QCOMPARE(shownTitles(pane), QStringList({"SOUP OF THE DAY", "Tomato Soup", "Pea soup"}));

        pane.setModel({});
        QCOMPARE(shownTitles(pane), QStringList());
        QCOMPARE(search->text(), QStringLiteral("soup"));

        pane.setModel(titleModel(someTitles()));
        QCOMPARE(shownTitles(pane), QStringList({"SOUP OF THE DAY", "Tomato Soup"}));
    }

    void aClickAnnouncesThatRowsOwnPath()
    {
        ListPane pane;
        pane.resize(300, 400);
        pane.show();
        QVERIFY(QTest::qWaitForWindowExposed(&pane));
        // Two recipes with the same title, and a row without a path.
        pane.setModel(titleModel({{"Pancakes", "/c/a/pancakes.recipe.md"},
                                  {"Pancakes", "/c/b/pancakes.recipe.md"},
                                  {"Pathless", QString()}}));
        QSignalSpy selected(&pane, &ListPane::fileSelected);
        clickRow(pane, 0);
        clickRow(pane, 1);
        clickRow(pane, 2);
        QCOMPARE(selected.size(), 2);
        QCOMPARE(selected.at(0).at(0).toString(), QStringLiteral("/c/a/pancakes.recipe.md"));
        QCOMPARE(selected.at(1).at(0).toString(), QStringLiteral("/c/b/pancakes.recipe.md"));

        // Moving with the keyboard announces nothing.
        auto* view = pane.findChild<QListView*>();
        view->setFocus();
        QTest::keyClick(view, Qt::Key_Up);
        QTest::keyClick(view, Qt::Key_Return);
        QCOMPARE(selected.size(), 2);
    }

    void aClickOnAFilteredListAnnouncesTheShownRow()
    {
        ListPane pane;
        pane.resize(300, 400);
        pane.show();
        QVERIFY(QTest::qWaitForWindowExposed(&pane));
        pane.setModel(titleModel(someTitles()));
        QTest::keyClicks(pane.findChild<QLineEdit*>(), QStringLiteral("tomato"));
        QSignalSpy selected(&pane, &ListPane::fileSelected);
        clickRow(pane, 0);
        QCOMPARE(selected.size(), 1);
        QCOMPARE(selected.at(0).at(0).toString(), QStringLiteral("/c/tomato.recipe.md"));
    }
};

QTEST_MAIN(ListPaneTest)
#include "tst_listpane.moc"
