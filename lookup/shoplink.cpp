// SPDX-License-Identifier: MIT
#include "lookup/shoplink.h"

#include "lookup/hosts.h"
#include "lookup/pageaddress.h"
#include "lookup/searchaddress.h"

#include <QRegularExpression>
#include <QUrl>
#include <QUrlQuery>

#include <algorithm>
#include <iterator>

namespace lookup {

namespace {

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

bool isPasteableDomain(const QString &host)
{
    return std::any_of(std::cbegin(pasteableDomains), std::cend(pasteableDomains),
                       [&host](QLatin1StringView domain) { return isOnDomain(host, domain); });
}

std::optional<QString> addressOfLink(const QString &text)
{
    QUrl url = withScheme(text);
    if (!url.isValid() || !isMarketplaceAddress(url) || !onItsSchemesPort(url)
        || !isPasteableDomain(url.host(QUrl::EncodeUnicode)))
        return std::nullopt;
    // A user name and password pasted with a link are never sent on to the marketplace.
    url.setUserInfo(QString());
    url.setPort(-1);
    const QString host = url.host(QUrl::EncodeUnicode);
    if (isRatingPage(url)) return url.toString(QUrl::FullyEncoded);
    if (std::optional<QString> desktop = desktopPage(url)) return desktop;
    if (isShopHost(host) && isShopPage(url)) return url.toString(QUrl::FullyEncoded);
    if (std::optional<QString> shopPage = shopPageOnItsHost(url)) return shopPage;
    const QString sellerId = QUrlQuery(url).queryItemValue(QStringLiteral("user_number_id"));
    if (isShopPage(url) && isNumericId(sellerId)) return shopPageOfSeller(sellerId);
    // What follows the item's number in its address says where the seller found it, nothing more.
    const QString itemId = QUrlQuery(url).queryItemValue(QStringLiteral("id"));
    if (isItemPage(url) && isNumericId(itemId)) {
        url.setQuery(QStringLiteral("id=") + itemId);
        url.setFragment(QString());
    }
    return url.toString(QUrl::FullyEncoded);
}

bool hasBlank(const QString &text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.isSpace(); });
}

} // namespace

std::optional<QString> firstMarketplaceLink(QStringView text)
{
    // A link in running text ends where its address characters end: at a blank, a Chinese
    // character or a quote; punctuation that closes the sentence is no part of it.
    static const QRegularExpression links(QStringLiteral("https?://[A-Za-z0-9\\-._~:/?#\\[\\]@!$&()*+,;=%]+"),
                                          QRegularExpression::CaseInsensitiveOption);
    for (QRegularExpressionMatchIterator it = links.globalMatch(text.toString()); it.hasNext();) {
        QString link = it.next().captured();
        while (!link.isEmpty() && QStringLiteral(".,;:!?)]").contains(link.back()))
            link.chop(1);
        if (std::optional<QString> address = addressOfLink(link)) return address;
    }
    return std::nullopt;
}

std::optional<QString> shopLinkAddress(QStringView typed)
{
    const QString text = trimName(typed);
    if (text.isEmpty()) return std::nullopt;
    if (!hasBlank(text)) {
        if (std::optional<QString> address = addressOfLink(text)) return address;
    }
    return firstMarketplaceLink(text);
}

QueryEntry entryOf(QStringView typed) { return shopLinkAddress(typed) ? QueryEntry::Link : QueryEntry::Name; }

QString queryAddress(QStringView typed) { return shopLinkAddress(typed).value_or(searchAddress(typed)); }

bool isShareCode(QStringView typed)
{
    // The app wraps its code in a currency sign, the same on both sides.
    static const QRegularExpression code(QStringLiteral("([￥¥$€₤])[A-Za-z0-9]{8,16}\\1"));
    return !shopLinkAddress(typed) && code.match(typed.toString()).hasMatch();
}

QString shareCodeMessage() { return QStringLiteral("淘口令需要在手机淘宝中打开，请粘贴店铺或宝贝的链接"); }

} // namespace lookup
