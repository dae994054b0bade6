// SPDX-License-Identifier: MIT
#include "lookup/pageaddress.h"

#include "lookup/hosts.h"

#include <QUrl>
#include <QUrlQuery>

#include <algorithm>
#include <iterator>
#include <utility>

namespace lookup {

namespace {

constexpr QLatin1StringView shopPagePath{"/view_shop.htm"};
constexpr QLatin1StringView sellersPagePath{"/shop/view_shop.htm"};
constexpr QLatin1StringView mobileShopHost{"shop.m.taobao.com"};

QString hostOf(const QUrl &address) { return address.host(QUrl::EncodeUnicode); }
QString pathOf(const QUrl &address) { return address.path(QUrl::FullyEncoded); }

QString queryValue(const QUrl &address, const QString &key) { return QUrlQuery(address).queryItemValue(key); }

QString itemPage(QLatin1StringView host, const QString &itemId)
{
    return QStringLiteral("https://") + host + QStringLiteral("/item.htm?id=") + itemId;
}

// The desktop page of a mobile shop page: shop123.m.taobao.com and shop.m.taobao.com/…?shop_id=123
// are shop 123, shop.m.taobao.com/…?user_id=456 is seller 456's, name.m.tmall.com is name.tmall.com.
std::optional<QString> desktopShopPage(const QUrl &address, const QString &host)
{
    if (host == mobileShopHost) {
        const QString shopId = queryValue(address, QStringLiteral("shop_id"));
        if (isNumericId(shopId)) return shopPageOfShop(shopId);
        const QString sellerId = queryValue(address, QStringLiteral("user_id"));
        if (isNumericId(sellerId)) return shopPageOfSeller(sellerId);
        return std::nullopt;
    }
    for (const auto &[mobile, desktop] :
         {std::pair{QLatin1StringView(".m.taobao.com"), QLatin1StringView(".taobao.com")},
          std::pair{QLatin1StringView(".m.tmall.com"), QLatin1StringView(".tmall.com")}}) {
        if (!host.endsWith(mobile)) continue;
        const QString shopHost = host.chopped(mobile.size()) + desktop;
        if (isShopHost(shopHost)) return QStringLiteral("https://") + shopHost + shopPagePath;
    }
    return std::nullopt;
}

// The desktop page of a mobile item page: h5.m.taobao.com/awp/core/detail.htm?id=N and
// a.m.taobao.com/iN.htm are Taobao's item N, detail.m.tmall.com/item.htm?id=N is Tmall's.
std::optional<QString> desktopItemPage(const QUrl &address, const QString &host)
{
    const QString path = pathOf(address);
    const QString itemId = queryValue(address, QStringLiteral("id"));
    if (host == QLatin1String("h5.m.taobao.com") && path == QLatin1String("/awp/core/detail.htm")
        && isNumericId(itemId))
        return itemPage(itemHosts[0], itemId);
    if (host == QLatin1String("detail.m.tmall.com") && path == QLatin1String("/item.htm") && isNumericId(itemId))
        return itemPage(itemHosts[1], itemId);
    if (host == QLatin1String("a.m.taobao.com") && path.startsWith(QLatin1String("/i"))
        && path.endsWith(QLatin1String(".htm"))) {
        const QString inPath = path.mid(2, path.size() - 6);
        if (isNumericId(inPath)) return itemPage(itemHosts[0], inPath);
    }
    return std::nullopt;
}

} // namespace

bool isShopPage(const QUrl &address)
{
    if (!isMarketplaceAddress(address)) return false;
    const QString host = hostOf(address);
    const QString path = pathOf(address);
    if (host == storeHost) return path == sellersPagePath;
    return isShopHost(host) && path.endsWith(shopPagePath);
}

bool isRatingPage(const QUrl &address)
{
    const QString path = pathOf(address);
    return isMarketplaceAddress(address) && hostOf(address) == ratingHost
           && path.startsWith(QLatin1String("/user-rate-")) && path.endsWith(QLatin1String(".htm"));
}

bool isItemPage(const QUrl &address)
{
    const QString host = hostOf(address);
    const QString path = pathOf(address);
    return isMarketplaceAddress(address)
           && std::any_of(std::cbegin(itemHosts), std::cend(itemHosts),
                          [&host](QLatin1StringView itemHost) { return host == itemHost; })
           && (path == QLatin1String("/item.htm") || path == QLatin1String("/item_o.htm"));
}

bool isSharePage(const QUrl &address)
{
    return isMarketplaceAddress(address) && isOnDomain(hostOf(address), shareDomain);
}

std::optional<QString> desktopPage(const QUrl &address)
{
    if (!isMarketplaceAddress(address)) return std::nullopt;
    const QString host = hostOf(address);
    // An item's host on the mobile site would otherwise read as a shop's: a.m.taobao.com.
    if (std::optional<QString> item = desktopItemPage(address, host)) return item;
    return desktopShopPage(address, host);
}

std::optional<QString> shopPageOnItsHost(const QUrl &address)
{
    const QString host = hostOf(address);
    if (!isMarketplaceAddress(address) || !isShopHost(host) || isShopPage(address)) return std::nullopt;
    return address.scheme() + QStringLiteral("://") + host + shopPagePath;
}

QString shopPageOfShop(const QString &shopId)
{
    return QStringLiteral("https://shop") + shopId + QStringLiteral(".taobao.com") + shopPagePath;
}

QString shopPageOfSeller(const QString &sellerId)
{
    return QStringLiteral("https://") + storeHost + sellersPagePath + QStringLiteral("?user_number_id=") + sellerId;
}

} // namespace lookup
