// SPDX-License-Identifier: MIT
#include "notificationservice.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QProcess>

namespace tests {

namespace {

const QString service = QStringLiteral("org.freedesktop.Notifications");
const QString path = QStringLiteral("/org/freedesktop/Notifications");
const QString connectionName = QStringLiteral("test notification service");

} // namespace

bool NotificationService::startPrivateBus()
{
    auto *daemon = new QProcess(QCoreApplication::instance());
    daemon->start(QStringLiteral("dbus-daemon"),
                  {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address=1")});
    if (!daemon->waitForStarted(5000) || !daemon->waitForReadyRead(5000)) return false;
    const QByteArray address = daemon->readLine().trimmed();
    QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, daemon, [daemon] {
        daemon->kill();
        daemon->waitForFinished(2000);
    });
    return !address.isEmpty() && qputenv("DBUS_SESSION_BUS_ADDRESS", address);
}

bool NotificationService::registerOnBus()
{
    QDBusConnection bus =
        QDBusConnection::connectToBus(QString::fromLocal8Bit(qgetenv("DBUS_SESSION_BUS_ADDRESS")), connectionName);
    return bus.isConnected() && bus.registerObject(path, this, QDBusConnection::ExportAllSlots)
           && bus.registerService(service);
}

uint NotificationService::Notify(const QString &, uint, const QString &, const QString &summary, const QString &body,
                                 const QStringList &actions, const QVariantMap &, int)
{
    const uint id = uint(m_shown.size()) + 1;
    m_shown.append({id, summary, body, actions});
    return id;
}

void NotificationService::click(uint id)
{
    QDBusMessage invoked = QDBusMessage::createSignal(path, service, QStringLiteral("ActionInvoked"));
    invoked << id << QStringLiteral("default");
    QDBusConnection(connectionName).send(invoked);
}

} // namespace tests
