// SPDX-License-Identifier: MIT
#include "browser/outwardpage.h"

#include <QDesktopServices>

namespace browser {

namespace {

// Stands in for the new window just long enough to learn where it was going.
class NewWindowCatcher : public QWebEnginePage
{
public:
    using QWebEnginePage::QWebEnginePage;

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType, bool isMainFrame) override
    {
        // A window opened empty is written by its opener: there is no address to hand on.
        if (!isMainFrame || url.isEmpty() || url.scheme() == QLatin1String("about")) return false;
        if (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https"))
            QDesktopServices::openUrl(url);
        deleteLater();
        return false;
    }
};

} // namespace

QWebEnginePage *OutwardPage::createWindow(WebWindowType) { return new NewWindowCatcher(profile(), this); }

} // namespace browser
