#!/bin/bash
# Command-line printing through a private scheduler (tests/support/private-cups.sh):
# a calculation of 130 lines printed with /pt on the cups-pdf queue comes back
# as a PDF with the file line on top of every page, every line of the text in
# order and "k of N" on page k of N; /p prints the same on the default queue
# and writes no "Preferences", and without any printer writes NAME.pdf beside
# the calculation.
#   print-e2e.sh BUILD_DIR
set -u
build=${1:?usage: print-e2e.sh BUILD_DIR}
here=$(cd "$(dirname "$0")" && pwd)
if [ -z "${CUPS_SERVER:-}" ]; then
    exec "$here/../support/private-cups.sh" "$0" "$@"
fi
for tool in pdfinfo pdftotext; do
    command -v "$tool" >/dev/null || { echo "print-e2e: $tool is missing; skipped" >&2; exit 77; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
export XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=offscreen QT_FONT_DPI=96
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# 130 lines "k*2 = 2k;", CR LF between them, UTF-16LE after FF FE.
expected="$work/expected.txt"
for k in $(seq 1 130); do echo "$k*2 = $((2 * k));"; done >"$expected"
calc="$work/sums.tvc"
{
    printf '\xff\xfe'
    sed '$!s/$/\r/' "$expected" | head -c -1 | iconv -f UTF-8 -t UTF-16LE
} >"$calc"

# Waits until the scheduler has no job left, then names the newest PDF.
printed_pdf() {
    for _ in $(seq 1 120); do
        [ -z "$(lpstat -o 2>/dev/null)" ] && break
        sleep 0.5
    done
    sleep 1
    ls -t "$NUMERA_PDF_OUT"/*.pdf 2>/dev/null | head -n 1
}

# check_pdf PDF WHAT: the pages, the file line, the body and the numbers.
check_pdf() {
    local pdf=$1 what=$2
    if [ -z "$pdf" ] || [ ! -s "$pdf" ]; then
        fail "$what: no PDF came out"
        return
    fi
    local pages
    pages=$(pdfinfo "$pdf" | awk '/^Pages:/ {print $2}')
    [ "${pages:-0}" -ge 2 ] || fail "$what: $pages pages, 130 lines need more than one"
    pdftotext -layout "$pdf" "$work/text.txt"
    # Pages are separated by form feeds.
    awk -v RS='\f' -v pages="$pages" -v what="$what" '
        NR > pages { if ($0 ~ /[^[:space:]]/) { print what ": text after the last page"; bad = 1 } ; next }
        {
            n = split($0, lines, "\n"); first = ""; last = ""
            for (i = 1; i <= n; i++) if (lines[i] ~ /[^[:space:]]/) { if (first == "") first = lines[i]; last = lines[i] }
            if (first !~ /^ *Calculator file sums\.tvc$/) { print what ": page " NR " begins with \"" first "\""; bad = 1 }
            if (last !~ (" " NR " of " pages "$")) { print what ": page " NR " ends with \"" last "\""; bad = 1 }
        }
        END { exit bad }' "$work/text.txt" >&2 || fail "$what: header or page numbers"
    grep -E '^[0-9]+\*2 = [0-9]+;$' "$work/text.txt" >"$work/body.txt"
    cmp -s "$work/body.txt" "$expected" ||
        fail "$what: the body differs: $(diff "$expected" "$work/body.txt" | head -n 5 | tr '\n' ' ')"
    # N pages as counted for "n of N": the page numbers say the same.
    grep -q " $pages of $pages\$" "$work/text.txt" || fail "$what: no \"$pages of $pages\""
}

"$build/bin/numera" /pt "$calc" NumeraPDF CUPS cups-pdf:/ >"$work/pt.log" 2>&1
status=$?
[ "$status" = 0 ] || fail "/pt exited with $status: $(tail -n 3 "$work/pt.log")"
first=$(printed_pdf)
check_pdf "$first" "/pt"
# The next job has the same title and so the same file name.
rm -f "$NUMERA_PDF_OUT"/*.pdf

"$build/bin/numera" /p "$calc" >"$work/p.log" 2>&1
status=$?
[ "$status" = 0 ] || fail "/p exited with $status: $(tail -n 3 "$work/p.log")"
second=$(printed_pdf)
check_pdf "$second" "/p"
settings="$XDG_CONFIG_HOME/Tarvik/Numera.conf"
if grep -q '^\[Preferences\]' "$settings" 2>/dev/null; then fail "/p wrote Preferences"; fi
[ -e "$work/sums.pdf" ] && fail "/p wrote a PDF beside the document although a printer is there"

# Without any printer (a scheduler that is not there) /p writes sums.pdf
# beside the calculation.
CUPS_SERVER="$work/no-scheduler.sock" "$build/bin/numera" /p "$calc" >"$work/none.log" 2>&1
status=$?
[ "$status" = 0 ] || fail "/p without printers exited with $status: $(tail -n 3 "$work/none.log")"
check_pdf "$work/sums.pdf" "/p without printers"

[ "$failures" = 0 ] && echo "print-e2e: all checks passed"
[ "$failures" = 0 ]
