#include "document/activedocument.h"
#include "document/activedocumentlistener.h"
#include "support/desktoptesthelpers.h"

#include <QFileSystemWatcher>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdio>

namespace {

// Notes every call, and what the file held at that moment, as a content pane
// would read it.
struct Recorder : ActiveDocumentListener
{
    Recorder(QString name, QStringList* log)
        : name(std::move(name))
        , log(log)
    {}

    void openPath(const QString& path) override
    {
        log->append(name + QLatin1Char(':') + path);
        QFile file(path);
        lastText = !path.isEmpty() && file.open(QIODevice::ReadOnly)
                       ? QString::fromUtf8(file.readAll())
                       : QString();
        ++calls;
    }

    QString name;
    QStringList* log;
    QString lastText;
    int calls = 0;
};

enum class SaveKind { InPlace, RenameOver };

// Saves as an editor would: rewriting the file, or writing a new file beside
// it and renaming it over the old one.
bool save(const QString& path, const QByteArray& text, SaveKind kind)
{
    if (kind == SaveKind::InPlace)
        return testing::writeFile(path, text);
    const QString temporary = path + QStringLiteral(".new");
    return testing::writeFile(temporary, text) &&
           std::rename(QFile::encodeName(temporary).constData(),
                       QFile::encodeName(path).constData()) == 0;
}

} // namespace

Q_DECLARE_METATYPE(SaveKind)

class ActiveDocumentTest : public QObject
{
    Q_OBJECT

private:
    // Anything the active document still had to report about earlier changes
    // has arrived once a change made after them has been seen by a watcher of
    // our own.
    void waitForFileEventsSettled()
    {
        const QString fence = dir.filePath(QStringLiteral("fence"));
        QVERIFY(testing::writeFile(fence, "0"));
        QFileSystemWatcher watcher({fence});
        QSignalSpy changed(&watcher, &QFileSystemWatcher::fileChanged);
        QVERIFY(testing::writeFile(fence, "1"));
        QVERIFY(changed.wait());
        QCoreApplication::processEvents();
    }

    QTemporaryDir dir;

private slots:
    void initTestCase()
    {
        testing::useTestIdentity();
        QVERIFY(dir.isValid());
    }

    void listenersAreCalledInRegistrationOrder()
    {
        QStringList log;
        Recorder first(QStringLiteral("first"), &log);
        Recorder second(QStringLiteral("second"), &log);
        Recorder third(QStringLiteral("third"), &log);
        ActiveDocument document;
        document.registerListener(&first);
        document.registerListener(&second);
        document.registerListener(&third);
        QVERIFY(log.isEmpty());

        const QString path = testing::writeRecipe(dir.path(), QStringLiteral("order.recipe.md"),
                                                  QStringLiteral("Order"));
        document.openPath(path);
        QCOMPARE(document.path(), path);
        QCOMPARE(log, QStringList({"first:" + path, "second:" + path, "third:" + path}));

        log.clear();
        document.openPath(QString());
        QCOMPARE(document.path(), QString());
        QCOMPARE(log, QStringList({"first:", "second:", "third:"}));
    }

    void aListenerRegisteredLateHearsOnlyLaterPaths()
    {
        QStringList log;
        Recorder early(QStringLiteral("early"), &log);
        Recorder late(QStringLiteral("late"), &log);
        ActiveDocument document;
        document.registerListener(&early);
        document.openPath(QStringLiteral("/nonexistent/a.recipe.md"));
        document.registerListener(&late);
        document.registerListener(&late);
        document.openPath(QStringLiteral("/nonexistent/b.recipe.md"));
        QCOMPARE(log,
                 QStringList({"early:/nonexistent/a.recipe.md", "early:/nonexistent/b.recipe.md",
                              "late:/nonexistent/b.recipe.md", "late:/nonexistent/b.recipe.md"}));
    }

    void everySaveReachesEveryListener_data()
    {
        QTest::addColumn<SaveKind>("kind");
        QTest::addColumn<bool>("openTwice");
        QTest::newRow("saved in place") << SaveKind::InPlace << false;
        QTest::newRow("saved in place, opened twice") << SaveKind::InPlace << true;
        QTest::newRow("renamed over the old file") << SaveKind::RenameOver << false;
        QTest::newRow("renamed over, opened twice") << SaveKind::RenameOver << true;
    }

