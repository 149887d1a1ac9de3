#include "cooking/cookingsession.h"
#include "cooking/cookingtimers.h"
#include "support/handclock.h"
#include "support/privatesessionbus.h"
#include "support/recipefiles.h"
#include "system/screenawakekeeper.h"
#include "system/screensaverinhibitor.h"
#include "system/timerannouncer.h"
#include "system/timernotifier.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace testing;

namespace {

// What the session asked of the screen and the announcer, in order.
class RecordingServices : public ScreenAwakeKeeper, public TimerAnnouncer
{
public:
    explicit RecordingServices(QStringList* calls)
        : m_calls(calls)
    {}
    void keepAwake(const QString& reason) override { m_calls->append("awake " + reason); }
    void letSleep() override { m_calls->append(QStringLiteral("sleep")); }
    void announce(const QString& summary, const QString& body) override
    {
        m_calls->append("announce " + summary + " / " + body);
    }

private:
    QStringList* m_calls;
};

bool write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

// As editors save: a new file renamed over the old one.
bool replace(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

const QByteArray tea = "# Tea\n\n### Ingredients\n\n * 2 tsp tea leaves\n * 500 ml water\n\n"
                       "### Directions\n\n1. Boil the water.\n2. Steep the tea leaves 3-4 min.\n"
                       "3. Pour.\n\n### Metadata\n\nserves: 2\n";

const QByteArray pancakes = testing::pancakesRecipe;

QByteArray withoutServings(QByteArray recipe)
{
    return recipe.replace("servings: 4\n", "").replace("serves: 2\n", "");
}

} // namespace

// The cooking session both programs show: on a clock the test moves, with
// recording services, and with the D-Bus clients on a bus of the test's own.
class CookingSessionTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<PrivateSessionBus> bus;
    ScreenSaverRecorder screenSaver;
    NotificationRecorder notifications;
    QTemporaryDir dir;
    QString teaPath;
    QString pancakesPath;
    qint64 now = 1000;

    std::unique_ptr<CookingSession> session()
    {
        QDBusConnection connection = bus->connect(QStringLiteral("program"));
        return std::make_unique<CookingSession>(std::make_unique<HandClock>(&now),
                                                std::make_unique<ScreenSaverInhibitor>(connection),
                                                std::make_unique<TimerNotifier>(connection));
    }

    std::unique_ptr<CookingSession> recordedSession(QStringList* calls)
    {
        return std::make_unique<CookingSession>(std::make_unique<HandClock>(&now),
                                                std::make_unique<RecordingServices>(calls),
                                                std::make_unique<RecordingServices>(calls));
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
        teaPath = dir.filePath(QStringLiteral("tea.recipe.md"));
        pancakesPath = dir.filePath(QStringLiteral("pancakes.recipe.md"));
    }

    void init()
    {
        QVERIFY(write(teaPath, tea));
        QVERIFY(write(pancakesPath, pancakes));
        screenSaver.calls.clear();
        notifications.notifications.clear();
        now = 1000;
    }

    void cleanupTestCase() { bus.reset(); }

