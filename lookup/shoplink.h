// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringView>

#include <optional>

namespace lookup {

// A shop's address typed or pasted where a name goes, as the hidden browser opens it: a rating
// page (the rating host, then /user-rate-….htm) as it is; any page on a shop's own host (see
// isShopHost) as that host's /view_shop.htm, which is kept as it is; a mobile shop page as its
// desktop shop page; the store host's /shop/view_shop.htm?user_number_id=… as that seller's page.
// Only http and https on their own ports count; an address without a scheme is taken as https; a
// user name and password are dropped. Nothing for any other text: a name, searched for as before.
std::optional<QString> shopLinkAddress(QStringView typed);

// Where a query for the typed text sends the hidden browser first: the link's address, or else
// the search for the name.
QString queryAddress(QStringView typed);

} // namespace lookup
