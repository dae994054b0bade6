// SPDX-License-Identifier: MIT
#include "app/watchnotifier.h"

#include <QDBusConnection>
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

void WatchNotifier::notify(const present::FallNotice &falls, int rowId)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return;
    // The service's capabilities say whether it reads a body as markup, where a shop's text
    // must be escaped; a desktop without the service answers with an error, and nothing is shown.
    const QDBusMessage ask =
        QDBusMessage::createMethodCall(service, path, interface, QStringLiteral("GetCapabilities"));
    auto *watcher = new QDBusPendingCallWatcher(bus.asyncCall(ask), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher, falls, rowId] {
        const QDBusPendingReply<QStringList> capabilities = *watcher;
        if (capabilities.isValid()) show(falls, capabilities.value().contains(QStringLiteral("body-markup")), rowId);
        watcher->deleteLater();
    });
}

void WatchNotifier::show(const present::FallNotice &falls, bool markup, int rowId)
{
    QDBusMessage call = QDBusMessage::createMethodCall(service, path, interface, QStringLiteral("Notify"));
    call << QStringLiteral("Larkspire") << uint(0) << QStringLiteral("larkspire") << falls.summary()
         << falls.body(markup) << QStringList{defaultAction, QStringLiteral("查看")} << QVariantMap() << int(-1);
    auto *watcher = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(call), this);
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
