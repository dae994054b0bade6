# SPDX-License-Identifier: MIT
# What the scripts that build share; they source it. The checkout; the build folders, one per
# kind of build, all in LARKSPIRE_BUILDS (the checkout unless set); and configure, which installs
# what building needs and configures a build folder with the caller's CMake arguments and this
# run's (LARKSPIRE_CMAKE_ARGS: CI sets warnings as errors there).
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
builds="${LARKSPIRE_BUILDS:-$root}"

# build_folder KIND: build, build-package, build-fuzz or build-sanitize.
build_folder() { echo "$builds/$1"; }

# Commands that change the system run through sudo unless this is root.
if [ "$(id -u)" -eq 0 ]; then as_root=(); else as_root=(sudo); fi

# Chromium refuses to run as root with its sandbox on: the program, as the scripts start it, runs
# without it then.
if [ "$(id -u)" -eq 0 ]; then export QTWEBENGINE_DISABLE_SANDBOX=1; fi

# configure FOLDER [CMAKE ARGUMENTS...]
configure() {
    local folder=$1
    shift
    "$root/scripts/deps.sh"
    # LARKSPIRE_CMAKE_ARGS may hold several arguments: it is split on purpose.
    # shellcheck disable=SC2086
    cmake -S "$root" -B "$folder" "$@" ${LARKSPIRE_CMAKE_ARGS:-} >/dev/null
}
