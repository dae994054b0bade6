// SPDX-License-Identifier: MIT
#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QStringList>
#include <QVariantMap>

namespace tests {

// The desktop's notification service as a test plays it, on a session bus of the test's own: it
// records what each notification said and can click one, as a person on the desktop would.
class NotificationService : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    struct Shown {
        uint id;
        QString summary;
        QString body;
        QStringList actions;
    };

    // Starts a private session bus and points this process at it. Call it before anything in the
    // process uses the session bus; the bus ends with the application.
    static bool startPrivateBus();

    // Registers the service on that bus; false where it could not.
    bool registerOnBus();
    const QList<Shown> &shown() const { return m_shown; }
    void click(uint id); // on the notification's body: its default action

public slots:
    uint Notify(const QString &appName, uint replacesId, const QString &icon, const QString &summary,
                const QString &body, const QStringList &actions, const QVariantMap &hints, int timeout);
    QStringList GetCapabilities() { return {QStringLiteral("actions"), QStringLiteral("body")}; }
    void CloseNotification(uint) {}

private:
    QList<Shown> m_shown;
};

} // namespace tests
