#!/usr/bin/env bash
# Unsaved work survives the end of a real numera process, on a private X
# display: typed and calculated into a file's calculation, the process killed
# with SIGKILL; on the next start the question comes first, "Yes" (Return)
# brings back the text under its path with the caret and the memory, proved
# by typing at the caret, calculating with the memory and saving. Then a new
# calculation ended by SIGTERM without waiting for the pause, one whose
# display goes away, and one whose window another client destroys: each ends
# at once and its work is offered at the next start.
# Usage: recovery-e2e.sh BUILD_DIR. Exit 77 (skipped) without Xvfb or xdotool.
set -uo pipefail

build="$(cd "$1" && pwd)"
skip() { echo "SKIP: $*"; exit 77; }
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
for tool in Xvfb xdotool python3; do
    command -v "$tool" >/dev/null || skip "$tool is not installed"
done
[[ -x "$build/bin/numera" ]] || { echo "FAIL: $build/bin/numera is not built" >&2; exit 1; }

work="$(mktemp -d)"
servers=()
pid=""
cleanup() {
    [[ -n "$pid" ]] && kill -9 "$pid" 2>/dev/null
    for server in "${servers[@]}"; do kill "$server" 2>/dev/null; done
    rm -rf "$work"
}
trap cleanup EXIT

# start_display: a display of our own on a free number; sets display, server.
start_display() {
    local fd
    fd=$(mktemp -p "$work")
    Xvfb -displayfd 1 -screen 0 1600x1000x24 -nolisten tcp -noreset >"$fd" 2>/dev/null &
    server=$!
    servers+=("$server")
    for _ in $(seq 50); do [[ -s "$fd" ]] && break; sleep 0.1; done
    [[ -s "$fd" ]] || skip "Xvfb did not start"
    display=":$(head -1 "$fd")"
    for _ in $(seq 50); do
        DISPLAY=$display xdotool getdisplaygeometry >/dev/null 2>&1 && return
        sleep 0.1
    done
    skip "Xvfb on $display does not answer"
}

export HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
export XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" && mkdir -m 700 "$XDG_RUNTIME_DIR"
recovery="$XDG_DATA_HOME/Tarvik/Numera/recovery"
start_display
main_display=$display
export DISPLAY=$main_display

