#!/usr/bin/env bash
# Pictures of the main window with its panels under Xvfb: the first start,
# " Deg" chosen in the toolbar's list, sin(30) typed with the keypad,
# memory cells and "= all", warnings in the log, the statistics and the log
# floating, the toolbar docked at the left with the units window, the
# Set > Keypad > Style menu, and a second start that keeps the layout.
# The session runs inside the program (tools/demos/frame_demo.cpp) and
# saves its own screen grabs. Openbox, when installed, draws the window
# frames (apt-get install openbox); without it windows have no title bars.
# Usage: tools/screenshot-frame.sh [build-dir] [out-dir]
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-$root/build}" && pwd)"
out="${2:-$build/screenshots-frame}"
mkdir -p "$out"
out="$(cd "$out" && pwd)"

if [[ -z "${NUMERA_SCREENSHOT_INNER:-}" ]]; then
    cmake --build "$build" --target frame_demo >/dev/null
    export NUMERA_SCREENSHOT_INNER=1
    exec xvfb-run -a -s '-screen 0 1600x1000x24' "$0" "$build" "$out"
fi

rm -f "$out"/[0-9][0-9]-*.png
# Settings of its own, so the user's stay untouched.
home="$(mktemp -d)"
wm=""
cleanup() {
    [[ -n "$wm" ]] && kill "$wm" 2>/dev/null || true
    rm -rf "$home"
}
trap cleanup EXIT
export XDG_CONFIG_HOME="$home/config"
export QT_QPA_PLATFORM=xcb

if command -v openbox >/dev/null; then
    openbox --config-file /dev/null >/dev/null 2>&1 &
    wm=$!
    sleep 1
fi

"$build/bin/frame_demo" "$out"
