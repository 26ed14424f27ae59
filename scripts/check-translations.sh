#!/usr/bin/env bash
# Checks the translation file against the program, in two steps:
#   1. the texts the program shows (numera_texts gathers them from its tables,
#      menus and dialogs) are all sources of the file, and every source has a
#      finished translation that keeps its placeholders, line feeds,
#      accelerator and edge spaces (the untranslated ones are named);
#   2. the file is what lupdate writes from today's sources, so no tr() text
#      is missing from it and none is left over.
# Usage: scripts/check-translations.sh NUMERA_TEXTS FILE.ts LUPDATE LUPDATE-ARGS...
# Runs from the repository root (ctest sets it). To bring the file up to date:
#   cmake --build build --target numera_lupdate
set -uo pipefail

if (($# < 3)); then
    echo "usage: $0 NUMERA_TEXTS FILE.ts LUPDATE [LUPDATE-ARGS...]" >&2
    exit 2
fi
texts=$1 ts=$2 lupdate=$3
shift 3

status=0
if ! "$texts" "$ts"; then
    echo "check-translations: texts above are missing from $ts, untranslated or" \
        "unlike their sources" >&2
    status=1
fi

if ! command -v "$lupdate" >/dev/null 2>&1; then
    echo "check-translations: lupdate not found ($lupdate); install qt6-l10n-tools" >&2
    exit 1
fi
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fresh="$scratch/$(basename "$ts")"
cp "$ts" "$fresh"
if ! "$lupdate" "$@" -ts "$fresh" >"$scratch/lupdate.log" 2>&1; then
    cat "$scratch/lupdate.log" >&2
    echo "check-translations: lupdate failed" >&2
    exit 1
fi
if ! diff -u "$ts" "$fresh"; then
    echo "check-translations: $ts is out of date with the sources;" \
        "run: cmake --build build --target numera_lupdate" >&2
    status=1
fi
exit "$status"
