#pragma once

#include "system/timerannouncer.h"

#include <QDBusConnection>
#include <QObject>
#include <QString>

// Rings for a timer that has ended through the freedesktop notification
// service on the session bus, asking for the alarm sound. Without a bus or a
// service nothing is shown; the cooking faces ring on their own as well.
class TimerNotifier : public QObject, public TimerAnnouncer
{
    Q_OBJECT

public:
    explicit TimerNotifier(const QDBusConnection& bus = QDBusConnection::sessionBus(),
                           QObject* parent = nullptr);

    void announce(const QString& summary, const QString& body) override;

private:
    QDBusConnection m_bus;
};
