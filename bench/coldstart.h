// SPDX-License-Identifier: MIT
#pragma once

#include <QList>

namespace bench {

// Start-up times of the program, each in a new process of this benchmark started with
// --cold-start-child: to the main window's first paint, and to the promotion page loaded.
struct StartTimes {
    QList<double> shown;
    QList<double> promotion;
};

StartTimes measureColdStarts(int runs);

// The child: the program as main() starts it, reporting those two moments on its standard output.
int coldStartChild(int argc, char *argv[]);

} // namespace bench
