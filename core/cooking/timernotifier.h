#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>

// Rings for a timer that has ended through the freedesktop notification
// service on the session bus, asking for the alarm sound. Without a bus or a
// service nothing is shown; the cooking view rings on its own as well.
class TimerNotifier : public QObject
{
    Q_OBJECT

public:
    explicit TimerNotifier(const QDBusConnection& bus = QDBusConnection::sessionBus(),
                           QObject* parent = nullptr);

    void notify(const QString& summary, const QString& body);

private:
    QDBusConnection m_bus;
};
