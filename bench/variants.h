// SPDX-License-Identifier: MIT
#pragma once

#include <QStringList>

namespace bench {

// The ways of loading a query's pages that the benchmark compares, each run in a process of its
// own so that each Chromium has only its own switches:
// - "app": the program's main window, started as main() starts it;
// - "bare": a plain page, as Chromium loads for a browser tab nobody looks at;
// - "painted": a page with the hidden browser's filter, counted as shown, so laid out and painted;
// - "unshown": the same filtered page, never shown: nothing painted, the floor of the program.
inline const QStringList variantNames = {QStringLiteral("app"), QStringLiteral("bare"), QStringLiteral("painted"),
                                         QStringLiteral("unshown")};

// Runs one variant against its own fake marketplace of realistic weight, answering the commands
// the benchmark writes to its standard input, one line each:
// "query NAME" -> "ok TOTAL TO_RATING TO_IDLE" (milliseconds; the last two -1 but for the app),
// "memory"     -> "ok MIB" (the process and its engine processes, settled),
// and ends when its input ends.
int runVariant(const QString &name, int argc, char *argv[]);

} // namespace bench
