// SPDX-License-Identifier: MIT
#pragma once

#include "present/rowhistory.h"

#include <QHash>
#include <QObject>
#include <QStringList>

namespace app {

// Tells the person on the desktop, through the freedesktop notification service on the session bus
// (org.freedesktop.Notifications), that watched shops' figures fell; a click on the notification
// asks for the board's row. Where no such service runs nothing is shown, and nothing is written
// anywhere. The bus is only ever called asynchronously: the window never waits on it.
class WatchNotifier : public QObject
{
    Q_OBJECT
public:
    explicit WatchNotifier(QObject *parent = nullptr);

    // One notice of a round's falls, leading to the board's row of this id.
    void notify(const present::FallNotice &falls, int rowId);

signals:
    void rowAsked(int rowId);

private slots:
    void actionInvoked(uint notification, const QString &action);
    void notificationClosed(uint notification, uint reason);

private:
    void show(const present::FallNotice &falls, bool markup, int rowId);

    QHash<uint, int> m_rows; // the notifications shown, by the service's number, and their rows
};

} // namespace app
