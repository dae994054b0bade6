#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds Larkspire and runs the whole test suite (offscreen, no display needed). Arguments go to
# ctest: -L rule runs only the rule tests, -L web the rest.
set -euo pipefail
source "$(dirname "$0")/common.sh"
build=$(build_folder build)

configure "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j"$(nproc)"
cd "$build"
ctest --output-on-failure --timeout 300 "$@"