    void everySaveReachesEveryListener()
    {
        QFETCH(SaveKind, kind);
        QFETCH(bool, openTwice);
        QStringList log;
        Recorder first(QStringLiteral("first"), &log);
        Recorder second(QStringLiteral("second"), &log);
        ActiveDocument document;
        document.registerListener(&first);
        document.registerListener(&second);

        const QString path = dir.filePath(QStringLiteral("saved.recipe.md"));
        QVERIFY(testing::writeFile(path, "# Version 0\n"));
        document.openPath(path);
        if (openTwice) {
            document.openPath(path);
            QCOMPARE(first.calls, 2);
        }
        for (int version = 1; version <= 4; ++version) {
            const QByteArray text = "# Version " + QByteArray::number(version) + "\n";
            const int before = first.calls;
            QVERIFY(save(path, text, kind));
            QTRY_COMPARE(first.lastText, QString::fromUtf8(text));
            QTRY_COMPARE(second.lastText, QString::fromUtf8(text));
            QVERIFY(first.calls > before);
        }
        // Every call carried the one active path, and each came in order.
        for (int i = 0; i < log.size(); ++i)
            QCOMPARE(log.at(i), QString((i % 2 ? "second:" : "first:") + path));
    }

    void aDeletedFileIsPassedOnAndThenNoLongerReported()
    {
        QStringList log;
        Recorder listener(QStringLiteral("pane"), &log);
        ActiveDocument document;
        document.registerListener(&listener);
        const QString path = testing::writeRecipe(dir.path(), QStringLiteral("gone.recipe.md"),
                                                  QStringLiteral("Gone"));
        document.openPath(path);
        log.clear();

        QVERIFY(QFile::remove(path));
        QTRY_VERIFY(!log.isEmpty());
        QVERIFY(log.contains("pane:" + path));
        QCOMPARE(document.path(), path);

        waitForFileEventsSettled();
        log.clear();
        QVERIFY(testing::writeFile(path, "# Back again\n"));
        QVERIFY(testing::writeFile(path, "# Back once more\n"));
        waitForFileEventsSettled();
        QCOMPARE(log, QStringList());
    }

    void changesOfFilesNoLongerActiveAreIgnored_data()
    {
        QTest::addColumn<bool>("toAnotherFile");
        QTest::newRow("another recipe opened") << true;
        QTest::newRow("no recipe any more") << false;
    }

    void changesOfFilesNoLongerActiveAreIgnored()
    {
        QFETCH(bool, toAnotherFile);
        QStringList log;
        Recorder listener(QStringLiteral("pane"), &log);
        ActiveDocument document;
        document.registerListener(&listener);
        const QString old = testing::writeRecipe(dir.path(), QStringLiteral("old.recipe.md"),
                                                 QStringLiteral("Old"));
        const QString other = testing::writeRecipe(dir.path(), QStringLiteral("other.recipe.md"),
                                                   QStringLiteral("Other"));
        document.openPath(old);
        document.openPath(toAnotherFile ? other : QString());
        log.clear();

        QVERIFY(testing::writeFile(old, "# Old, changed\n"));
        waitForFileEventsSettled();
        QCOMPARE(log, QStringList());

        if (toAnotherFile) {
            QVERIFY(testing::writeFile(other, "# Other, changed\n"));
            QTRY_COMPARE(listener.lastText, QStringLiteral("# Other, changed\n"));
            QVERIFY(log.contains("pane:" + other));
        }
    }

    void aFolderIsPassedOnButChangesInsideAreNotReported()
    {
        QStringList log;
        Recorder listener(QStringLiteral("pane"), &log);
        ActiveDocument document;
        document.registerListener(&listener);
        const QString folder = dir.filePath(QStringLiteral("Soups"));
        QVERIFY(QDir().mkpath(folder));
        document.openPath(folder);
        QCOMPARE(log, QStringList({"pane:" + folder}));

        log.clear();
        QVERIFY(
            !testing::writeRecipe(folder, QStringLiteral("new.recipe.md"), QStringLiteral("New"))
                 .isEmpty());
        waitForFileEventsSettled();
        QCOMPARE(log, QStringList());
    }
};

QTEST_GUILESS_MAIN(ActiveDocumentTest)
#include "tst_activedocument.moc"
