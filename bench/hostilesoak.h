// SPDX-License-Identifier: MIT
#pragma once

#include <QtGlobal>

namespace bench {

// Runs that many queries in one main window, each answered by a draw, seeded so that a failure
// can be replayed, from what the marketplace may answer and what may go wrong: shops found, no
// shop, the login page, a verification page of each kind at each step, a rating page without a
// DSR list, with cells missing or with garbage numbers, a connection cut in the middle of the
// shop or the rating page, a server error, a rating page slower than the query's timeout, and the
// engine's renderer killed in the middle of a query. Every query searches for a shop of its own
// whose figures no other shop has, so that a figure of another shop is seen wherever it shows.
// Checks each outcome as it comes, prints what was wrong, stale, drawn, and how memory and the
// number of engine processes grew from the 10th query on, after a warm-up of one query of every
// kind; the exit status says whether every query came out right.
int hostileSoak(int queries, quint32 seed, int argc, char *argv[]);

} // namespace bench
