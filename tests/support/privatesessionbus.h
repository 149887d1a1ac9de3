#pragma once

// A session bus of the test's own: a dbus-daemon started for the test and
// stopped with it, so that tests of the desktop services never reach the
// user's bus. Small recording services stand in for the screen saver and the
// notification daemon.

#include <QDBusConnection>
#include <QDBusMessage>
#include <QList>
#include <QObject>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QVariantMap>

namespace testing {

class PrivateSessionBus
{
public:
    // Starts the daemon and waits for the address it prints; address() is
    // empty when it could not start.
    PrivateSessionBus()
    {
        m_daemon.start(QStringLiteral("dbus-daemon"),
                       {QStringLiteral("--session"), QStringLiteral("--print-address"),
                        QStringLiteral("--nofork")});
        if (!m_daemon.waitForStarted(10000))
            return;
        while (m_address.isEmpty() && m_daemon.waitForReadyRead(10000))
            m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
    }
    ~PrivateSessionBus()
    {
        for (const QString& name : m_connections)
            QDBusConnection::disconnectFromBus(name);
        m_daemon.terminate();
        if (!m_daemon.waitForFinished(5000))
            m_daemon.kill();
        m_daemon.waitForFinished(5000);
    }
    PrivateSessionBus(const PrivateSessionBus&) = delete;
    PrivateSessionBus& operator=(const PrivateSessionBus&) = delete;

    QString address() const { return m_address; }

    // A connection of its own to the bus, under a name unique in the process.
    QDBusConnection connect(const QString& name)
    {
        m_connections.append(name);
        return QDBusConnection::connectToBus(m_address, name);
    }

private:
    QProcess m_daemon;
    QString m_address;
    QStringList m_connections;
};

// Records the screen saver's Inhibit and UnInhibit calls.
class ScreenSaverRecorder : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")

public:
    QStringList calls; // "Inhibit <application> <reason> -> <cookie>", "UnInhibit <cookie>"

public slots:
    uint Inhibit(const QString& application, const QString& reason)
    {
        const uint cookie = m_nextCookie++;
        calls.append(QStringLiteral("Inhibit %1 %2 -> %3").arg(application, reason).arg(cookie));
        return cookie;
    }
    void UnInhibit(uint cookie) { calls.append(QStringLiteral("UnInhibit %1").arg(cookie)); }

private:
    uint m_nextCookie = 41;
};

// Records the notification daemon's Notify calls.
class NotificationRecorder : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    struct Notification
    {
        QString application;
        QString summary;
        QString body;
        QVariantMap hints;
    };
    QList<Notification> notifications;

public slots:
    uint Notify(const QString& application, uint, const QString&, const QString& summary,
                const QString& body, const QStringList&, const QVariantMap& hints, int)
    {
        notifications.append({application, summary, body, hints});
        return uint(notifications.size());
    }
};

} // namespace testing
