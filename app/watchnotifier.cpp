// SPDX-License-Identifier: MIT
#include "app/watchnotifier.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>

namespace app {

namespace {

const QString service = QStringLiteral("org.freedesktop.Notifications");
const QString path = QStringLiteral("/org/freedesktop/Notifications");
const QString interface = QStringLiteral("org.freedesktop.Notifications");
// The action a click on the notification's body invokes.
const QString defaultAction = QStringLiteral("default");

} // namespace

WatchNotifier::WatchNotifier(QObject *parent)
    : QObject(parent)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    bus.connect(service, path, interface, QStringLiteral("ActionInvoked"), this, SLOT(actionInvoked(uint, QString)));
    bus.connect(service, path, interface, QStringLiteral("NotificationClosed"), this,
                SLOT(notificationClosed(uint, uint)));
}

void WatchNotifier::notify(const QString &shop, const QStringList &falls, int rowId)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface() || !bus.interface()->isServiceRegistered(service)) return;
    QDBusMessage call = QDBusMessage::createMethodCall(service, path, interface, QStringLiteral("Notify"));
    call << QStringLiteral("Larkspire") << uint(0) << QStringLiteral("larkspire") << shop + QStringLiteral(" 评分下降")
         << falls.join(QLatin1Char('\n')) << QStringList{defaultAction, QStringLiteral("查看")} << QVariantMap()
         << int(-1);
    auto *watcher = new QDBusPendingCallWatcher(bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher, rowId] {
        const QDBusPendingReply<uint> reply = *watcher;
        if (reply.isValid()) m_rows.insert(reply.value(), rowId);
        watcher->deleteLater();
    });
}

void WatchNotifier::actionInvoked(uint notification, const QString &action)
{
    if (action == defaultAction && m_rows.contains(notification)) emit rowAsked(m_rows.value(notification));
}

void WatchNotifier::notificationClosed(uint notification, uint) { m_rows.remove(notification); }

} // namespace app
