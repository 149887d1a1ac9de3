#include "cooking/touchcookingsession.h"

#include "system/screensaverinhibitor.h"
#include "system/timernotifier.h"

TouchCookingSession::TouchCookingSession(QObject* parent)
    : CookingSession(nullptr, std::make_unique<ScreenSaverInhibitor>(),
                     std::make_unique<TimerNotifier>(), parent)
{}
