#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds Larkspire in release mode and makes its Debian package (build-package/larkspire_*.deb).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="${LARKSPIRE_PACKAGE_DIR:-$root/build-package}"

"$root/scripts/deps.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DCMAKE_INSTALL_PREFIX=/usr >/dev/null
cmake --build "$build" --target larkspire -j"$(nproc)"
(cd "$build" && cpack -G DEB >/dev/null)
ls "$build"/larkspire_*.deb
