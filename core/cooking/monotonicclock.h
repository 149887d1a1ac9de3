#pragma once

#include "cooking/cookingclock.h"

#include <QElapsedTimer>

// The system's monotonic clock: unaffected by changes of the wall clock.
class MonotonicClock : public CookingClock
{
public:
    MonotonicClock();
    qint64 nowMs() const override;

private:
    QElapsedTimer m_elapsed;
};
