// SPDX-License-Identifier: MIT
#pragma once

#include "fakemarketplace.h"

namespace bench {

// The fake marketplace's catalogue with the weight of the real one: its shop pages grow to about
// 300 KB of markup with 40 pictures, two style sheets, two scripts and a web font; its rating
// pages to about 200 KB with 20 pictures; every answer comes 20 ms late. Each part comes with its
// real content type.
//
// The benchmark searches for "found", also through five pages that each move on by script after
// 100 ms ("hops"); the soak for "found", "twodims", "nodsr", "login" and a name that finds nothing.
tests::Response heavyAnswer(const tests::Request &request);

// The rating page of "found", for loading it directly.
QString ratingAddress();

} // namespace bench
