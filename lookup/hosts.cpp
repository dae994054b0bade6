// SPDX-License-Identifier: MIT
#include "lookup/hosts.h"

#include <QUrl>

#include <algorithm>
#include <array>
#include <initializer_list>
#include <iterator>

namespace lookup {

bool isOnDomain(const QString &host, QLatin1StringView domain)
{
    return host == domain || (host.endsWith(domain) && host.at(host.size() - domain.size() - 1) == u'.');
}

bool isMarketplaceAddress(const QUrl &address)
{
    const QString scheme = address.scheme();
    if (scheme != QLatin1String("http") && scheme != QLatin1String("https")) return false;
    // The ASCII form, so that a look-alike name in another script is never taken for the marketplace.
    const QString host = address.host(QUrl::EncodeUnicode);
    return std::any_of(std::cbegin(marketplaceDomains), std::cend(marketplaceDomains),
                       [&host](QLatin1StringView domain) { return isOnDomain(host, domain); });
}

namespace {

// The domains whose labels are shops, each with the labels that are the marketplace's own: what
// these serve is no shop's page.
struct ShopDomain {
    QLatin1StringView domain;
    std::initializer_list<QLatin1StringView> serviceLabels;
};

const std::array<ShopDomain, 3> &shopDomains()
{
    using L = QLatin1StringView;
    static const std::array<ShopDomain, 3> domains = {{
        {L(".taobao.com"),
         {L("www"),    L("shopsearch"), L("login"), L("rate"),     L("s"),     L("sec"),      L("item"),
          L("detail"), L("list"),       L("h5api"), L("m"),        L("i"),     L("h5"),       L("buyertrade"),
          L("world"),  L("buyer"),      L("mai"),   L("myseller"), L("trade"), L("cart"),     L("member1"),
          L("ai"),     L("uland"),      L("store"), L("favorite"), L("pass"),  L("passport"), L("havanalogin"),
          L("sso"),    L("auth"),       L("ju"),    L("market"),   L("pages"), L("help")}},
        {L(".tmall.com"),
         {L("www"), L("detail"), L("list"), L("chaoshi"), L("login"), L("pass"), L("m"), L("mdetail"), L("buyertrade"),
          L("pages"), L("vip"), L("help")}},
        {L(".tmall.hk"), {L("www"), L("detail"), L("list"), L("m"), L("pages"), L("login"), L("pass")}},
    }};
    return domains;
}

} // namespace

bool isNumericId(QStringView text)
{
    // The marketplace's ids fit in 64 bits: a longer run of digits is none, and would not fit in
    // a host name's label either.
    constexpr qsizetype longestId = 20;
    return !text.isEmpty() && text.size() <= longestId
           && std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

bool isShopHost(const QString &host)
{
    // The world site numbers its shops' hosts.
    constexpr QLatin1StringView worldSite(".world.taobao.com");
    if (host.endsWith(worldSite)) return isNumericId(QStringView(host).chopped(worldSite.size()));
    for (const ShopDomain &shops : shopDomains()) {
        if (!host.endsWith(shops.domain)) continue;
        const QStringView label = QStringView(host).chopped(shops.domain.size());
        return !label.isEmpty() && !label.contains(u'.')
               && std::none_of(shops.serviceLabels.begin(), shops.serviceLabels.end(),
                               [label](QLatin1StringView service) { return label == service; });
    }
    return false;
}

bool isVerificationPage(const QUrl &address)
{
    if (!isMarketplaceAddress(address)) return false;
    const QString path = address.path(QUrl::FullyEncoded);
    return (address.host() == verificationHost && path == QLatin1String("/query.htm"))
           || path.contains(QLatin1String("/_____tmd_____/punish"));
}

namespace {

// The first labels of the hosts a login or a check passes through: the login pages, the single
// sign-on hosts that set the login on each of the marketplace's domains, and their helpers.
constexpr QLatin1StringView signOnLabels[] = {
    QLatin1StringView("login"),    QLatin1StringView("havanalogin"), QLatin1StringView("pass"),
    QLatin1StringView("passport"), QLatin1StringView("sso"),         QLatin1StringView("auth"),
};

bool isSignOnHost(const QString &host)
{
    // A payment login (alipay.com) signs the person on as well.
    if (isOnDomain(host, QLatin1StringView("alipay.com"))) return true;
    const QStringView label = QStringView(host).left(host.indexOf(u'.'));
    return std::any_of(std::cbegin(signOnLabels), std::cend(signOnLabels),
                       [label](QLatin1StringView signOn) { return label == signOn; });
}

} // namespace

bool isPastTheGate(const QUrl &address)
{
    return isMarketplaceAddress(address) && !isVerificationPage(address)
           && !isSignOnHost(address.host(QUrl::EncodeUnicode));
}

} // namespace lookup
