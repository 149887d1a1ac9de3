// Whatever the settings file holds, the window starts, lays out its docks as
// on a first start when the stored state is unusable, and loads the stored
// location as a folder name, finding nothing where there is no folder.
#include "mainwindow.h"
#include "support/desktoptesthelpers.h"

#include <QDir>
#include <QDockWidget>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

using namespace testing;

namespace {

constexpr int scanTimeout = 60000;

QStringList visibleDocks(const MainWindow& window)
{
    QStringList shown;
    for (const QDockWidget* dock :
         window.findChildren<QDockWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (dock->isVisible())
            shown << dock->objectName();
    return shown;
}

void store(const QString& key, const QVariant& value)
{
    QSettings settings;
    settings.beginGroup(QStringLiteral("General"));
    settings.setValue(key, value);
    settings.sync();
}

} // namespace

class TestHostileSettings : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        useTestIdentity();
        QVERIFY(m_dir.isValid());
        m_recipe = writeRecipe(m_dir.path(), QStringLiteral("book/soup.recipe.md"),
                               QStringLiteral("Soup"));
        QVERIFY(!m_recipe.isEmpty());
    }

    void init()
    {
        QSettings settings;
        settings.clear();
        settings.sync();
    }

    void startsWithDefaultsOnGarbage_data()
    {
        QTest::addColumn<QVariant>("location");
        QTest::addColumn<QByteArray>("windowState");
        QTest::addColumn<QString>("parsing");
        QTest::addColumn<int>("found");

        const QString book = m_dir.filePath(QStringLiteral("book"));
        QTest::newRow("garbage window state")
            << QVariant(book) << QByteArray("\x00\xff\x13garbage\x7f", 11) << book << 1;
        QTest::newRow("window state of another kind")
            << QVariant(book) << QByteArray(4096, '\xab') << book << 1;
        QTest::newRow("location is a file") << QVariant(m_recipe) << QByteArray() << m_recipe << 0;
        QTest::newRow("location is a number")
            << QVariant(4711) << QByteArray() << QStringLiteral("4711") << 0;
        const QString longPath = QStringLiteral("/nonexistent/") + QString(10000, QLatin1Char('x'));
        QTest::newRow("location of 10,000 characters")
            << QVariant(longPath) << QByteArray() << longPath << 0;
        QTest::newRow("location is a list")
            << QVariant(QStringList{book, book}) << QByteArray() << QString() << -1;
    }

    void startsWithDefaultsOnGarbage()
    {
        QFETCH(QVariant, location);
        QFETCH(QByteArray, windowState);
        QStringList defaultDocks; // as laid out on a first start
        {
            MainWindow reference;
            reference.show();
            QVERIFY(QTest::qWaitForWindowExposed(&reference));
            defaultDocks = visibleDocks(reference);
        }
        // The reference window stored its own state; replace it by the garbage.
        init();
        store(QStringLiteral("location"), location);
        if (!windowState.isEmpty())
            store(QStringLiteral("windowState"), windowState);

        const QByteArray recipeBefore = [this] {
            QFile file(m_recipe);
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        }();
        {
            MainWindow window;
            QFETCH(QString, parsing);
            QCOMPARE(statusText(window), QStringLiteral("Parsing ") + parsing);
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            QCOMPARE(visibleDocks(window), defaultDocks);
            QFETCH(int, found);
            if (found >= 0) {
                QTRY_COMPARE_WITH_TIMEOUT(statusText(window),
                                          found == 1
                                              ? QStringLiteral("Found 1 recipe")
                                              : QStringLiteral("Found %1 recipes").arg(found),
                                          scanTimeout);
            } else {
                // No folder name at all: nothing is scanned, so nothing is found.
                QCoreApplication::processEvents();
                QCOMPARE(statusText(window), QStringLiteral("Parsing "));
            }
        }
        QFile file(m_recipe);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), recipeBefore);
    }

    void unreadableSettingsGiveTheDefaults()
    {
        // A folder where the settings file should be cannot be read by
        // anyone, root included.
        const QString settingsFile = QSettings().fileName();
        QFile::remove(settingsFile);
        QVERIFY(QDir().mkpath(settingsFile));
        {
            MainWindow window;
            QCOMPARE(statusText(window),
                     QStringLiteral("Parsing ") +
                         QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) +
                         QStringLiteral("/recipes/"));
            QTRY_COMPARE_WITH_TIMEOUT(statusText(window), QStringLiteral("Found 0 recipes"),
                                      scanTimeout);
        }
        QVERIFY(QDir(settingsFile).removeRecursively());
    }

private:
    QTemporaryDir m_dir;
    QString m_recipe;
};

QTEST_MAIN(TestHostileSettings)
#include "tst_hostilesettings.moc"
