#pragma once

#include <QString>

// Tells the cook, beyond the program's own window, that a timer has run out:
// the desktop's notification service with its alarm sound in the programs;
// a session without one only signals it.
class TimerAnnouncer
{
public:
    virtual ~TimerAnnouncer() = default;
    virtual void announce(const QString& summary, const QString& body) = 0;
};
