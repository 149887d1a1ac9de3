#pragma once

// A clock for the cooking timers that the test moves by hand.

#include "cooking/cookingclock.h"

namespace testing {

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

} // namespace testing
