// SPDX-License-Identifier: MIT
#pragma once

#include <QHash>
#include <QObject>
#include <QStringList>

namespace app {

// Tells the person on the desktop, through the freedesktop notification service on the session bus
// (org.freedesktop.Notifications), that a watched shop's figures fell; a click on the notification
// asks for the board's row. Where no such service runs nothing is shown, and nothing is written
// anywhere.
class WatchNotifier : public QObject
{
    Q_OBJECT
public:
    explicit WatchNotifier(QObject *parent = nullptr);

    // The shop's falls, one line each (see present::fallsOf), for the board's row of this id.
    void notify(const QString &shop, const QStringList &falls, int rowId);

signals:
    void rowAsked(int rowId);

private slots:
    void actionInvoked(uint notification, const QString &action);
    void notificationClosed(uint notification, uint reason);

private:
    QHash<uint, int> m_rows; // the notifications shown, by the service's number, and their rows
};

} // namespace app
