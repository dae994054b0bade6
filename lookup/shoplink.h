// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringView>

#include <optional>

namespace lookup {

// What a query was given: a name, searched for, or a link to one of the marketplace's pages,
// opened as it is.
enum class QueryEntry { Name, Link };

// The address the hidden browser opens for a link typed or pasted where a name goes, or nothing for
// a name. The link is the whole text, or else the first link to the marketplace in it (an app's
// share text holds one in a sentence). Only http and https on their own ports on the marketplace's
// domains count; an address without a scheme is taken as https; a user name and password are
// dropped. What is opened:
// - a rating page as it is;
// - a mobile shop or item page as its desktop page;
// - any page on a shop's own host as that host's /view_shop.htm, which is kept as it is, and the
//   store host's seller page with only the seller's number;
// - an item page with only its item number;
// - any other page of the marketplace (a share link, a search) as it is: where it lands says what
//   it is.
std::optional<QString> shopLinkAddress(QStringView typed);

// The first link to the marketplace in a text, such as a page's markup or an app's share text, as
// shopLinkAddress opens it.
std::optional<QString> firstMarketplaceLink(QStringView text);

QueryEntry entryOf(QStringView typed);

// Where a query for the typed text sends the hidden browser first: the link's address, or else
// the search for the name.
QString queryAddress(QStringView typed);

// Whether the text is the app's share code without a link (￥AbCdEfGhIjK￥), which only the app opens.
bool isShareCode(QStringView typed);
QString shareCodeMessage();

} // namespace lookup
