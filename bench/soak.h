// SPDX-License-Identifier: MIT
#pragma once

namespace bench {

// Runs that many queries in one main window, rotating through outcomes that each end without the
// timeout (two shops found, no shop, the login page, a rating page without a DSR list), checks
// each outcome as it comes, and prints how many were wrong and how memory and the number of
// engine processes grew. The exit status says whether every query came out right. Makes the
// application, as main() does, against the fake marketplace of realistic weight.
int soak(int queries, int argc, char *argv[]);

} // namespace bench
