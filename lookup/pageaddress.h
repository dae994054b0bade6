// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <optional>

class QUrl;

namespace lookup {

// What a page of the marketplace is, told by its address's host and path alone, never by its
// query or fragment: a search for "view_shop.htm" is a search, whatever it was searched for.
// The addresses are the marketplace's (see isMarketplaceAddress); the host in its ASCII form.

// A shop's own page: /view_shop.htm on a shop's host (see isShopHost), or a seller's page on the
// store host.
bool isShopPage(const QUrl &address);

// A shop's rating page: /user-rate-….htm on the rating host.
bool isRatingPage(const QUrl &address);

// An item's page on the desktop site: /item.htm or /item_o.htm on one of the item hosts.
bool isItemPage(const QUrl &address);

// A page of the app's share links (m.tb.cn, e.tb.cn), which moves on to what was shared.
bool isSharePage(const QUrl &address);

// The desktop page of a mobile shop or item page, which the hidden browser reads instead: a mobile
// page is made for the app and carries neither the rating link nor the shop's data. None for any
// other address.
std::optional<QString> desktopPage(const QUrl &address);

// The shop page of any other page on a shop's own host (its home, a category, a search of its
// items): that host's /view_shop.htm. None for any other address, a shop page included.
std::optional<QString> shopPageOnItsHost(const QUrl &address);

// The shop page of a shop known by its number, and of a seller known by theirs.
QString shopPageOfShop(const QString &shopId);
QString shopPageOfSeller(const QString &sellerId);

} // namespace lookup
