#pragma once

#include <QtGlobal>

// A monotonic clock in milliseconds. Timers measure against it rather than
// count ticks, so that a late or missed tick never makes a timer run slow;
// tests hand the timers a clock they move by hand.
class CookingClock
{
public:
    virtual ~CookingClock() = default;
    virtual qint64 nowMs() const = 0;
};
