#!/bin/bash
# Command-line printing through a private scheduler (tests/support/private-cups.sh):
# a calculation of 130 lines printed with /pt on the cups-pdf queue comes back
# as a PDF with the file line on top of every page, every line of the text in
# order and "k of N" on page k of N; /p prints the same on the default queue
# and writes no "Preferences", and without any printer writes NAME.pdf beside
# the calculation, or "NAME (2).pdf" when NAME.pdf is there, and says so.
# On a private X display, as a user would: Esc in the progress window cancels
# a long job (nothing reaches the queue); a queue that rejects jobs, and one
# deleted while the job waits in it, end with "The printing was cancelled."
# (answered with Return) and a non-zero exit.
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

if ! grep -q "^numera: Printed into $work/sums.pdf\$" "$work/none.log"; then
    fail "/p without printers did not say where it wrote: $(cat "$work/none.log")"
fi

# Run again, the PDF of the first run stays and the second goes beside it.
echo mine >"$work/sums.pdf"
CUPS_SERVER="$work/no-scheduler.sock" "$build/bin/numera" /p "$calc" >"$work/again.log" 2>&1
status=$?
[ "$status" = 0 ] || fail "/p beside an existing PDF exited with $status"
[ "$(cat "$work/sums.pdf")" = mine ] || fail "/p replaced the existing sums.pdf"
check_pdf "$work/sums (2).pdf" "/p beside an existing PDF"
grep -q "^numera: Printed into $work/sums (2).pdf\$" "$work/again.log" ||
    fail "/p did not say it wrote sums (2).pdf: $(cat "$work/again.log")"

# ---- On a display of our own ---------------------------------------------
display_checks() {
    local displayfd="$work/display"
    Xvfb -displayfd 1 -screen 0 1280x1024x24 -nolisten tcp -noreset >"$displayfd" 2>/dev/null &
    xvfb=$!
    for _ in $(seq 50); do
        [ -s "$displayfd" ] && break
        sleep 0.1
    done
    if [ ! -s "$displayfd" ]; then
        echo "print-e2e: Xvfb did not start; display checks skipped" >&2
        return
    fi
    export DISPLAY=":$(head -n 1 "$displayfd")"
    for _ in $(seq 50); do
        xdotool getdisplaygeometry >/dev/null 2>&1 && break
        sleep 0.1
    done

    # run_gui LOG KEY ARGUMENT...: the program on the display; KEY (a window
    # name and a key, "Printing=Escape") is pressed in that window while it
    # shows, and every message dialog is answered with Return. Sets
    # gui_status and gui_messages (how many message dialogs came up).
    run_gui() {
        local log=$1 key=$2
        shift 2
        QT_QPA_PLATFORM=xcb "$build/bin/numera" "$@" >"$log" 2>&1 &
        local pid=$! window
        gui_messages=0
        for _ in $(seq 1 2400); do
            kill -0 "$pid" 2>/dev/null || break
            if [ -n "$key" ]; then
                window=$(xdotool search --onlyvisible --name "^${key%%=*}\$" 2>/dev/null | head -n 1)
                if [ -n "$window" ]; then
                    xdotool windowfocus "$window" 2>/dev/null
                    xdotool key "${key#*=}"
                    sleep 0.2
                    continue
                fi
            fi
            window=$(xdotool search --name '^Calculator (warns|asks|informs|stops)$' 2>/dev/null | head -n 1)
            if [ -n "$window" ]; then
                sleep 0.5
                xdotool windowfocus "$window" 2>/dev/null
                xdotool key Return
                gui_messages=$((gui_messages + 1))
                sleep 0.5
            fi
            sleep 0.05
        done
        kill "$pid" 2>/dev/null
        wait "$pid"
        gui_status=$?
    }
    cancelled='^numera: The printing was cancelled\.$'

    # Esc while a long job (some 960 pages) prints: it stops, nothing is
    # handed to the queue.
    long="$work/long.tvc"
    {
        printf '\xff\xfe'
        for k in $(seq 1 50000); do printf '%s\r\n' "$k*2 = $((2 * k));"; done | iconv -f UTF-8 -t UTF-16LE
    } >"$long"
    rm -f "$NUMERA_PDF_OUT"/*.pdf
    run_gui "$work/cancel.log" "Printing=Escape" /p "$long"
    [ "$gui_status" = 1 ] || fail "a cancelled /p exited with $gui_status: $(tail -n 3 "$work/cancel.log")"
    [ "$gui_messages" = 0 ] || fail "a cancelled /p showed $gui_messages messages: $(cat "$work/cancel.log")"
    sleep 2
    [ -z "$(lpstat -o 2>/dev/null)" ] || fail "a cancelled job is queued: $(lpstat -o)"
    [ -z "$(ls "$NUMERA_PDF_OUT"/*.pdf 2>/dev/null)" ] || fail "a cancelled job was printed"

    # A queue that rejects jobs.
    cupsreject NumeraPDF
    run_gui "$work/reject.log" "" /pt "$calc" NumeraPDF CUPS cups-pdf:/
    cupsaccept NumeraPDF
    [ "$gui_status" = 1 ] || fail "/pt on a rejecting queue exited with $gui_status"
    [ "$gui_messages" = 1 ] || fail "/pt on a rejecting queue showed $gui_messages messages"
    grep -q "$cancelled" "$work/reject.log" ||
        fail "/pt on a rejecting queue: $(cat "$work/reject.log")"

    # A queue deleted while the job waits in it.
    lpadmin -p NumeraGone -E -v cups-pdf:/ -m lsb/usr/cups-pdf/CUPS-PDF_noopt.ppd 2>/dev/null ||
        lpadmin -p NumeraGone -E -v cups-pdf:/ -P /usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd
    cupsdisable NumeraGone
    (
        for _ in $(seq 1 300); do
            if [ -n "$(lpstat -o NumeraGone 2>/dev/null)" ]; then
                lpadmin -x NumeraGone
                break
            fi
            sleep 0.1
        done
    ) &
    remover=$!
    run_gui "$work/gone.log" "" /pt "$calc" NumeraGone CUPS cups-pdf:/
    wait "$remover"
    [ "$gui_status" = 1 ] || fail "/pt on a deleted queue exited with $gui_status"
    grep -q "$cancelled" "$work/gone.log" || fail "/pt on a deleted queue: $(cat "$work/gone.log")"

    # /p without a file says so instead of naming an empty path.
    run_gui "$work/nofile.log" "" /p
    [ "$gui_status" = 1 ] || fail "/p without a file exited with $gui_status"
    grep -q '^numera: /p needs the file to print\.$' "$work/nofile.log" ||
        fail "/p without a file: $(cat "$work/nofile.log")"

    kill "$xvfb" 2>/dev/null
    wait "$xvfb" 2>/dev/null
}
if command -v Xvfb >/dev/null && command -v xdotool >/dev/null; then
    display_checks
else
    echo "print-e2e: Xvfb or xdotool is missing; display checks skipped" >&2
fi

[ "$failures" = 0 ] && echo "print-e2e: all checks passed"
[ "$failures" = 0 ]
