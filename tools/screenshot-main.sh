#!/usr/bin/env bash
# Screenshots of the main window under Xvfb: first start, "2+3" with Ctrl+=,
# the Save dialog, after saving, an edit (title with "°") and Ctrl+Shift+=,
# the save-changes question, and the saved file reopened from the command line.
# Xvfb has no window manager and so no title bar: each shot gets the window
# title written above it.
# Usage: tools/screenshot-main.sh [build-dir] [out-dir]
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-$root/build}" && pwd)"
out="${2:-$build/screenshots}"
mkdir -p "$out"
out="$(cd "$out" && pwd)"

if [[ -z "${NUMERA_SCREENSHOT_INNER:-}" ]]; then
    export NUMERA_SCREENSHOT_INNER=1
    exec xvfb-run -a -s '-screen 0 1600x1000x24' "$0" "$build" "$out"
fi

# Settings of its own, so the user's stay untouched.
home="$(mktemp -d)"
pid=""
cleanup() {
    [[ -n "$pid" ]] && kill "$pid" 2>/dev/null || true
    rm -rf "$home"
}
trap cleanup EXIT
export XDG_CONFIG_HOME="$home/config"
export QT_QPA_PLATFORM=xcb
doc="$home/sum.tvc"
win=""

shot() {
    sleep 0.8
    local title
    title=$(xdotool getwindowname "$win" 2>/dev/null || echo "?")
    import -window root "$out/$1.png"
    convert "$out/$1.png" -background '#d0d0d0' -gravity north -splice 0x28 \
        -font DejaVu-Sans -pointsize 16 -fill black -annotate +0+4 "window title: [$title]" "$out/$1.png"
    echo "$out/$1.png  title=[$title]"
}

wait_window() {
    for _ in $(seq 50); do
        win=$(xdotool search --name "Tarvik F" 2>/dev/null | head -1 || true)
        if [[ -n "$win" ]]; then return 0; fi
        sleep 0.2
    done
    echo "window did not appear" >&2
    return 1
}

# Without a window manager the focus must be handed back after a dialog.
focus() { xdotool windowfocus --sync "$win" 2>/dev/null || true; sleep 0.3; }

"$build/bin/numera" &
pid=$!
wait_window
focus
shot 01-first-start

xdotool type --delay 60 '2+3'
xdotool key ctrl+equal
shot 02-calculated

xdotool key ctrl+s
sleep 1.2
shot 03-save-dialog
xdotool key ctrl+a
xdotool type --delay 20 "$doc"
xdotool key Return
focus
shot 04-saved

xdotool key End
xdotool type --delay 60 ';'
xdotool key Return
xdotool type --delay 60 '7*6'
shot 05-edited
xdotool key ctrl+shift+equal
shot 06-calculate-all

# File > Exit; the document changed since the save, so the question comes.
xdotool key alt+f x
shot 07-save-question
# "No": Tab from the default "Yes" to "No".
xdotool key Tab space
wait "$pid" 2>/dev/null || true
pid=""

"$build/bin/numera" "$doc" &
pid=$!
wait_window
focus
shot 08-reopened
xdotool key alt+f
shot 09-file-menu
xdotool key Escape
echo "saved file:"
od -An -c "$doc" | head -3
