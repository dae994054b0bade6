// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

namespace lookup {

// The shop's rating-page address from the shop page's body markup: "//<rating host>/user-rate-"
// + the identifier of the first rating link + ".htm"; empty when the markup holds no such link.
QString wenz(const QString &markup);

// The title token: the text between the first two dashes of the page title that stand on one
// line ("首页-<shop>-淘宝网" gives the shop); empty when there are none.
QString huqus(const QString &title);

} // namespace lookup
