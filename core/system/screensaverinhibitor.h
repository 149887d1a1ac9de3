#pragma once

#include "system/screenawakekeeper.h"

#include <QDBusConnection>
#include <QObject>
#include <QString>

// Keeps the screen awake through the freedesktop screen-saver service on the
// session bus while it is inhibited. Where there is no bus or no such service
// nothing happens and nothing is reported. Calls never block the caller: the
// cookie arrives later, and a release asked for before it arrives is sent
// when it does.
class ScreenSaverInhibitor : public QObject, public ScreenAwakeKeeper
{
    Q_OBJECT

public:
    explicit ScreenSaverInhibitor(const QDBusConnection& bus = QDBusConnection::sessionBus(),
                                  QObject* parent = nullptr);
    // Releases the screen if it is still held.
    ~ScreenSaverInhibitor() override;

    void keepAwake(const QString& reason) override;
    void letSleep() override;
    bool isInhibited() const { return m_wanted; }

private:
    void cookieArrived(uint cookie);
    void sendUnInhibit(uint cookie);

    QDBusConnection m_bus;
    bool m_wanted = false;
    bool m_pending = false;
    bool m_haveCookie = false;
    uint m_cookie = 0;
};