# launch [ARGS...]: starts numera in the background; sets pid.
launch() {
    "$build/bin/numera" "$@" >>"$work/numera.log" 2>&1 &
    pid=$!
}
# window_named TEXT: waits for a window whose title holds TEXT; sets win.
window_named() {
    win=""
    for _ in $(seq 150); do
        win=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | tail -1)
        [[ -n "$win" ]] && { xdotool windowfocus --sync "$win" 2>/dev/null; sleep 0.4; return 0; }
        sleep 0.1
    done
    return 1
}
# ended PID SECONDS: the process is gone within the time.
ended() {
    for _ in $(seq $(($2 * 10))); do
        kill -0 "$1" 2>/dev/null || return 0
        sleep 0.1
    done
    return 1
}
# copy_field FILE FIELD: a field of a recovery copy (text, path, caret, memory).
copy_field() {
    python3 - "$1" "$2" <<'EOF'
import sys
data = open(sys.argv[1], 'rb').read()
fields, at = {}, data.index(b'\n') + 1
while at < len(data):
    end = data.index(b'\n', at)
    key, _, value = data[at:end].decode('latin-1').partition(' ')
    at = end + 1
    if key in ('path', 'text', 'memory'):
        blob = data[at:at + int(value)]
        at += int(value) + 1
        value = blob.decode('utf-8' if key == 'path' else 'utf-16-le')
    fields[key] = value
print(fields[sys.argv[2]], end='')
EOF
}
newest_copy() { ls -t "$recovery"/*.recovery 2>/dev/null | head -1; }
# wait_copy TEXT: waits until the newest copy holds TEXT.
wait_copy() {
    for _ in $(seq 60); do
        local copy
        copy=$(newest_copy)
        [[ -n "$copy" && "$(copy_field "$copy" text)" == "$1" ]] && return 0
        sleep 0.1
    done
    return 1
}
# answer_offer KEY: the question appears before the main window; KEY answers it.
answer_offer() {
    if window_named "Calculator asks"; then
        xdotool key --window "$win" "$1"
    else
        fail "no question at start: $(cat "$work/numera.log")"
    fi
}
file_text() { tail -c +3 "$1" | iconv -f UTF-16LE -t UTF-8; }

# 1. SIGKILL: a calculation with a file, memory stored, the caret inside.
calc="$work/sums.tvc"
printf '\xff\xfe' >"$calc" && printf '10*2' | iconv -f UTF-8 -t UTF-16LE >>"$calc"
launch "$calc"
window_named "sums" || fail "the window did not appear"
xdotool key ctrl+End && xdotool type --delay 30 ';7->mem[k]' && xdotool key ctrl+equal
xdotool key ctrl+Home && xdotool type --delay 30 '5+5;'
wait_copy "5+5;10*2;7->mem[k]=7" || fail "no copy of the typed work after the pause"
kill -9 "$pid"
wait "$pid" 2>/dev/null
launch
answer_offer Return
if window_named "sums"; then
    xdotool type --delay 30 'mem[k]*3;' && xdotool key Left ctrl+equal ctrl+s
    sleep 1
    got=$(file_text "$calc")
    [[ "$got" == "5+5;mem[k]*3=21;10*2;7->mem[k]=7" ]] ||
        fail "after SIGKILL and Yes the saved text is \"$got\""
    [[ -z "$(newest_copy)" ]] || fail "the copy is still there after Save"
else
    fail "the recovered window did not appear"
fi
kill -9 "$pid" 2>/dev/null
wait "$pid" 2>/dev/null

# 2. SIGTERM at once after typing (no pause): the copy is written on the way out.
launch
window_named "Tarvik F" || fail "the window did not appear"
xdotool type --delay 30 '2+2'
kill -TERM "$pid"
ended "$pid" 5 || fail "SIGTERM did not end the program"
wait "$pid" 2>/dev/null
code=$?
[[ $code -eq 0 ]] || fail "SIGTERM: the program ended with $code"
copy=$(newest_copy)
[[ -n "$copy" && "$(copy_field "$copy" text)" == "2+2" && "$(copy_field "$copy" caret)" == "3 3" ]] ||
    fail "SIGTERM left no copy of \"2+2\" with the caret at its end"

# 3. The next start offers it; Yes makes it this run's copy.
launch
answer_offer Return
window_named "Calculation" || fail "the recovered window did not appear"
wait_copy "2+2" || fail "the recovered work has no copy of this run"
[[ $(ls "$recovery"/*.recovery | wc -l) -eq 1 ]] || fail "the old copy was not replaced"

# 4. The display goes away: the work is written as the program ends.
xdotool type --delay 30 '*5'
start_display
second=$server
DISPLAY=$display "$build/bin/numera" >>"$work/numera.log" 2>&1 &
lost=$!
DISPLAY=$display window_named "Tarvik F" || fail "the window on the second display did not appear"
DISPLAY=$display xdotool type --delay 30 '3+3'
kill "$second"
ended "$lost" 10 || fail "the program outlived its display"
wait_copy "3+3" || fail "the lost display left no copy of \"3+3\""

# 5. Another client destroys the main window: the program ends, the work kept.
kill -0 "$pid" || fail "the first instance ended too"
win=$(xdotool search --onlyvisible --name "Tarvik F" | tail -1)
xdotool windowclose "$win" 2>/dev/null
ended "$pid" 10 || fail "the program outlived its destroyed window"
wait_copy "2+2*5" || fail "the destroyed window left no copy of \"2+2*5\""

# 6. Both are offered at the next starts, newest first; No keeps each aside.
launch
answer_offer Escape
sleep 0.5
answer_offer Escape
window_named "Tarvik F" || fail "no window after two answers"
[[ $(ls "$recovery"/*.declined* 2>/dev/null | wc -l) -eq 2 ]] || fail "declined copies not kept"
[[ -z "$(newest_copy)" ]] || fail "a declined copy is still offered"
# Every copy written on the way out was a sound one.
[[ -z "$(ls "$recovery"/*.refused* 2>/dev/null)" ]] || fail "a copy was refused as unreadable"

if ((failures > 0)); then
    echo "numera log:" >&2
    cat "$work/numera.log" >&2
    exit 1
fi
echo "PASS: SIGKILL, SIGTERM, a lost display and a destroyed window keep the work for the next start"
