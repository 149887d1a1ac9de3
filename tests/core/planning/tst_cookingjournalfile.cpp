// The cooking journal file as people, other programs and sync tools leave it:
// entries read from hand-written journals, stars written several ways, links
// with blanks and letters of many scripts, two devices' lines concatenated,
// and appending that never touches a line already there.
#include "planning/cookingjournalfile.h"
#include "support/recipefiles.h"
#include "support/unprivileged.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace testing;

namespace {

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

JournalEntry entry(const QString& day, const QString& path, const QString& title, int stars = 0,
                   const QString& note = QString())
{
    return {QDate::fromString(day, Qt::ISODate), path, title, stars, note};
}

} // namespace

class CookingJournalFileTest : public QObject
{
    Q_OBJECT
private slots:
    void readsALine_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("day");
        QTest::addColumn<QString>("relativePath");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("stars");
        QTest::addColumn<QString>("note");

        QTest::newRow("as written")
            << "- 2026-12-10 [Red lentil dal](Soups/red-lentil-dal.recipe.md)"
               " ★★★★☆ Halve the salt next time."
            << "2026-12-10"
            << "Soups/red-lentil-dal.recipe.md"
            << "Red lentil dal" << 4 << "Halve the salt next time.";
        QTest::newRow("out of five, a dash")
            << "* 2027-01-02 [Käse Tarte](Backen/K%C3%A4se-Tarte.recipe.md) 3/5 — zu salzig"
            << "2027-01-02"
            << "Backen/Käse-Tarte.recipe.md"
            << "Käse Tarte" << 3 << "zu salzig";
        QTest::newRow("asterisks")
            << "- 2026-11-30 [Soupe à l'oignon](soupe%20oignon.recipe.md) *****"
            << "2026-11-30"
            << "soupe oignon.recipe.md"
            << "Soupe à l'oignon" << 5 << "";
        QTest::newRow("no stars, a note")
            << "- 2026-12-01: [麻婆豆腐](川菜/麻婆豆腐.recipe.md) 少放辣椒"
            << "2026-12-01"
            << "川菜/麻婆豆腐.recipe.md"
            << "麻婆豆腐" << 0 << "少放辣椒";
        QTest::newRow("link with blanks in brackets")
            << "- 2026-12-03 [肉じゃが](<和食/肉 じゃが.recipe.md>) ★★☆☆☆"
            << "2026-12-03"
            << "和食/肉 じゃが.recipe.md"
            << "肉じゃが" << 2 << "";
        QTest::newRow("escaped brackets in the title, CRLF")
            << "- 2026-12-04 [Pie \\[old\\]](pie.recipe.md) ☆☆☆☆☆ 4/5 is what Ann said\r"
            << "2026-12-04"
            << "pie.recipe.md"
            << "Pie [old]" << 0 << "4/5 is what Ann said";
        QTest::newRow("too many stars") << "- 2026-12-05 [Pie](pie.recipe.md) ★★★★★★★"
                                        << "2026-12-05"
                                        << "pie.recipe.md"
                                        << "Pie" << 5 << "";
    }

    void readsALine()
    {
        QFETCH(QString, line);
        QFETCH(QString, day);
        QFETCH(QString, relativePath);
        QFETCH(QString, title);
        QFETCH(int, stars);
        QFETCH(QString, note);
        const QString folder = QStringLiteral("/cookbook");
        const QList<JournalEntry> entries = parseCookingJournal(line, folder);
        QCOMPARE(entries.size(), 1);
        QCOMPARE(entries[0].day, QDate::fromString(day, Qt::ISODate));
        QCOMPARE(entries[0].recipePath, folder + QLatin1Char('/') + relativePath);
        QCOMPARE(entries[0].title, title);
        QCOMPARE(entries[0].stars, stars);
        QCOMPARE(entries[0].note, note);
    }

    // Lines that are no entry are skipped, whatever they look like.
    void skipsWhatIsNoEntry_data()
    {
        QTest::addColumn<QString>("line");
        QTest::newRow("heading") << "# Cooking journal";
        QTest::newRow("prose") << "We cooked a lot this winter.";
        QTest::newRow("no date") << "- [Pie](pie.recipe.md) ★★★";
        QTest::newRow("impossible date") << "- 2026-02-30 [Pie](pie.recipe.md)";
        QTest::newRow("other date format") << "- 10.12.2026 [Pie](pie.recipe.md)";
        QTest::newRow("link to a picture") << "- 2026-12-10 [Photo](pie.jpg)";
        QTest::newRow("no link") << "- 2026-12-10 Pizza night ★★★★★";
        QTest::newRow("unclosed link") << "- 2026-12-10 [Pie](pie.recipe.md";
    }

    void skipsWhatIsNoEntry()
    {
        QFETCH(QString, line);
        QVERIFY(parseCookingJournal(line, QStringLiteral("/c")).isEmpty());
    }

    // A sync tool that concatenates two devices' journals (a conflict copy
    // pasted below, both headings kept) loses no entry, in the file's order.
    void readsTwoDevicesConcatenated()
    {
        const QString text =
            QStringLiteral("# Cooking journal\n\n"
                           "- 2026-12-30 [Dal](dal.recipe.md) ★★★☆☆\n"
                           "- 2027-01-01 [Dal](dal.recipe.md) Neujahr\n"
                           "# Cooking journal\n\n"
                           "Notes from the phone:\n"
                           "- 2026-12-31 [Blinis](Russisch/блины.recipe.md) ★★★★★ С икрой\n");
        const QList<JournalEntry> entries = parseCookingJournal(text, QStringLiteral("/c"));
        QCOMPARE(entries.size(), 3);
        QCOMPARE(entries[2].recipePath, QStringLiteral("/c/Russisch/блины.recipe.md"));
        QCOMPARE(entries[2].note, QStringLiteral("С икрой"));
        QCOMPARE(entries[1].day, QDate(2027, 1, 1));
    }

    // What is written reads back the same, for titles and paths of many
    // scripts, blanks, brackets and notes that look like stars.
    void writtenLinesReadBack_data()
    {
        QTest::addColumn<QString>("relativePath");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("stars");
        QTest::addColumn<QString>("note");
        QTest::newRow("plain") << "Soups/red-lentil-dal.recipe.md"
                               << "Red lentil dal" << 4 << "Halve the salt next time.";
        QTest::newRow("umlaut and blank") << "Backen/Käse Tarte.recipe.md"
                                          << "Käse Tarte" << 5 << "";
        QTest::newRow("parentheses and hash") << "Misc/Pie (old) #2.recipe.md"
                                              << "Pie [old] #2" << 1 << "";
        QTest::newRow("Japanese") << "和食/肉じゃが.recipe.md"
                                  << "肉じゃが" << 0 << "砂糖を少なめに";
        QTest::newRow("note like stars") << "pie.recipe.md"
                                         << "Pie" << 0 << "4/5 says Ann";
        QTest::newRow("note of asterisks") << "pie.recipe.md"
                                           << "Pie" << 0 << "** too sweet";
        QTest::newRow("note of lines") << "pie.recipe.md"
                                       << "Pie" << 2 << "line one\nline two";
    }

    void writtenLinesReadBack()
    {
        QFETCH(QString, relativePath);
        QFETCH(QString, title);
        QFETCH(int, stars);
        QFETCH(QString, note);
        const QString folder = QStringLiteral("/home/ann/Rezepte");
        const JournalEntry written =
            entry(QStringLiteral("2026-12-10"), folder + QLatin1Char('/') + relativePath, title,
                  stars, note);
        const QString line = journalEntryLine(written, folder);
        QVERIFY2(!line.contains(QLatin1Char('\n')), qPrintable(line));
        const QList<JournalEntry> read = parseCookingJournal(line, folder);
        QCOMPARE(read.size(), 1);
        JournalEntry expected = written;
        expected.note = note.simplified();
        QCOMPARE(read[0].title, expected.title);
        QCOMPARE(read[0].recipePath, expected.recipePath);
        QCOMPARE(read[0].stars, expected.stars);
        QCOMPARE(read[0].note, expected.note);
    }

    void writesTheIssuesExample()
    {
        const JournalEntry written =
            entry(QStringLiteral("2026-12-10"), QStringLiteral("/c/Soups/red-lentil-dal.recipe.md"),
                  QStringLiteral("Red lentil dal"), 4, QStringLiteral("Halve the salt next time."));
        QCOMPARE(journalEntryLine(written, QStringLiteral("/c")),
                 QStringLiteral("- 2026-12-10 [Red lentil dal](Soups/red-lentil-dal.recipe.md) "
                                "★★★★☆ Halve the salt next time."));
        QCOMPARE(journalEntryLine(entry(QStringLiteral("2026-12-15"),
                                        QStringLiteral("/c/Backen/Käse Tarte.recipe.md"),
                                        QStringLiteral("Käse Tarte")),
                                  QStringLiteral("/c")),
                 QStringLiteral("- 2026-12-15 [Käse Tarte](Backen/Käse%20Tarte.recipe.md)"));
    }

    // A new journal gets its heading once; later entries come after every
    // line already there, hand-written ones, a last line without its line
    // end and a file's CRLF included.
    void appendsWithoutTouchingOtherLines_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        const QByteArray line1 = "- 2026-12-31 [Dal](dal.recipe.md) ★★★☆☆";
        const QByteArray line2 = "- 2027-01-01 [Dal](dal.recipe.md)";
        QTest::newRow("new") << QByteArray()
                             << "# Cooking journal\n\n" + line1 + "\n" + line2 + "\n";
        QTest::newRow("blank") << QByteArray("\n\n")
                               << "\n\n# Cooking journal\n\n" + line1 + "\n" + line2 + "\n";
        const QByteArray handWritten = "# Was wir gekocht haben\n\nFür Oma: nur mild!\n"
                                       "- 2026-02-30 falsches Datum bleibt stehen";
        QTest::newRow("hand-written, no last line end")
            << handWritten << handWritten + "\n" + line1 + "\n" + line2 + "\n";
        const QByteArray crlf = "# Cooking journal\r\n\r\n- 2026-12-01 [Pie](pie.recipe.md)\r\n";
        QTest::newRow("CRLF") << crlf << crlf + line1 + "\r\n" + line2 + "\r\n";
    }

    void appendsWithoutTouchingOtherLines()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        QTemporaryDir dir;
        const QString path = dir.filePath(cookingJournalFileName());
        if (!before.isNull())
            QVERIFY(writeFile(path, before));
        const QString dal = dir.filePath(QStringLiteral("dal.recipe.md"));
        QVERIFY(appendJournalEntry(
            dir.path(), entry(QStringLiteral("2026-12-31"), dal, QStringLiteral("Dal"), 3)));
        QVERIFY(appendJournalEntry(
            dir.path(), entry(QStringLiteral("2027-01-01"), dal, QStringLiteral("Dal"))));
        QCOMPARE(contents(path), after);
        const QList<JournalEntry> read = readCookingJournal(dir.path());
        QVERIFY(read.size() >= 2);
        QCOMPARE(read.last().day, QDate(2027, 1, 1));
    }

    void refusesWhatCannotBeWritten()
    {
        QTemporaryDir dir;
        QString error;
        const JournalEntry dal =
            entry(QStringLiteral("2026-12-10"), dir.filePath(QStringLiteral("dal.recipe.md")),
                  QStringLiteral("Dal"));
        QVERIFY(!appendJournalEntry(dir.filePath(QStringLiteral("gone")), dal, &error));
        QVERIFY(!error.isEmpty());
        // A folder where the journal should be.
        QVERIFY(QDir(dir.path()).mkdir(cookingJournalFileName()));
        error.clear();
        QVERIFY(!appendJournalEntry(dir.path(), dal, &error));
        QVERIFY2(error.contains(cookingJournalFileName()), qPrintable(error));
        QVERIFY(readCookingJournal(dir.path()).isEmpty());
    }

    // A read-only cookbook and a read-only journal: false, and the journal
    // as it was.
    void readOnlyFolderAndFile()
    {
        SALTROVE_RUN_UNPRIVILEGED();
        QTemporaryDir dir;
        const QString dal = dir.filePath(QStringLiteral("dal.recipe.md"));
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
        QString error;
        QVERIFY(!appendJournalEntry(
            dir.path(), entry(QStringLiteral("2026-12-10"), dal, QStringLiteral("Dal")), &error));
        QVERIFY2(error.contains(QStringLiteral("cannot be written")), qPrintable(error));
        QVERIFY(!QFile::exists(dir.filePath(cookingJournalFileName())));

        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const QString path = dir.filePath(cookingJournalFileName());
        const QByteArray text = "# Cooking journal\n\n- 2026-12-01 [Dal](dal.recipe.md)\n";
        QVERIFY(writeFile(path, text));
        QFile::setPermissions(path, QFile::ReadOwner);
        QVERIFY(!appendJournalEntry(
            dir.path(), entry(QStringLiteral("2026-12-10"), dal, QStringLiteral("Dal"))));
        QCOMPARE(contents(path), text);
        QCOMPARE(readCookingJournal(dir.path()).size(), 1);
    }
};

QTEST_GUILESS_MAIN(CookingJournalFileTest)
#include "tst_cookingjournalfile.moc"
