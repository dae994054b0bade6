// SPDX-License-Identifier: MIT
#pragma once

#include <QtGlobal>

namespace bench {

// The proportional set size of a process and all its descendants (Qt WebEngine's zygote,
// renderers, GPU and utility processes), in KiB. Linux only: read from /proc.
qint64 summedPssKiB(qint64 rootPid);

// How many processes descend from a process: for the program, Qt WebEngine's own.
int descendantCount(qint64 rootPid);

// What the program and its engine processes hold once they have been left alone long enough for
// the engine to collect its garbage: right after a burst of page loads its heap is tens of MiB
// above what it keeps, and shrinks back only after some seconds idle.
double settledPssMiB();

// The program's settled memory and how many engine processes it runs, at one moment of a soak.
struct Footprint {
    double pssMiB;
    int processes;
};
Footprint footprint();

// How the footprint grew from the baseline's query to the last, for a soak's report.
QString footprintGrowth(int baseline, const Footprint &early, int queries, const Footprint &late);

} // namespace bench
