#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Checks a Debian package of Larkspire (the one scripts/package.sh made, or the one named): its
# control data and contents, its desktop entry and AppStream metadata; then installs it with apt,
# as a user would, so that its dependencies must resolve on this release, starts the installed
# program offscreen to see it come up and stay up, and removes the package again.
set -euo pipefail
source "$(dirname "$0")/common.sh"
build=$(build_folder build-package)
id=example.quillfen.Larkspire

"$root/scripts/deps.sh" desktop-file-utils appstream procps
deb=$(realpath "${1:-$(ls "$build"/larkspire_*.deb)}")
dpkg-deb --info "$deb"
depends=$(dpkg-deb --field "$deb" Depends)
if grep -q -- '-dev' <<<"$depends"; then echo "the package depends on a -dev package: $depends"; exit 1; fi

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
dpkg -x "$deb" "$scratch"
expected=(usr/bin/larkspire "usr/share/applications/$id.desktop" "usr/share/metainfo/$id.metainfo.xml"
          "usr/share/icons/hicolor/scalable/apps/$id.svg")
for size in $(cat "$root/resources/icon-sizes"); do expected+=("usr/share/icons/hicolor/${size}x${size}/apps/$id.png"); done
for file in "${expected[@]}"; do
    [ -f "$scratch/$file" ] || { echo "missing from the package: $file"; exit 1; }
done
desktop-file-validate "$scratch/usr/share/applications/$id.desktop"
appstreamcli validate --no-net "$scratch/usr/share/metainfo/$id.metainfo.xml"

DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -q --no-install-recommends "$deb" >/dev/null
trap '"${as_root[@]}" apt-get remove -y -q larkspire >/dev/null; rm -rf "$scratch"' EXIT

QT_QPA_PLATFORM=offscreen QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu /usr/bin/larkspire &
program=$!
sleep 8
if ! kill -0 "$program" 2>/dev/null; then echo "the installed program did not stay up"; exit 1; fi
# Its window loads the promotion page, so the engine's own processes have started by now.
if ! pgrep -P "$program" >/dev/null; then echo "the installed program started no engine process"; kill "$program"; exit 1; fi
kill "$program"
wait "$program" || true
echo "package checked on $(. /etc/os-release && echo "$PRETTY_NAME"): $(basename "$deb")"
