#pragma once

#include "cooking/cookingsession.h"

// The cooking session as the Cook page creates it: on the system's clock,
// with the desktop's screen saver and notifications on the session bus.
class TouchCookingSession : public CookingSession
{
    Q_OBJECT

public:
    explicit TouchCookingSession(QObject* parent = nullptr);
};
