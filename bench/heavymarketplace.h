// SPDX-License-Identifier: MIT
#pragma once

#include "fakemarketplace.h"

namespace bench {

// The fake marketplace with the weight of the real one: a shop page of about 300 KB of markup
// with 40 pictures, two style sheets, two scripts and a web font; a rating page of about 200 KB
// with 20 pictures; every answer 20 ms late. Each part comes with its real content type.
//
// The search for "shop" lands on the shop page; the search for "hops" reaches it through five
// pages that each move on by script after 100 ms. For the soak: "shop2" finds a second shop,
// "nodsr" a shop whose rating page has no DSR list, "login" the login page, and any other name
// no shop. The promotion page is served as well.
tests::Response heavyAnswer(const tests::Request &request);

// The rating page's address, for loading it directly.
inline constexpr char ratingAddress[] = "https://rate.taobao.com/user-rate-5001.htm";

} // namespace bench
