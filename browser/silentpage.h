// SPDX-License-Identifier: MIT
#pragma once

#include <QWebEngineCertificateError>
#include <QWebEnginePage>
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
#include <QWebEnginePermission>
#endif

class QAuthenticator;

namespace browser {

// A page that never asks the user anything: no script dialogs, no file chooser, no console
// output, no popups; certificate errors, authentication requests and permissions are refused.
class SilentPage : public QWebEnginePage
{
    Q_OBJECT
public:
    explicit SilentPage(QWebEngineProfile *profile, QObject *parent = nullptr);

protected:
    void javaScriptAlert(const QUrl &securityOrigin, const QString &msg) override;
    bool javaScriptConfirm(const QUrl &securityOrigin, const QString &msg) override;
    bool javaScriptPrompt(const QUrl &securityOrigin, const QString &msg, const QString &defaultValue,
                          QString *result) override;
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString &message, int lineNumber,
                                  const QString &sourceID) override;
    QStringList chooseFiles(FileSelectionMode mode, const QStringList &oldFiles,
                            const QStringList &acceptedMimeTypes) override;
    QWebEnginePage *createWindow(WebWindowType type) override;

private slots:
    void handleCertificateError(QWebEngineCertificateError error);
    void handleAuthenticationRequired(const QUrl &requestUrl, QAuthenticator *authenticator);
    void handleProxyAuthenticationRequired(const QUrl &requestUrl, QAuthenticator *authenticator,
                                           const QString &proxyHost);
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    void handlePermissionRequested(QWebEnginePermission permission);
#else
    void handleFeaturePermissionRequested(const QUrl &securityOrigin, Feature feature);
#endif
};

} // namespace browser
