#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds Larkspire in release mode and makes its Debian package (build-package/larkspire_*.deb).
set -euo pipefail
source "$(dirname "$0")/common.sh"
build=$(build_folder build-package)

# Warnings are errors here, as in CI: a package is not made from code the compiler doubts.
configure "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DCMAKE_INSTALL_PREFIX=/usr -DLARKSPIRE_WERROR=ON
cmake --build "$build" --target larkspire -j"$(nproc)"
(cd "$build" && cpack -G DEB >/dev/null)
ls "$build"/larkspire_*.deb
