#!/usr/bin/env bash
# Fails when a C++ source of the repository differs from what clang-format
# makes of it with the repository's .clang-format.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
format=${CLANG_FORMAT:-clang-format}
mapfile -t files < <(git ls-files '*.h' '*.cpp')
if [[ ${1:-} == --fix ]]; then
    "$format" -i "${files[@]}"
    exit 0
fi
if "$format" --dry-run --Werror "${files[@]}"; then
    echo "check-format: ${#files[@]} files as clang-format makes them"
else
    echo "check-format: run scripts/check-format.sh --fix, or clang-format -i on the files above" >&2
    exit 1
fi
