// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <functional>

class QEventLoop;

namespace bench {

// Milliseconds on one clock for the whole run.
double nowMs();

// Runs the event loop until the loop is quit or the time is up; whether it was quit. QTest's
// waits sleep between rounds of events, which would hold back every step of the browser and of
// the fake marketplace, both served on this thread.
bool runUntilQuit(QEventLoop &loop, int limitMs);

void runFor(int ms);

// Runs the event loop until the condition holds, looked at every few milliseconds, or the time is
// up; whether it held.
bool waitFor(const std::function<bool()> &condition, int limitMs);

// Ends the benchmark with the reason, as a failed run.
[[noreturn]] void fail(const QString &why);

} // namespace bench
