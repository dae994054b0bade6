// SPDX-License-Identifier: MIT
#include "lookup/hosts.h"

#include <QUrl>

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

} // namespace lookup
