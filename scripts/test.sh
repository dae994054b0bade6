#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds Larkspire and runs the whole test suite (offscreen or on a display server of its own, no
# display needed). Arguments go to ctest: -L rule runs only the rule tests, -L web the window and
# end-to-end tests, -L user the program driven as a person drives it.
set -euo pipefail
source "$(dirname "$0")/common.sh"
build=$(build_folder build)

# What the user-level tests drive and read the program with: X input, the accessibility bus and
# the clipboard.
"$root/scripts/deps.sh" dbus-daemon at-spi2-core python3-pyatspi python3-xlib xclip

configure "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j"$(nproc)"
cd "$build"
ctest --output-on-failure --timeout 300 "$@"
