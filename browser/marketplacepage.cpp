// SPDX-License-Identifier: MIT
#include "browser/marketplacepage.h"

#include "browser/log.h"
#include "lookup/hosts.h"

#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInterceptor>

#include <algorithm>
#include <array>

namespace browser {

namespace {

using Info = QWebEngineUrlRequestInfo;

// What a page fetches for its looks or its owner's statistics; the page flow reads none of it.
constexpr std::array refusedKinds = {
    Info::ResourceTypeImage,          Info::ResourceTypeMedia,     Info::ResourceTypeFontResource,
    Info::ResourceTypeStylesheet,     Info::ResourceTypeFavicon,   Info::ResourceTypePing,
    Info::ResourceTypePrefetch,       Info::ResourceTypeCspReport, Info::ResourceTypeObject,
    Info::ResourceTypePluginResource,
};

class MarketplaceOnly : public QWebEngineUrlRequestInterceptor
{
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;

    void interceptRequest(QWebEngineUrlRequestInfo &info) override
    {
        const bool refusedKind =
            std::find(refusedKinds.begin(), refusedKinds.end(), info.resourceType()) != refusedKinds.end();
        if (!refusedKind && lookup::isMarketplaceAddress(info.requestUrl())) return;
        qCDebug(lcBrowser) << "refused" << info.resourceType() << info.requestUrl().toString();
        info.block(true);
    }
};

} // namespace

MarketplacePage::MarketplacePage(QWebEngineProfile *profile, QObject *parent)
    : SilentPage(profile, parent)
{
    setUrlRequestInterceptor(new MarketplaceOnly(this));
    // Nothing shows its icon, and the fetch of a default icon may outlive the page's interceptor.
    settings()->setAttribute(QWebEngineSettings::AutoLoadIconsForPage, false);
}

bool MarketplacePage::acceptNavigationRequest(const QUrl &url, NavigationType, bool)
{
    // Addresses that never reach the network (data:, file:, other programs' schemes) pass no
    // interceptor, so navigations are checked here as well.
    if (lookup::isMarketplaceAddress(url)) return true;
    qCDebug(lcBrowser) << "refused navigation to" << url.toString();
    return false;
}

} // namespace browser
