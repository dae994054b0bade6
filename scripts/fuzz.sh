#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the libFuzzer targets with clang and runs each for the given number of seconds (60 if
# none is given). New inputs are kept in the build tree; the committed seeds stay as they are.
set -euo pipefail
source "$(dirname "$0")/common.sh"
build=$(build_folder build-fuzz)
seconds="${1:-60}"

"$root/scripts/deps.sh" clang libclang-rt-14-dev
CC=clang CXX=clang++ configure "$build" -DLARKSPIRE_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j"$(nproc)"

for target in searchaddress linkextract ratingparser arithmetic pageflow itempage boardtable; do
    corpus="$build/corpus/$target"
    mkdir -p "$corpus"
    seeds=("$root/fuzz/corpus/$target")
    case "$target" in linkextract|ratingparser) seeds+=("$root/tests/data") ;; esac
    log="$build/fuzz_$target.log"
    echo "== fuzz_$target for ${seconds}s"
    if ! "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
            -artifact_prefix="$build/" "$corpus" "${seeds[@]}" >"$log" 2>&1; then
        tail -n 40 "$log"
        echo "fuzz_$target found a failing input: see $log and the crash file beside it"
        exit 1
    fi
    grep -E '^#[0-9]+.*DONE|stat::(number_of_executed_units|slowest_unit_time_sec|peak_rss_mb)' "$log"
done
