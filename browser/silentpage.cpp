#include "browser/silentpage.h"

#include <QAuthenticator>
#include <QWebEngineCertificateError>

namespace browser {

SilentPage::SilentPage(QWebEngineProfile *profile, QObject *parent)
    : QWebEnginePage(profile, parent)
{
    connect(this, &QWebEnginePage::certificateError, this,
            [](QWebEngineCertificateError error) { error.rejectCertificate(); });
    connect(this, &QWebEnginePage::authenticationRequired, this,
            [](const QUrl &, QAuthenticator *authenticator) { *authenticator = QAuthenticator(); });
    connect(this, &QWebEnginePage::proxyAuthenticationRequired, this,
            [](const QUrl &, QAuthenticator *authenticator, const QString &) { *authenticator = QAuthenticator(); });
    connect(this, &QWebEnginePage::featurePermissionRequested, this,
            [this](const QUrl &origin, Feature feature) {
                setFeaturePermission(origin, feature, PermissionDeniedByUser);
            });
}

void SilentPage::javaScriptAlert(const QUrl &, const QString &) {}

bool SilentPage::javaScriptConfirm(const QUrl &, const QString &) { return false; }

bool SilentPage::javaScriptPrompt(const QUrl &, const QString &, const QString &, QString *) { return false; }

void SilentPage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString &, int, const QString &) {}

QStringList SilentPage::chooseFiles(FileSelectionMode, const QStringList &, const QStringList &) { return {}; }

QWebEnginePage *SilentPage::createWindow(WebWindowType) { return nullptr; }

} // namespace browser
