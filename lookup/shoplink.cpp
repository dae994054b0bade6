// SPDX-License-Identifier: MIT
#include "lookup/shoplink.h"

#include "lookup/hosts.h"
#include "lookup/pageflow.h"
#include "lookup/searchaddress.h"

#include <QUrl>

#include <algorithm>
#include <array>

namespace lookup {

namespace {

// The marketplace's own hosts on the shops' domains: what they serve at "/" is no shop.
constexpr std::array<QLatin1StringView, 13> serviceLabels = {
    QLatin1StringView("www"),        QLatin1StringView("shopsearch"), QLatin1StringView("login"),
    QLatin1StringView("rate"),       QLatin1StringView("s"),          QLatin1StringView("sec"),
    QLatin1StringView("item"),       QLatin1StringView("detail"),     QLatin1StringView("list"),
    QLatin1StringView("h5api"),      QLatin1StringView("m"),          QLatin1StringView("i"),
    QLatin1StringView("buyertrade"),
};

// A host of one label of its own on taobao.com or tmall.com, which is a shop's.
bool isShopHost(const QString &host)
{
    for (QLatin1StringView domain : {QLatin1StringView(".taobao.com"), QLatin1StringView(".tmall.com")}) {
        if (!host.endsWith(domain)) continue;
        const QString label = host.chopped(domain.size());
        return !label.isEmpty() && !label.contains(u'.')
               && std::find(serviceLabels.begin(), serviceLabels.end(), label) == serviceLabels.end();
    }
    return false;
}

QUrl withScheme(const QString &text)
{
    if (text.startsWith(QLatin1String("//"))) return QUrl(QStringLiteral("https:") + text, QUrl::StrictMode);
    if (!text.contains(QLatin1String("://"))) return QUrl(QStringLiteral("https://") + text, QUrl::StrictMode);
    return QUrl(text, QUrl::StrictMode);
}

} // namespace

std::optional<QString> shopLinkAddress(QStringView typed)
{
    const QString text = trimName(typed);
    if (text.isEmpty() || std::any_of(text.begin(), text.end(), [](QChar c) { return c.isSpace(); }))
        return std::nullopt;
    const QUrl url = withScheme(text);
    if (!url.isValid() || !isMarketplaceAddress(url)) return std::nullopt;
    const QString host = url.host(QUrl::EncodeUnicode);
    const QString path = url.path(QUrl::FullyEncoded);
    const QString address = url.toString(QUrl::FullyEncoded);
    const Landing landing = landingOf(address);
    const bool ratingPage = host == ratingHost && path.startsWith(QLatin1String("/user-rate-"))
                            && path.endsWith(QLatin1String(".htm")) && landing == Landing::RatingPage;
    if (ratingPage || landing == Landing::ShopPage) return address;
    if ((path.isEmpty() || path == QLatin1String("/")) && isShopHost(host))
        return url.scheme() + QStringLiteral("://") + host + QStringLiteral("/view_shop.htm");
    return std::nullopt;
}

QString queryAddress(QStringView typed) { return shopLinkAddress(typed).value_or(searchAddress(typed)); }

} // namespace lookup
