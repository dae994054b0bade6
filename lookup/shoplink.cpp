// SPDX-License-Identifier: MIT
#include "lookup/shoplink.h"

#include "lookup/hosts.h"
#include "lookup/searchaddress.h"

#include <QUrl>
#include <QUrlQuery>

#include <algorithm>
#include <utility>

namespace lookup {

namespace {

constexpr QLatin1StringView storeHost{"store.taobao.com"};
constexpr QLatin1StringView mobileShopHost{"shop.m.taobao.com"};

QUrl withScheme(const QString &text)
{
    if (text.startsWith(QLatin1String("//"))) return QUrl(QStringLiteral("https:") + text, QUrl::StrictMode);
    if (!text.contains(QLatin1String("://"))) return QUrl(QStringLiteral("https://") + text, QUrl::StrictMode);
    return QUrl(text, QUrl::StrictMode);
}

// A link on another port than its scheme's own leads to no server of the marketplace's.
bool onItsSchemesPort(const QUrl &url)
{
    return url.port() == -1 || url.port() == (url.scheme() == QLatin1String("https") ? 443 : 80);
}

QString shopPage(const QString &scheme, const QString &host)
{
    return scheme + QStringLiteral("://") + host + QStringLiteral("/view_shop.htm");
}

// The shop page of a seller known only by number, which the marketplace serves on its store host.
QString sellersShopPage(const QString &sellerId)
{
    return QStringLiteral("https://") + storeHost + QStringLiteral("/shop/view_shop.htm?user_number_id=") + sellerId;
}

// The desktop shop page of a mobile one: shop123.m.taobao.com and shop.m.taobao.com/…?shop_id=123
// are shop 123, shop.m.taobao.com/…?user_id=456 is seller 456's, name.m.tmall.com is name.tmall.com.
std::optional<QString> desktopShopPage(const QUrl &url, const QString &host)
{
    if (host == mobileShopHost) {
        const QUrlQuery query(url);
        const QString shopId = query.queryItemValue(QStringLiteral("shop_id"));
        if (isNumericId(shopId))
            return shopPage(QStringLiteral("https"), QStringLiteral("shop%1.taobao.com").arg(shopId));
        const QString sellerId = query.queryItemValue(QStringLiteral("user_id"));
        if (isNumericId(sellerId)) return sellersShopPage(sellerId);
        return std::nullopt;
    }
    for (const auto &[mobile, desktop] :
         {std::pair{QLatin1StringView(".m.taobao.com"), QLatin1StringView(".taobao.com")},
          std::pair{QLatin1StringView(".m.tmall.com"), QLatin1StringView(".tmall.com")}}) {
        if (!host.endsWith(mobile)) continue;
        const QString shopHost = host.chopped(mobile.size()) + desktop;
        if (isShopHost(shopHost)) return shopPage(QStringLiteral("https"), shopHost);
    }
    return std::nullopt;
}

} // namespace

std::optional<QString> shopLinkAddress(QStringView typed)
{
    const QString text = trimName(typed);
    if (text.isEmpty() || std::any_of(text.begin(), text.end(), [](QChar c) { return c.isSpace(); }))
        return std::nullopt;
    QUrl url = withScheme(text);
    if (!url.isValid() || !isMarketplaceAddress(url) || !onItsSchemesPort(url)) return std::nullopt;
    // A user name and password pasted with a link are never sent on to the marketplace.
    url.setUserInfo(QString());
    url.setPort(-1);
    const QString host = url.host(QUrl::EncodeUnicode);
    const QString path = url.path(QUrl::FullyEncoded);
    const QString address = url.toString(QUrl::FullyEncoded);
    // Only the path says what a page is: "view_shop.htm" in a search's query is a search.
    if (host == ratingHost && path.startsWith(QLatin1String("/user-rate-")) && path.endsWith(QLatin1String(".htm")))
        return address;
    if (const std::optional<QString> desktop = desktopShopPage(url, host)) return desktop;
    if (isShopHost(host))
        return path.endsWith(QLatin1String("/view_shop.htm")) ? address : shopPage(url.scheme(), host);
    const QString sellerId = QUrlQuery(url).queryItemValue(QStringLiteral("user_number_id"));
    if (host == storeHost && path == QLatin1String("/shop/view_shop.htm") && isNumericId(sellerId))
        return sellersShopPage(sellerId);
    return std::nullopt;
}

QString queryAddress(QStringView typed) { return shopLinkAddress(typed).value_or(searchAddress(typed)); }

} // namespace lookup
