// SPDX-License-Identifier: MIT
#include "lookup/hosts.h"

#include <QUrl>

#include <algorithm>
#include <iterator>

namespace lookup {

bool isMarketplaceAddress(const QUrl &address)
{
    const QString scheme = address.scheme();
    if (scheme != QLatin1String("http") && scheme != QLatin1String("https")) return false;
    // The ASCII form, so that a look-alike name in another script is never taken for the marketplace.
    const QString host = address.host(QUrl::EncodeUnicode);
    for (QLatin1StringView domain : marketplaceDomains) {
        if (host == domain) return true;
        if (host.endsWith(domain) && host.at(host.size() - domain.size() - 1) == u'.') return true;
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
    if (host == QLatin1String("alipay.com") || host.endsWith(QLatin1String(".alipay.com"))) return true;
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
