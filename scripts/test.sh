#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds Larkspire and runs the whole test suite (offscreen, no display needed).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="${LARKSPIRE_BUILD_DIR:-$root/build}"

"$root/scripts/deps.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo ${LARKSPIRE_CMAKE_ARGS:-} >/dev/null
cmake --build "$build" -j"$(nproc)"
cd "$build"
ctest --output-on-failure --timeout 300 "$@"
