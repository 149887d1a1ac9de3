#include "system/screensaverinhibitor.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace {

const QString service = QStringLiteral("org.freedesktop.ScreenSaver");
const QString objectPath = QStringLiteral("/org/freedesktop/ScreenSaver");
const QString interface = QStringLiteral("org.freedesktop.ScreenSaver");

} // namespace

ScreenSaverInhibitor::ScreenSaverInhibitor(const QDBusConnection& bus, QObject* parent)
    : QObject(parent)
    , m_bus(bus)
{}

ScreenSaverInhibitor::~ScreenSaverInhibitor()
{
    if (m_haveCookie)
        sendUnInhibit(m_cookie);
}

void ScreenSaverInhibitor::keepAwake(const QString& reason)
{
    m_wanted = true;
    if (m_pending || m_haveCookie || !m_bus.isConnected())
        return;
    QDBusMessage call =
        QDBusMessage::createMethodCall(service, objectPath, interface, QStringLiteral("Inhibit"));
    call << QCoreApplication::applicationName() << reason;
    m_pending = true;
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this](QDBusPendingCallWatcher* finished) {
                finished->deleteLater();
                m_pending = false;
                const QDBusPendingReply<uint> reply = *finished;
                // No service, or one that refuses: the screen is simply not held.
                if (!reply.isError())
                    cookieArrived(reply.value());
            });
}

void ScreenSaverInhibitor::letSleep()
{
    m_wanted = false;
    if (!m_haveCookie)
        return;
    m_haveCookie = false;
    sendUnInhibit(m_cookie);
}

void ScreenSaverInhibitor::cookieArrived(uint cookie)
{
    if (!m_wanted) {
        sendUnInhibit(cookie); // released while the call was under way
        return;
    }
    m_cookie = cookie;
    m_haveCookie = true;
}

void ScreenSaverInhibitor::sendUnInhibit(uint cookie)
{
    QDBusMessage call =
        QDBusMessage::createMethodCall(service, objectPath, interface, QStringLiteral("UnInhibit"));
    call << cookie;
    m_bus.send(call);
}
