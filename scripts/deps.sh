#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the Debian packages that building, running and testing need, only when some are missing.
# Packages named as arguments (such as the fuzzing compiler) are installed with them.
set -euo pipefail
source "$(dirname "$0")/common.sh"

packages=(cmake g++ make qt6-base-dev libqt6sql6-sqlite qt6-charts-dev qt6-webengine-dev libqt6opengl6-dev libgl-dev
          xvfb xauth fonts-noto-cjk openssl "$@")

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -q
"${as_root[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
