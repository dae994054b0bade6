#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the query benchmark and runs the hostile soak: QUERIES queries (100 if none is given) in
# one window, each answered by a draw, seeded with SEED (1 if none is given), from the outcomes
# and faults the marketplace may serve; every outcome is checked (bench/hostilesoak.h). The same
# seed draws the same answers, so a failure can be replayed. With --board first, a list of QUERIES
# such rows on the comparison board while a simulated person acts, and with --watch MINUTES after
# them the board watching those rows that long (bench/boardsoak.h).
set -euo pipefail
source "$(dirname "$0")/common.sh"
build=$(build_folder build-bench)
mode=--soak
if [ "${1:-}" = "--board" ]; then
    mode=--board-soak
    shift
fi
queries="${1:-100}"
seed="${2:-1}"
shift $(($# < 2 ? $# : 2))

configure "$build" -DLARKSPIRE_BENCH=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" --target bench_query -j"$(nproc)"
QT_QPA_PLATFORM=offscreen "$build/bench/bench_query" "$mode" "$queries" --hostile "$seed" "$@"
