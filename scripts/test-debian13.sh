#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The Debian 13 leg (Qt 6.8): in a Debian 13 root made with debootstrap, installs the project's
# dependencies with scripts/deps.sh, builds with warnings as errors and runs the whole test suite
# as scripts/test.sh does here, then builds the Debian package there and installs and starts it
# with scripts/check-package.sh, as it does with each package named on the command line
# (scripts/test-debian13.sh build-package/larkspire_*.deb: the Debian 12 package on Debian 13).
#
# Needs root (debootstrap, mounts, chroot). The root is kept in /var/cache/larkspire/debian13
# (or LARKSPIRE_DEBIAN13_ROOT) and reused by the next run; the build trees live inside it. The
# archive is the one this machine's own apt sources name. Whatever this script mounts it
# unmounts again, also when a step fails.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
target="${LARKSPIRE_DEBIAN13_ROOT:-/var/cache/larkspire/debian13}"
suite=trixie

[ "$(id -u)" -eq 0 ] || { echo "test-debian13.sh needs root: debootstrap, mount and chroot"; exit 1; }

# The first Debian archive in this machine's apt sources (deb822 .sources or one-line .list): a
# source for one of Debian's own releases, not the security archive, whose layout debootstrap
# cannot use, nor another vendor's archive.
archive_address() {
    local file releases='[ \t](bookworm|trixie|forky|stable|testing|sid|unstable)([ \t-]|$)'
    for file in /etc/apt/sources.list.d/*.sources; do
        [ -f "$file" ] || continue
        awk -v release="$releases" 'BEGIN { RS = "" }
             {
                 types = uris = suites = ""; n = split($0, lines, "\n")
                 for (i = 1; i <= n; ++i) {
                     if (lines[i] ~ /^Types:/) types = lines[i]
                     if (lines[i] ~ /^URIs:/) uris = lines[i]
                     if (lines[i] ~ /^Suites:/) suites = lines[i]
                 }
                 if (types ~ /[ \t]deb([ \t]|$)/ && suites ~ release && suites !~ /-security/ && uris != "") {
                     split(uris, field, /[ \t]+/); print field[2]; exit
                 }
             }' "$file"
    done
    for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
        [ -f "$file" ] || continue
        awk -v release="$releases" '$1 == "deb" && $0 ~ release && $0 !~ /-security/ {
                 for (i = 2; i <= NF; ++i) if ($i !~ /^\[/ && $i !~ /\]$/) { print $i; exit }
             }' "$file"
    done
}

# Mounts left behind by a run that was killed before it could clean up.
unmount_all() {
    findmnt -rn -o TARGET | { grep -F "$target/" || true; } | sort -r | while read -r point; do
        umount -R "$point" 2>/dev/null || umount -l "$point"
    done
}
trap unmount_all EXIT
unmount_all

"$top/scripts/deps.sh" debootstrap
if [ ! -f "$target/.larkspire-complete" ]; then
    address=$(archive_address | head -n 1)
    [ -n "$address" ] || { echo "no Debian archive found in this machine's apt sources"; exit 1; }
    echo "Making a Debian 13 root in $target from $address"
    rm -rf --one-file-system "$target"
    mkdir -p "$target"
    debootstrap --variant=minbase "$suite" "$target" "$address" >"$target.debootstrap.log" 2>&1 \
        || { tail -n 30 "$target.debootstrap.log"; exit 1; }
    touch "$target/.larkspire-complete"
fi

bind() {
    mkdir -p "$target$2"
    mount --rbind "$1" "$target$2"
    mount --make-rslave "$target$2"
}
bind /proc /proc
bind /dev /dev
bind /sys /sys
bind "$top" /src
cp /etc/resolv.conf "$target/etc/resolv.conf"

# Packages made elsewhere (by scripts/package.sh on Debian 12) are installed and started here too.
others=()
for deb in "$@"; do
    path=$(realpath "$deb")
    [ "${path#"$top"/}" != "$path" ] || { echo "$deb is not inside the checkout"; exit 1; }
    others+=("/src/${path#"$top"/}")
done

chroot "$target" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 \
    LARKSPIRE_CMAKE_ARGS="${LARKSPIRE_CMAKE_ARGS:--DLARKSPIRE_WERROR=ON}" \
    LARKSPIRE_BUILDS=/root \
    bash -euo pipefail -c 'cd /src
                           scripts/test.sh
                           scripts/package.sh
                           scripts/check-package.sh
                           for deb in "$@"; do scripts/check-package.sh "$deb"; done' larkspire "${others[@]}"
