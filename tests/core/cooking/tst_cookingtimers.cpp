#include "cooking/cookingtimers.h"
#include "support/handclock.h"

#include <QSignalSpy>
#include <QTest>

using testing::HandClock;

class TestCookingTimers : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void runsPausesAndResumes();
    void endsEachTimerOnceWithItsName();
    void cancelledTimerNeverEnds();
    void lateCheckStillEndsOnTime();
    void formatsTimeLeft_data();
    void formatsTimeLeft();

private:
    qint64 m_now = 0;
    std::unique_ptr<CookingTimers> m_timers;
};

void TestCookingTimers::init()
{
    m_now = 1000;
    m_timers = std::make_unique<CookingTimers>(std::make_unique<HandClock>(&m_now));
}

void TestCookingTimers::runsPausesAndResumes()
{
    const int id = m_timers->start("Soup: 20 minutes", 20 * 60 * 1000);
    QVERIFY(m_timers->isRunning(id));
    m_now += 5 * 60 * 1000;
    QCOMPARE(m_timers->leftMs(id), 15 * 60 * 1000);
    m_timers->pause(id);
    QVERIFY(!m_timers->isRunning(id));
    m_now += 60 * 60 * 1000; // a paused timer does not move
    QCOMPARE(m_timers->leftMs(id), 15 * 60 * 1000);
    m_timers->resume(id);
    m_now += 1000;
    QCOMPARE(m_timers->leftMs(id), 15 * 60 * 1000 - 1000);
    m_timers->pause(id);
    m_timers->pause(id); // twice changes nothing
    QCOMPARE(m_timers->leftMs(id), 15 * 60 * 1000 - 1000);
}

void TestCookingTimers::endsEachTimerOnceWithItsName()
{
    QSignalSpy ended(m_timers.get(), &CookingTimers::timerEnded);
    const int egg = m_timers->start("Eggs: 6 min", 6 * 60 * 1000);
    const int rice = m_timers->start("Rice: 20 min", 20 * 60 * 1000);
    m_now += 6 * 60 * 1000 - 1;
    m_timers->check();
    QCOMPARE(ended.size(), 0);
    m_now += 1;
    m_timers->check();
    QCOMPARE(ended.size(), 1);
    QCOMPARE(ended.at(0).at(0).toInt(), egg);
    QCOMPARE(ended.at(0).at(1).toString(), QStringLiteral("Eggs: 6 min"));
    QVERIFY(m_timers->hasEnded(egg));
    QVERIFY(m_timers->isRunning(rice));
    m_timers->check();
    QCOMPARE(ended.size(), 1);
    m_timers->resume(egg); // an ended timer stays ended
    QVERIFY(!m_timers->isRunning(egg));
    m_now += 14 * 60 * 1000;
    m_timers->check();
    QCOMPARE(ended.size(), 2);
    QCOMPARE(ended.at(1).at(0).toInt(), rice);
    QCOMPARE(m_timers->ids(), (QList<int>{egg, rice}));
}

void TestCookingTimers::cancelledTimerNeverEnds()
{
    QSignalSpy ended(m_timers.get(), &CookingTimers::timerEnded);
    QSignalSpy changed(m_timers.get(), &CookingTimers::timersChanged);
    const int id = m_timers->start("Bread: 1 hour", 3600 * 1000);
    m_timers->cancel(id);
    QVERIFY(!m_timers->contains(id));
    m_now += 2 * 3600 * 1000;
    m_timers->check();
    QCOMPARE(ended.size(), 0);
    QCOMPARE(changed.size(), 2);
    m_timers->cancel(id); // unknown ids are ignored
    QCOMPARE(changed.size(), 2);
}

void TestCookingTimers::lateCheckStillEndsOnTime()
{
    // Whether the looks come often or seldom, the time left comes from the clock.
    QSignalSpy ended(m_timers.get(), &CookingTimers::timerEnded);
    const int id = m_timers->start("Tea: 3 min", 180 * 1000);
    m_now += 179 * 1000;
    QCOMPARE(m_timers->leftMs(id), 1000);
    m_now += 3600 * 1000;
    QCOMPARE(m_timers->leftMs(id), 0);
    m_timers->check();
    QCOMPARE(ended.size(), 1);
}

void TestCookingTimers::formatsTimeLeft_data()
{
    QTest::addColumn<qint64>("ms");
    QTest::addColumn<QString>("expected");
    QTest::newRow("zero") << qint64(0) << "0:00";
    QTest::newRow("part of a second rounds up") << qint64(1) << "0:01";
    QTest::newRow("minutes") << qint64(299 * 1000) << "4:59";
    QTest::newRow("hours") << qint64((3600 + 5 * 60 + 3) * 1000) << "1:05:03";
    QTest::newRow("negative") << qint64(-5) << "0:00";
}

void TestCookingTimers::formatsTimeLeft()
{
    QFETCH(qint64, ms);
    QFETCH(QString, expected);
    QCOMPARE(CookingTimers::formatLeft(ms), expected);
}

QTEST_GUILESS_MAIN(TestCookingTimers)
#include "tst_cookingtimers.moc"
