// SPDX-License-Identifier: MIT
#pragma once

#include <QtGlobal>

namespace bench {

// The proportional set size of a process and all its descendants (Qt WebEngine's zygote,
// renderers, GPU and utility processes), in KiB. Linux only: read from /proc.
qint64 summedPssKiB(qint64 rootPid);

// How many processes descend from a process: for the program, Qt WebEngine's own.
int descendantCount(qint64 rootPid);

} // namespace bench
