#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Checks the C++ code against .clang-format; with --fix, formats it in place. The Qt Test files
# (tests/tst_*.cpp) keep their hand-aligned data tables and are left out.
set -euo pipefail
cd "$(dirname "$0")/.."
"scripts/deps.sh" clang-format
mapfile -t files < <(git ls-files --cached --others --exclude-standard '*.cpp' '*.h' | grep -v '^tests/tst_')
if [ "${1:-}" = "--fix" ]; then
    clang-format -i "${files[@]}"
else
    clang-format --dry-run -Werror "${files[@]}"
    echo "format checked: ${#files[@]} files"
fi
