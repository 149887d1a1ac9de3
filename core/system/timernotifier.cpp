#include "system/timernotifier.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QVariantMap>

TimerNotifier::TimerNotifier(const QDBusConnection& bus, QObject* parent)
    : QObject(parent)
    , m_bus(bus)
{}

void TimerNotifier::announce(const QString& summary, const QString& body)
{
    if (!m_bus.isConnected())
        return;
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"),
        QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    QVariantMap hints;
    hints.insert(QStringLiteral("sound-name"), QStringLiteral("alarm-clock-elapsed"));
    hints.insert(QStringLiteral("category"), QStringLiteral("alarm"));
    hints.insert(QStringLiteral("urgency"), QVariant::fromValue(uchar(2)));
    call << QCoreApplication::applicationName() << uint(0) << QStringLiteral("chronometer")
         << summary << body << QStringList() << hints << int(-1);
    // The reply (the notification's id) is of no use; a missing service is
    // answered with an error that nobody needs to read.
    m_bus.send(call);
}
