// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringView>

#include <optional>

namespace lookup {

// A shop's address typed or pasted where a name goes, as the hidden browser opens it: a rating
// page (the rating host, then /user-rate-….htm) or a shop page (an address the page flow takes for
// one) as it is; a shop's home, a host of its own on the marketplace without a path
// (https://shop123.taobao.com, https://name.tmall.com/?spm=…), as that host's /view_shop.htm. Only http
// and https count; an address without a scheme is taken as https. Nothing for any other text: a
// name, searched for as before.
std::optional<QString> shopLinkAddress(QStringView typed);

// Where a query for the typed text sends the hidden browser first: the link's address, or else
// the search for the name.
QString queryAddress(QStringView typed);

} // namespace lookup