    void awakeHoldsAndReleasesTheScreen()
    {
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

    void servicesAreAskedOnceAndLetGoAtTheEnd()
    {
        QStringList calls;
        {
            auto cooking = recordedSession(&calls);
            QSignalSpy awake(cooking.get(), &CookingSession::awakeChanged);
            cooking->setAwake(true);
            cooking->setAwake(true);
            QCOMPARE(awake.size(), 1);
            cooking->setPath(teaPath);
            cooking->startTimer(1, 0);
            now += 3 * 60 * 1000;
            cooking->checkTimers();
        }
        // Gone while still awake: the screen may sleep again.
        QCOMPARE(calls, (QStringList{"awake Cooking from a recipe",
                                     "announce Tea: 3-4 min / Time is up", "sleep"}));
        // Without services, a session only signals.
        CookingSession bare(std::make_unique<HandClock>(&now), nullptr, nullptr);
        bare.setPath(teaPath);
        bare.setAwake(true);
        QSignalSpy ended(&bare, &CookingSession::timerEnded);
        QVERIFY(bare.startTimer(1, 0) > 0);
        now += 3 * 60 * 1000;
        bare.checkTimers();
        QCOMPARE(ended.size(), 1);
    }

    void timerRingsThroughTheNotificationService()
    {
        auto cooking = session();
        cooking->setPath(teaPath);
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
        QCOMPARE(cooking->startTimer(7, 0), 0); // no such step
        QCOMPARE(cooking->timers().first().toMap().value("left").toString(),
                 QStringLiteral("3:00"));
        now += 3 * 60 * 1000;
        cooking->checkTimers();
        QCOMPARE(ended.size(), 1);
        QCOMPARE(ended.first().first().toString(), QStringLiteral("Tea: 3-4 min"));
        QCOMPARE(ended.first().at(1).toInt(), id);
        QVERIFY(cooking->timers().first().toMap().value("ended").toBool());
        QTRY_COMPARE(notifications.notifications.size(), 1);
        QCOMPARE(notifications.notifications.first().summary, QStringLiteral("Tea: 3-4 min"));
        QCOMPARE(notifications.notifications.first().hints.value("sound-name").toString(),
                 QStringLiteral("alarm-clock-elapsed"));
        // Dismissed, it is gone.
        cooking->cancelTimer(id);
        QVERIFY(cooking->timers().isEmpty());
    }

    void timersRunAcrossStepsPausedOrNot()
    {
        auto cooking = session();
        cooking->setPath(pancakesPath);
        QSignalSpy ended(cooking.get(), &CookingSession::timerEnded);
        const int rest = cooking->startTimer(0, 0);
        cooking->nextStep();
        const int fry = cooking->startTimer(cooking->currentStep(), 0);
        QCOMPARE(cooking->timerList()->ids(), (QList<int>{rest, fry}));

        // Paused, the first does not end with the second.
        cooking->pauseOrResumeTimer(rest);
        QVERIFY(!cooking->timerList()->isRunning(rest));
        now += 60 * 1000;
        cooking->checkTimers();
        QCOMPARE(ended.size(), 1);
        QCOMPARE(ended.first().first().toString(), QStringLiteral("Pancakes: 1 minute"));

        // Resumed with its 20 minutes left, it ends after them and not before.
        cooking->pauseOrResumeTimer(rest);
        QVERIFY(cooking->timerList()->isRunning(rest));
        now += 20 * 60 * 1000 - 1;
        cooking->checkTimers();
        QCOMPARE(ended.size(), 1);
        now += 1;
        cooking->checkTimers();
        QCOMPARE(ended.size(), 2);
        QCOMPARE(ended.last().first().toString(), QStringLiteral("Pancakes: 20–30 min"));
        // An ended timer neither pauses nor resumes.
        cooking->pauseOrResumeTimer(rest);
        QVERIFY(cooking->timerList()->hasEnded(rest));
        QVERIFY(!cooking->timerList()->isRunning(rest));
    }

    void servingsAndStepsStayInRange_data()
    {
        QTest::addColumn<bool>("servings");
        QTest::addColumn<int>("wanted");
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("expectedWanted");
        QTest::addColumn<int>("expectedStep");
        QTest::addColumn<QString>("expectedText");
        QTest::addColumn<QString>("firstIngredient");
        QTest::newRow("inside") << true << 3 << 1 << 3 << 1 << "3 servings"
                                << "187.5 g flour";
        QTest::newRow("one") << true << 1 << 2 << 1 << 2 << "1 serving"
                             << "62.5 g flour";
        QTest::newRow("too few") << true << 0 << -4 << 1 << 0 << "1 serving"
                                 << "62.5 g flour";
        QTest::newRow("too many") << true << 500 << 9 << 99 << 2 << "99 servings"
                                  << "6.19 kg flour";
        QTest::newRow("factor half") << false << 1 << 1 << 1 << 1 << "×½"
                                     << "125 g flour";
        QTest::newRow("factor too small") << false << 0 << 0 << 1 << 0 << "×½"
                                          << "125 g flour";
        QTest::newRow("factor too large") << false << 41 << 2 << 40 << 2 << "×20"
                                          << "5 kg flour";
    }

    void servingsAndStepsStayInRange()
    {
        QFETCH(bool, servings);
        QFETCH(int, wanted);
        QFETCH(int, step);
        if (!servings)
            QVERIFY(write(pancakesPath, withoutServings(pancakes)));
        auto cooking = session();
        cooking->setPath(pancakesPath);
        QCOMPARE(cooking->hasServings(), servings);
        QCOMPARE(cooking->wanted(), servings ? 4 : 2);
        QCOMPARE(cooking->minWanted(), 1);
        QCOMPARE(cooking->maxWanted(), servings ? 99 : 40);
        cooking->setWanted(wanted);
        cooking->setCurrentStep(step);
        QTEST(cooking->wanted(), "expectedWanted");
        QTEST(cooking->currentStep(), "expectedStep");
        QTEST(cooking->wantedText(), "expectedText");
        QTEST(cooking->ingredients().first(), "firstIngredient");
        QCOMPARE(cooking->hasPreviousStep(), cooking->currentStep() > 0);
        QCOMPARE(cooking->hasNextStep(), cooking->currentStep() < 2);
    }

    void nextAndPreviousStopAtTheEnds()
    {
        auto cooking = session();
        cooking->setPath(pancakesPath);
        QSignalSpy changed(cooking.get(), &CookingSession::contentChanged);
        cooking->previousStep();
        QCOMPARE(cooking->currentStep(), 0);
        QCOMPARE(changed.size(), 0);
        for (int i = 0; i < 5; ++i)
            cooking->nextStep();
        QCOMPARE(cooking->currentStep(), 2);
        QCOMPARE(changed.size(), 2);
        QCOMPARE(cooking->stepText(cooking->currentStep()),
                 QStringLiteral("Serve with 2 tbsp sugar."));
        // A recipe without steps stays on its one empty page.
        QVERIFY(write(teaPath, "# Tea\n"));
        cooking->setPath(teaPath);
        QCOMPARE(cooking->stepCount(), 0);
        cooking->nextStep();
        QCOMPARE(cooking->currentStep(), 0);
        QVERIFY(!cooking->hasNextStep());
        QVERIFY(cooking->stepText(0).isEmpty());
        QVERIFY(cooking->stepIngredients(0).isEmpty());
        QVERIFY(cooking->stepDurations(0).isEmpty());
    }

    void followsTheSavedFile_data()
    {
        QTest::addColumn<bool>("renamedOver");
        QTest::newRow("written in place") << false;
        QTest::newRow("new file renamed over it") << true;
    }

    void followsTheSavedFile()
    {
        QFETCH(bool, renamedOver);
        auto cooking = session();
        cooking->setPath(pancakesPath);
        cooking->setWanted(2);
        cooking->setCurrentStep(2);
        cooking->startTimer(1, 0);

        QByteArray shorter = pancakes;
        shorter.replace("3. Serve with 2 tbsp sugar.\n", "");
        shorter.replace("Fry each pancake", "Fry every pancake");
        QVERIFY(renamedOver ? replace(pancakesPath, shorter) : write(pancakesPath, shorter));
        // The step, the servings and the timers are kept, within the new recipe.
        QTRY_COMPARE(cooking->stepCount(), 2);
        QCOMPARE(cooking->currentStep(), 1);
        QVERIFY(cooking->stepText(1).startsWith(QStringLiteral("Fry every pancake")));
        QCOMPARE(cooking->wanted(), 2);
        QCOMPARE(cooking->timerList()->ids().size(), 1);

        // The next change is seen as well: the file is still watched.
        shorter.replace("Fry every pancake", "Fry any pancake");
        QVERIFY(write(pancakesPath, shorter));
        QTRY_VERIFY(cooking->stepText(1).startsWith(QStringLiteral("Fry any pancake")));
    }

    void reloadKeepsTheStepFromRebuildingViews()
    {
        auto cooking = session();
        cooking->setPath(pancakesPath);
        cooking->setCurrentStep(2);
        // A view that rebuilds its pages moves back to the first as it does.
        connect(cooking.get(), &CookingSession::recipeChanged, cooking.get(),
                [&] { cooking->setCurrentStep(0); });
        cooking->reload();
        QCOMPARE(cooking->currentStep(), 2);
        // A recipe that loses its servings goes back to its own size, ×1.
        QVERIFY(write(pancakesPath, withoutServings(pancakes)));
        cooking->reload();
        QVERIFY(!cooking->hasServings());
        QCOMPARE(cooking->wantedText(), QStringLiteral("×1"));
    }

    void withoutServicesNothingHappens()
    {
        // A bus without the two services: the calls go nowhere, quietly.
        PrivateSessionBus empty;
        QVERIFY(!empty.address().isEmpty());
        QDBusConnection connection = empty.connect(QStringLiteral("empty"));
        {
            CookingSession cooking(std::make_unique<HandClock>(&now),
                                   std::make_unique<ScreenSaverInhibitor>(connection),
                                   std::make_unique<TimerNotifier>(connection));
            cooking.setPath(pancakesPath);
            cooking.setAwake(true);
            QSignalSpy ended(&cooking, &CookingSession::timerEnded);
            QVERIFY(cooking.startTimer(0, 0) > 0);
            now += 30 * 60 * 1000;
            cooking.checkTimers();
            QCOMPARE(ended.size(), 1);
            cooking.setAwake(false);
        }
        // Nor does a connection to no bus at all do anything.
        ScreenSaverInhibitor nowhere(QDBusConnection(QStringLiteral("not connected")));
        nowhere.keepAwake(QStringLiteral("test"));
        nowhere.letSleep();
        TimerNotifier silent(QDBusConnection(QStringLiteral("not connected")));
        silent.announce(QStringLiteral("Tea"), QStringLiteral("Time is up"));
        QVERIFY(screenSaver.calls.isEmpty());
        QVERIFY(notifications.notifications.isEmpty());
    }
};

QTEST_GUILESS_MAIN(CookingSessionTest)
#include "tst_cookingsession.moc"
