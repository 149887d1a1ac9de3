#include "cookingsession.h"
#include "support/privatesessionbus.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace testing;

namespace {

class HandClock : public CookingClock
{
public:
    explicit HandClock(qint64* now)
        : m_now(now)
    {}
    qint64 nowMs() const override { return *m_now; }

private:
    qint64* m_now;
};

bool write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

const QByteArray tea = "# Tea\n\n### Ingredients\n\n * 2 tsp tea leaves\n * 500 ml water\n\n"
                       "### Directions\n\n1. Boil the water.\n2. Steep the tea leaves 3-4 min.\n"
                       "3. Pour.\n\n### Metadata\n\nserves: 2\n";

} // namespace

// The touch page's session on a bus of the test's own, its timers on a clock
// the test moves.
class CookingSessionTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<PrivateSessionBus> bus;
    ScreenSaverRecorder screenSaver;
    NotificationRecorder notifications;
    QTemporaryDir dir;
    qint64 now = 1000;

    std::unique_ptr<CookingSession> session()
    {
        return std::make_unique<CookingSession>(std::make_unique<HandClock>(&now),
                                                bus->connect(QStringLiteral("program")));
    }

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        bus = std::make_unique<PrivateSessionBus>();
        QVERIFY2(!bus->address().isEmpty(), "dbus-daemon did not start");
        QDBusConnection services = bus->connect(QStringLiteral("services"));
        QVERIFY(services.registerService(QStringLiteral("org.freedesktop.ScreenSaver")));
        QVERIFY(services.registerObject(QStringLiteral("/org/freedesktop/ScreenSaver"),
                                        &screenSaver, QDBusConnection::ExportAllSlots));
        QVERIFY(services.registerService(QStringLiteral("org.freedesktop.Notifications")));
        QVERIFY(services.registerObject(QStringLiteral("/org/freedesktop/Notifications"),
                                        &notifications, QDBusConnection::ExportAllSlots));
        QVERIFY(write(dir.filePath(QStringLiteral("tea.recipe.md")), tea));
    }

    void cleanupTestCase() { bus.reset(); }

    void awakeHoldsAndReleasesTheScreen()
    {
        screenSaver.calls.clear();
        auto cooking = session();
        cooking->setAwake(true);
        QTRY_COMPARE(screenSaver.calls.size(), 1);
        QVERIFY(screenSaver.calls.first().startsWith(QStringLiteral("Inhibit ")));
        cooking->setAwake(false);
        QTRY_COMPARE(screenSaver.calls.size(), 2);
        QCOMPARE(screenSaver.calls.at(1),
                 QStringLiteral("UnInhibit ") + screenSaver.calls.first().section(' ', -1));
        // Released at once, before the cookie came: released when it comes.
        cooking->setAwake(true);
        cooking->setAwake(false);
        QTRY_COMPARE(screenSaver.calls.size(), 4);
        QVERIFY(screenSaver.calls.at(3).startsWith(QStringLiteral("UnInhibit ")));
    }

    void timerRingsThroughTheNotificationService()
    {
        notifications.notifications.clear();
        auto cooking = session();
        cooking->setPath(dir.filePath(QStringLiteral("tea.recipe.md")));
        QCOMPARE(cooking->stepCount(), 3);
        QCOMPARE(cooking->wantedText(), QStringLiteral("2 servings"));
        cooking->setWanted(4);
        QCOMPARE(cooking->ingredients(), (QStringList{"4 tsp tea leaves", "1 l water"}));
        QCOMPARE(cooking->stepIngredients(1), (QStringList{"4 tsp tea leaves"}));
        const QVariantList spans = cooking->stepDurations(1);
        QCOMPARE(spans.size(), 1);
        QCOMPARE(spans.first().toMap().value("text").toString(), QStringLiteral("3-4 min"));

        QSignalSpy ended(cooking.get(), &CookingSession::timerEnded);
        const int id = cooking->startTimer(1, 0);
        QVERIFY(id > 0);
        QCOMPARE(cooking->startTimer(1, 5), 0); // no such span
        QCOMPARE(cooking->timers().first().toMap().value("left").toString(),
                 QStringLiteral("3:00"));
        now += 3 * 60 * 1000;
        cooking->checkTimers();
        QCOMPARE(ended.size(), 1);
        QCOMPARE(ended.first().first().toString(), QStringLiteral("Tea: 3-4 min"));
        QVERIFY(cooking->timers().first().toMap().value("ended").toBool());
        QTRY_COMPARE(notifications.notifications.size(), 1);
        QCOMPARE(notifications.notifications.first().hints.value("sound-name").toString(),
                 QStringLiteral("alarm-clock-elapsed"));
    }

    void servingsAndStepsStayInRange_data()
    {
        QTest::addColumn<int>("wanted");
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("expectedWanted");
        QTest::addColumn<int>("expectedStep");
        QTest::newRow("inside") << 3 << 1 << 3 << 1;
        QTest::newRow("too few") << 0 << -4 << 1 << 0;
        QTest::newRow("too many") << 500 << 9 << 99 << 2;
    }

    void servingsAndStepsStayInRange()
    {
        QFETCH(int, wanted);
        QFETCH(int, step);
        auto cooking = session();
        cooking->setPath(dir.filePath(QStringLiteral("tea.recipe.md")));
        cooking->setWanted(wanted);
        cooking->setCurrentStep(step);
        QTEST(cooking->wanted(), "expectedWanted");
        QTEST(cooking->currentStep(), "expectedStep");
    }
};

QTEST_GUILESS_MAIN(CookingSessionTest)
#include "tst_cookingsession.moc"
