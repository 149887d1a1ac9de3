#include "cooking/cookingtimers.h"

#include "cooking/monotonicclock.h"

#include <algorithm>

namespace {

// Often enough for a seconds display to move on every second.
constexpr int tickIntervalMs = 250;

} // namespace

CookingTimers::CookingTimers(std::unique_ptr<CookingClock> clock, QObject* parent)
    : QObject(parent)
    , m_clock(clock ? std::move(clock) : std::make_unique<MonotonicClock>())
{
    m_tick.setInterval(tickIntervalMs);
    connect(&m_tick, &QTimer::timeout, this, [this] {
        check();
        emit ticked();
    });
}

CookingTimers::~CookingTimers() = default;

int CookingTimers::start(const QString& name, qint64 lengthMs)
{
    Timer timer;
    timer.id = m_nextId++;
    timer.name = name;
    timer.lengthMs = std::max<qint64>(lengthMs, 0);
    timer.leftAtStartMs = timer.lengthMs;
    timer.startedAtMs = m_clock->nowMs();
    timer.running = true;
    m_timers.append(timer);
    updateTicking();
    emit timersChanged();
    return timer.id;
}

void CookingTimers::pause(int id)
{
    Timer* timer = find(id);
    if (!timer || !timer->running)
        return;
    timer->leftAtStartMs = leftOf(*timer);
    timer->running = false;
    updateTicking();
    emit timersChanged();
}

void CookingTimers::resume(int id)
{
    Timer* timer = find(id);
    if (!timer || timer->running || timer->ended)
        return;
    timer->startedAtMs = m_clock->nowMs();
    timer->running = true;
    updateTicking();
    emit timersChanged();
}

void CookingTimers::cancel(int id)
{
    const auto removed = std::remove_if(m_timers.begin(), m_timers.end(),
                                        [id](const Timer& timer) { return timer.id == id; });
    if (removed == m_timers.end())
        return;
    m_timers.erase(removed, m_timers.end());
    updateTicking();
    emit timersChanged();
}

bool CookingTimers::contains(int id) const
{
    return find(id) != nullptr;
}

bool CookingTimers::isRunning(int id) const
{
    const Timer* timer = find(id);
    return timer && timer->running;
}

bool CookingTimers::hasEnded(int id) const
{
    const Timer* timer = find(id);
    return timer && timer->ended;
}

QString CookingTimers::name(int id) const
{
    const Timer* timer = find(id);
    return timer ? timer->name : QString();
}

qint64 CookingTimers::leftMs(int id) const
{
    const Timer* timer = find(id);
    return timer ? leftOf(*timer) : 0;
}

QList<int> CookingTimers::ids() const
{
    QList<int> ids;
    for (const Timer& timer : m_timers)
        ids.append(timer.id);
    return ids;
}

void CookingTimers::check()
{
    QList<int> ended;
    for (Timer& timer : m_timers) {
        if (!timer.running || leftOf(timer) > 0)
            continue;
        timer.running = false;
        timer.ended = true;
        timer.leftAtStartMs = 0;
        ended.append(timer.id);
    }
    if (ended.isEmpty())
        return;
    updateTicking();
    // Handlers may cancel timers; the names are taken before the signals.
    QList<QString> names;
    for (int id : ended)
        names.append(name(id));
    for (qsizetype i = 0; i < ended.size(); ++i)
        emit timerEnded(ended[i], names[i]);
    emit timersChanged();
}

QString CookingTimers::formatLeft(qint64 ms)
{
    // Rounded up, so that "0:00" shows only when the time is up.
    const qint64 seconds = (std::max<qint64>(ms, 0) + 999) / 1000;
    const qint64 hours = seconds / 3600;
    const qint64 minutes = seconds / 60 % 60;
    const QString rest = QStringLiteral("%1").arg(seconds % 60, 2, 10, QLatin1Char('0'));
    if (hours > 0)
        return QStringLiteral("%1:%2:%3")
            .arg(hours)
            .arg(minutes, 2, 10, QLatin1Char('0'))
            .arg(rest);
    return QStringLiteral("%1:%2").arg(minutes).arg(rest);
}

CookingTimers::Timer* CookingTimers::find(int id)
{
    for (Timer& timer : m_timers) {
        if (timer.id == id)
            return &timer;
    }
    return nullptr;
}

const CookingTimers::Timer* CookingTimers::find(int id) const
{
    for (const Timer& timer : m_timers) {
        if (timer.id == id)
            return &timer;
    }
    return nullptr;
}

qint64 CookingTimers::leftOf(const Timer& timer) const
{
    if (!timer.running)
        return timer.leftAtStartMs;
    return std::max<qint64>(timer.leftAtStartMs - (m_clock->nowMs() - timer.startedAtMs), 0);
}

void CookingTimers::updateTicking()
{
    const bool anyRunning = std::any_of(m_timers.cbegin(), m_timers.cend(),
                                        [](const Timer& timer) { return timer.running; });
    if (anyRunning && !m_tick.isActive())
        m_tick.start();
    else if (!anyRunning)
        m_tick.stop();
}
