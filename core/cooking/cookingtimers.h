#pragma once

#include "cooking/cookingclock.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>

// The kitchen timers of a cooking session: several at once, each named,
// started, paused, resumed and cancelled. Time left is worked out from the
// clock each time it is asked for; the internal tick only decides when to
// look, so the end is signalled on the first look after it.
class CookingTimers : public QObject
{
    Q_OBJECT

public:
    struct Timer
    {
        int id = 0;
        QString name;
        qint64 lengthMs = 0;
        qint64 startedAtMs = 0; // while running: when the time left was last counted from
        qint64 leftAtStartMs = 0;
        bool running = false;
        bool ended = false;
    };

    // Without a clock the system's monotonic clock is used.
    explicit CookingTimers(std::unique_ptr<CookingClock> clock = nullptr,
                           QObject* parent = nullptr);
    ~CookingTimers() override;

    // Starts a new timer and gives its id.
    int start(const QString& name, qint64 lengthMs);
    void pause(int id);
    void resume(int id);
    void cancel(int id);

    bool contains(int id) const;
    bool isRunning(int id) const;
    bool hasEnded(int id) const;
    QString name(int id) const;
    qint64 leftMs(int id) const;
    // Ids of all timers, ended ones included until cancelled, oldest first.
    QList<int> ids() const;

    // Looks at the clock now: signals the timers that have run out.
    void check();

    // "1:05:03", "4:59", "0:00".
    static QString formatLeft(qint64 ms);

signals:
    void timerEnded(int id, const QString& name);
    // A timer was added, removed, paused or resumed.
    void timersChanged();
    // The time left of running timers moved on (about once a second).
    void ticked();

private:
    Timer* find(int id);
    const Timer* find(int id) const;
    qint64 leftOf(const Timer& timer) const;
    void updateTicking();

    std::unique_ptr<CookingClock> m_clock;
    QList<Timer> m_timers;
    QTimer m_tick;
    int m_nextId = 1;
};
