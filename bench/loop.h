// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

class QEventLoop;

namespace bench {

// Milliseconds on one clock for the whole run.
double nowMs();

// Runs the event loop until the loop is quit or the time is up; whether it was quit. QTest's
// waits sleep between rounds of events, which would hold back every step of the browser and of
// the fake marketplace, both served on this thread.
bool runUntilQuit(QEventLoop &loop, int limitMs);

void runFor(int ms);

// Ends the benchmark with the reason, as a failed run.
[[noreturn]] void fail(const QString &why);

} // namespace bench
