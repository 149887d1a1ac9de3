// The cooking journal as both programs hold it: what it says of each recipe
// from hand-written and merged journals, marking a recipe cooked on a day
// the test gives, following the file as other programs save it, a read-only
// cookbook, and the Find filters it gives through the search both programs
// drive.
#include "collection/scanner.h"
#include "cooking/cookingsession.h"
#include "planning/cookingjournal.h"
#include "planning/cookingjournalfile.h"
#include "planning/journalfilter.h"
#include "search/recipesearch.h"
#include "support/otherprocess.h"
#include "support/recipefiles.h"
#include "support/unprivileged.h"

#include <QAbstractItemModelTester>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace testing;

namespace {

constexpr int timeout = 30000;

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A journal in the order two devices' lines end up after a sync: the phone's
// December lines after the laptop's January ones, with a line of prose.
const QByteArray mergedJournal =
    "# Cooking journal\n\n"
    "- 2027-01-02 [Tomato Soup](soups/tomato.recipe.md) ★★☆☆☆ Too thin.\n"
    "- 2027-01-03 [Fried Rice](rice.recipe.md)\n"
    "From the phone:\n"
    "- 2026-12-24 [Tomato Soup](soups/tomato.recipe.md) ★★★★★ Christmas Eve\n"
    "- 2026-12-31 [Crème Brûlée](brulee.recipe.md) 4/5\n"
    "- 2026-11-20 [Basil Pesto](pesto.recipe.md) ★★★★★\n";

QStringList titles(const QAbstractItemModel* model)
{
    QStringList rows;
    for (int row = 0; row < model->rowCount(); ++row)
        rows << model->index(row, 0).data().toString();
    return rows;
}

} // namespace

class CookingJournalTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_cookbook.isValid());
        writeSampleCookbook(m_cookbook.path());
        QVERIFY(writeFile(m_cookbook.filePath(cookingJournalFileName()), mergedJournal));
    }

    // The latest by day counts, wherever its line stands.
    void historiesOfAMergedJournal()
    {
        CookingJournal journal;
        journal.setCollectionPath(m_cookbook.path());
        QCOMPARE(journal.entryCount(), 5);
        const QString tomato = m_cookbook.filePath(QStringLiteral("soups/tomato.recipe.md"));
        QCOMPARE(journal.timesCooked(tomato), 2);
        QCOMPARE(journal.timesCooked(m_cookbook.path() + QStringLiteral("//soups/tomato.recipe.md")), 2);
        QCOMPARE(journal.lastCooked(tomato), QDate(2027, 1, 2));
        QCOMPARE(journal.latestStars(tomato), 2);
        QCOMPARE(journal.notes(tomato),
                 (QStringList{QStringLiteral("Christmas Eve"), QStringLiteral("Too thin.")}));
        QCOMPARE(journal.summary(tomato),
                 QStringLiteral("Cooked 2 times, last on 2027-01-02 ★★☆☆☆"));
        const QString brulee = m_cookbook.filePath(QStringLiteral("brulee.recipe.md"));
        QCOMPARE(journal.summary(brulee), QStringLiteral("Cooked once, on 2026-12-31 ★★★★☆"));
        const QString pea = m_cookbook.filePath(QStringLiteral("soups/pea.recipe.md"));
        QCOMPARE(journal.timesCooked(pea), 0);
        QVERIFY(journal.summary(pea).isEmpty());
    }

    // On the day given, titled as the recipe is, servings as cooked; the
    // journal shows it at once.
    void markingCookedWritesTheDayGiven()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Süßes/Pfann kuchen.recipe.md"));
        QVERIFY(writeFile(path, pancakesRecipe));
        CookingJournal journal;
        journal.setDateSource([] { return QDate(2026, 12, 31); });
        journal.setCollectionPath(dir.path());
        QSignalSpy cooked(&journal, &CookingJournal::cooked);
        QSignalSpy messages(&journal, &CookingJournal::message);

        QVERIFY(journal.markCooked(path, 4, QStringLiteral("  Mehr   Zucker ")));
        CookingSession session;
        session.setPath(path);
        session.setWanted(6);
        QVERIFY(journal.markSessionCooked(&session, 0, QString()));

        QCOMPARE(contents(dir.filePath(cookingJournalFileName())),
                 QByteArray("# Cooking journal\n\n"
                            "- 2026-12-31 [Pancakes](Süßes/Pfann%20kuchen.recipe.md) ★★★★☆ Mehr "
                            "Zucker\n"
                            "- 2026-12-31 [Pancakes](Süßes/Pfann%20kuchen.recipe.md)\n"));
        QCOMPARE(cooked.size(), 2);
        QCOMPARE(cooked[0], (QVariantList{path, 0}));
        QCOMPARE(cooked[1], (QVariantList{path, 6}));
        QCOMPARE(journal.timesCooked(path), 2);
        QCOMPARE(journal.latestStars(path), 4);
        QVERIFY(messages.isEmpty());
    }

    void nothingToMark()
    {
        QTemporaryDir dir;
        CookingJournal journal;
        journal.setCollectionPath(dir.path());
        QSignalSpy messages(&journal, &CookingJournal::message);
        QVERIFY(!journal.markCooked(dir.filePath(QStringLiteral("gone.recipe.md"))));
        QVERIFY(!journal.markSessionCooked(nullptr));
        // What the desktop shows with no recipe: the built-in introduction.
        QVERIFY(!journal.markCooked(QStringLiteral(":/docs/intro.md")));
        const QString notes = dir.filePath(QStringLiteral("notes.md"));
        QVERIFY(writeFile(notes, "# Notes\n"));
        QVERIFY(!journal.markCooked(notes));
        QCOMPARE(messages.size(), 3);
        QVERIFY(!QFile::exists(dir.filePath(cookingJournalFileName())));
    }

    // Another program edits the journal in place, or saves a new file over
    // it again and again: each change is read.
    void followsTheFile_data()
    {
        QTest::addColumn<bool>("renameOver");
        QTest::newRow("in place") << false;
        QTest::newRow("renamed over") << true;
    }

    void followsTheFile()
    {
        QFETCH(bool, renameOver);
        QTemporaryDir dir;
        CookingJournal journal;
        journal.setCollectionPath(dir.path());
        QCOMPARE(journal.entryCount(), 0);
        const QString path = dir.filePath(cookingJournalFileName());
        QByteArray text = "# Cooking journal\n\n";
        for (int day = 1; day <= 3; ++day) {
            text += QStringLiteral("- 2026-12-0%1 [Dal](dal.recipe.md)\n").arg(day).toUtf8();
            QVERIFY(otherprocess::writeFile(path, text, renameOver));
            QTRY_COMPARE(journal.entryCount(), day);
        }
        // An entry removed by hand is gone from the journal too.
        QVERIFY(otherprocess::writeFile(path, "- 2026-12-02 [Dal](dal.recipe.md)\n", renameOver));
        QTRY_COMPARE(journal.entryCount(), 1);
        QCOMPARE(journal.lastCooked(dir.filePath(QStringLiteral("dal.recipe.md"))),
                 QDate(2026, 12, 2));
    }

    // A read-only cookbook: one message, nothing written, the journal as
    // it was.
    void readOnlyCookbook()
    {
        SALTROVE_RUN_UNPRIVILEGED();
        QTemporaryDir dir;
        const QString path =
            writeRecipe(dir.path(), QStringLiteral("dal.recipe.md"), QStringLiteral("Dal"));
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
        CookingJournal journal;
        journal.setCollectionPath(dir.path());
        QSignalSpy messages(&journal, &CookingJournal::message);
        QSignalSpy cooked(&journal, &CookingJournal::cooked);
        QVERIFY(!journal.markCooked(path, 5));
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages[0][0].toString().contains(cookingJournalFileName()),
                 qPrintable(messages[0][0].toString()));
        QVERIFY(cooked.isEmpty());
        QCOMPARE(journal.entryCount(), 0);
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    // The month counts back from the journal's day, across a year's end.
    void notCookedForAMonth_data()
    {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QStringList>("kept");
        const QStringList all = {QStringLiteral("Basil Pesto"), QStringLiteral("Crème Brûlée"),
                                 QStringLiteral("Fried Rice"), QStringLiteral("Pea Soup"),
                                 QStringLiteral("Tomato Soup")};
        QTest::newRow("the day after the last") << QDate(2027, 1, 4) << QStringList{all[0], all[3]};
        QTest::newRow("a month after new year's eve")
            << QDate(2027, 1, 31) << QStringList{all[0], all[1], all[3]};
        QTest::newRow("a month after the last") << QDate(2027, 2, 3) << all;
    }

    void notCookedForAMonth()
    {
        QFETCH(QDate, today);
        QFETCH(QStringList, kept);
        SearchWithJournal find(m_cookbook.path(), today);
        find.search.journalFilter()->setNotCookedLately(true);
        QTRY_COMPARE(find.shown(), kept);
        QCOMPARE(find.search.status(), QStringLiteral("%1 recipes").arg(kept.size()));
    }

    // Favourites by their latest stars: the tomato soup's five stars were
    // followed by two. With a word typed, only its matches; ordered by the
    // last cooking, the never cooked last.
    void favouritesAndOrder()
    {
        SearchWithJournal find(m_cookbook.path(), QDate(2027, 1, 4));
        JournalFilter* filter = find.search.journalFilter();
        filter->setFavourites(true);
        QTRY_COMPARE(find.shown(),
                     (QStringList{QStringLiteral("Basil Pesto"), QStringLiteral("Crème Brûlée")}));
        filter->setByLastCooked(true);
        QTRY_COMPARE(find.shown(),
                     (QStringList{QStringLiteral("Crème Brûlée"), QStringLiteral("Basil Pesto")}));
        filter->setFavourites(false);
        find.search.setText(QStringLiteral("soup"));
        find.search.findNow();
        QTRY_COMPARE(find.shown(),
                     (QStringList{QStringLiteral("Tomato Soup"), QStringLiteral("Pea Soup")}));
        find.search.setText(QString());
        find.search.findNow();
        filter->setByLastCooked(false);
        // Nothing chosen: nothing found, as before the journal.
        QTRY_COMPARE(find.shown(), QStringList());
    }

    // A line added by another device changes what the filter keeps.
    void filterFollowsTheJournal()
    {
        QTemporaryDir dir;
        writeSampleCookbook(dir.path());
        SearchWithJournal find(dir.path(), QDate(2027, 1, 4));
        find.search.journalFilter()->setFavourites(true);
        QTRY_COMPARE(find.search.status(), QStringLiteral("0 recipes"));
        QVERIFY(otherprocess::writeFile(dir.filePath(cookingJournalFileName()),
                                        "- 2027-01-03 [Reis](rice.recipe.md) ****\n", true));
        QTRY_COMPARE(find.shown(), QStringList{QStringLiteral("Fried Rice")});
    }

private:
    struct SearchWithJournal
    {
        SearchWithJournal(const QString& folder, const QDate& today)
            : tester(search.results(), QAbstractItemModelTester::FailureReportingMode::QtTest)
        {
            journal.setDateSource([today] { return today; });
            journal.setCollectionPath(folder);
            search.journalFilter()->setJournal(&journal);
            search.setScanner(&scanner);
            QSignalSpy updated(&scanner, &Scanner::dataUpdated);
            scanner.setRootPath(folder);
            QVERIFY(updated.wait(timeout));
        }
        QStringList shown() const { return titles(search.results()); }

        CookingJournal journal;
        Scanner scanner;
        RecipeSearch search;
        QAbstractItemModelTester tester;
    };

    QTemporaryDir m_cookbook;
};

QTEST_GUILESS_MAIN(CookingJournalTest)
#include "tst_cookingjournal.moc"
