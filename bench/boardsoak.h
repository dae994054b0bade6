// SPDX-License-Identifier: MIT
#pragma once

#include <QtGlobal>

namespace bench {

// Runs a list of that many rows on the comparison board, each answered by a seeded draw from the
// hostile soak's outcomes, while a simulated person acts at random moments through the windows:
// queries of their own by click and by Enter, a no-shop message box left open past the 21st tick,
// the login window passed or closed, rows removed or queried again, 停止 then 全部查询. Every row
// is checked each time it finishes against what the marketplace served for its entry: its own
// figures or none, and the outcome its answer allows; the main window shows none but the person's
// own shops. Prints what was wrong, stale, how many actions the person took and how memory grew
// from the 10th row on; the exit status says whether every row came out right. With watch minutes, the board then watches the rows that long, 定时刷新
// every 30 minutes on a minute of a tenth of a second, each shop's figures moving with every
// reading: every row is checked against the reading its shop last served, and memory is compared
// after the watch with after the first round.
int boardSoak(int rows, quint32 seed, int watchMinutes, int argc, char *argv[]);

} // namespace bench
