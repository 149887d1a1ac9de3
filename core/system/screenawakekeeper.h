#pragma once

#include <QString>

// Keeps the screen from dimming or locking while a cook reads from it. The
// desktop's screen-saver service does it in the programs; a session without
// one simply lets the screen sleep.
class ScreenAwakeKeeper
{
public:
    virtual ~ScreenAwakeKeeper() = default;
    virtual void keepAwake(const QString& reason) = 0;
    virtual void letSleep() = 0;
};
