#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Checks every C++ file against .clang-format; with --fix, formats them in place. Hand-aligned
# data tables stand between "// clang-format off" and "// clang-format on".
set -euo pipefail
cd "$(dirname "$0")/.."
"scripts/deps.sh" clang-format
mapfile -t files < <(git ls-files --cached --others --exclude-standard '*.cpp' '*.h')
if [ "${1:-}" = "--fix" ]; then
    clang-format -i "${files[@]}"
else
    clang-format --dry-run -Werror "${files[@]}"
    echo "format checked: ${#files[@]} files"
fi
