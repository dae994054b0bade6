#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds Larkspire when needed and starts it. Without a display it starts under Xvfb.
set -euo pipefail
source "$(dirname "$0")/common.sh"
build=$(build_folder build)

configure "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" --target larkspire -j"$(nproc)"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display found: starting Larkspire under Xvfb (a virtual screen)."
    export QTWEBENGINE_CHROMIUM_FLAGS="${QTWEBENGINE_CHROMIUM_FLAGS:-} --disable-gpu"
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$build/app/larkspire" "$@"
fi
exec "$build/app/larkspire" "$@"
