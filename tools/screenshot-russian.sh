#!/usr/bin/env bash
# Screenshots of the program started with "/lang ru" under Xvfb with openbox:
# the main window with filled panels, its menus, the save-changes question
# (a message dialog), Qt's open dialog, the about box, the preferences dialog,
# the statistics panel and the narrowest message dialog of each kind. The menus are
# opened with the mouse: Alt with a Cyrillic letter needs a Russian keyboard
# layout, which Xvfb has not.
# Usage: tools/screenshot-russian.sh [build-dir] [out-dir] [display]
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-$root/build}" && pwd)"
out="${2:-$build/screenshots/russian}"
display="${3:-:24}"
mkdir -p "$out"
out="$(cd "$out" && pwd)"

# Settings and desktop folders of its own, so the user's stay untouched.
home="$(mktemp -d)"
xvfb="" wm="" pid=""
cleanup() {
    for p in "$pid" "$wm" "$xvfb"; do [[ -n "$p" ]] && kill "$p" 2>/dev/null || true; done
    rm -rf "$home"
}
trap cleanup EXIT
export HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data"
export QT_QPA_PLATFORM=xcb DISPLAY="$display"

Xvfb "$display" -screen 0 1600x1000x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
sleep 1
openbox >/dev/null 2>&1 &
wm=$!
sleep 1

shot() {
    sleep 0.8
    import -window root "$out/$1.png"
    echo "$out/$1.png"
}
click() { xdotool mousemove "$1" "$2" click 1; sleep 0.6; }

"$build/bin/numera" /lang ru &
pid=$!
win=""
for _ in $(seq 50); do
    win=$(xdotool search --name "Tarvik F" 2>/dev/null | head -1 || true)
    [[ -n "$win" ]] && break
    sleep 0.2
done
[[ -n "$win" ]] || { echo "window did not appear" >&2; exit 1; }
xdotool windowactivate --sync "$win"
sleep 0.5

# Memory cells, a result and an error in the log.
xdotool type --delay 30 '5->mem[a]; 7->mem[b]; 1e-320*1; '
xdotool key ctrl+shift+equal
xdotool type --delay 30 'ln(0) '
xdotool key ctrl+equal
shot 00-main-window

# The menu titles sit at y 27 below openbox's title bar; x at their middles.
bar_y=27
click 26 $bar_y
shot 01-file-menu
xdotool key Escape Escape
click 251 $bar_y
# Set > Keypad > Text colour: a menu opened by the mouse has no item chosen.
xdotool key Down Down Down Right Down Down Right
shot 02-set-keypad-text-colour
xdotool key Escape Escape Escape Escape
click 190 $bar_y
shot 03-view-menu
xdotool key Escape Escape

# The save-changes question: the text is modified, New asks.
xdotool key ctrl+n
shot 04-save-question
xdotool key Escape
sleep 0.6

# Qt's own open dialog, in Russian through qtbase_ru.qm.
xdotool key ctrl+o
sleep 1
shot 05-open-dialog
xdotool key Escape
sleep 0.6

click 326 $bar_y
xdotool key Down Return
shot 06-about-box
xdotool key Escape
sleep 0.6

click 251 $bar_y
xdotool key Down Return
shot 07-preferences
xdotool key Escape
sleep 0.6

# The statistics panel, which floats over the menu bar: last.
xdotool windowactivate --sync "$win"
xdotool key ctrl+t
shot 08-statistics
kill "$pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true
pid=""

# The narrowest message dialogs of each kind, whose captions are the longest
# texts of them (tools/demos/toolkit_demo, built when missing).
if [[ ! -x "$build/bin/toolkit_demo" ]]; then
    cmake --build "$build" --target toolkit_demo
fi
for demo in informs warning stop twolines; do
    "$build/bin/toolkit_demo" "$demo" --no-backdrop --hold 2500 \
        --qm "$build/bin/translations/numera_ru.qm" >/dev/null &
    pid=$!
    sleep 1.6
    shot "09-message-$demo"
    wait "$pid" 2>/dev/null || true
    pid=""
done
