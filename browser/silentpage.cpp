// SPDX-License-Identifier: MIT
#include "browser/silentpage.h"

#include <QAuthenticator>
#include <QWebEngineCertificateError>

namespace browser {

SilentPage::SilentPage(QWebEngineProfile *profile, QObject *parent)
    : QWebEnginePage(profile, parent)
{
    connect(this, &QWebEnginePage::certificateError, this, &SilentPage::handleCertificateError);
    connect(this, &QWebEnginePage::authenticationRequired, this, &SilentPage::handleAuthenticationRequired);
    connect(this, &QWebEnginePage::proxyAuthenticationRequired, this, &SilentPage::handleProxyAuthenticationRequired);
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    connect(this, &QWebEnginePage::permissionRequested, this, &SilentPage::handlePermissionRequested);
#else
    connect(this, &QWebEnginePage::featurePermissionRequested, this, &SilentPage::handleFeaturePermissionRequested);
#endif
}

void SilentPage::handleCertificateError(QWebEngineCertificateError error) { error.rejectCertificate(); }

void SilentPage::handleAuthenticationRequired(const QUrl &, QAuthenticator *authenticator)
{
    *authenticator = QAuthenticator(); // an empty answer cancels the request
}

void SilentPage::handleProxyAuthenticationRequired(const QUrl &, QAuthenticator *authenticator, const QString &)
{
    *authenticator = QAuthenticator();
}

#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
void SilentPage::handlePermissionRequested(QWebEnginePermission permission) { permission.deny(); }
#else
void SilentPage::handleFeaturePermissionRequested(const QUrl &securityOrigin, Feature feature)
{
    setFeaturePermission(securityOrigin, feature, PermissionDeniedByUser);
}
#endif

void SilentPage::javaScriptAlert(const QUrl &, const QString &) {}

bool SilentPage::javaScriptConfirm(const QUrl &, const QString &) { return false; }

bool SilentPage::javaScriptPrompt(const QUrl &, const QString &, const QString &, QString *) { return false; }

void SilentPage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString &, int, const QString &) {}

QStringList SilentPage::chooseFiles(FileSelectionMode, const QStringList &, const QStringList &) { return {}; }

QWebEnginePage *SilentPage::createWindow(WebWindowType) { return nullptr; }

} // namespace browser
