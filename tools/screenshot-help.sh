#!/usr/bin/env bash
# Pictures of the help window under Xvfb, driven with xdotool on the real
# program: F1 in the editor (the language page), Help Topics (the contents),
# a function entry and a diagnostic entry found through the index, and the
# results of a full-text search. Openbox, when installed, draws the frames.
# Usage: tools/screenshot-help.sh [build-dir] [out-dir]
# With NUMERA_SCREENSHOT_DISPLAY=:N it uses that running X server instead of
# starting one.
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-$root/build}" && pwd)"
out="${2:-$build/screenshots-help}"
mkdir -p "$out"
out="$(cd "$out" && pwd)"

if [[ -z "${NUMERA_SCREENSHOT_INNER:-}" ]]; then
    cmake --build "$build" --target numera >/dev/null
    export NUMERA_SCREENSHOT_INNER=1
    if [[ -n "${NUMERA_SCREENSHOT_DISPLAY:-}" ]]; then
        DISPLAY="$NUMERA_SCREENSHOT_DISPLAY" exec "$0" "$build" "$out"
    fi
    exec xvfb-run -a -s '-screen 0 1400x900x24' "$0" "$build" "$out"
fi

rm -f "$out"/[0-9][0-9]-*.png
# Settings, desktop entries and the help collection of its own.
home="$(mktemp -d)"
wm=""
app=""
cleanup() {
    [[ -n "$app" ]] && kill "$app" 2>/dev/null || true
    [[ -n "$wm" ]] && kill "$wm" 2>/dev/null || true
    rm -rf "$home"
}
trap cleanup EXIT
export HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data"
export XDG_CACHE_HOME="$home/cache" QT_QPA_PLATFORM=xcb

if command -v openbox >/dev/null && ! xdotool search --class openbox >/dev/null 2>&1; then
    openbox --config-file /dev/null >/dev/null 2>&1 &
    wm=$!
    sleep 1
fi

# The id of the first window whose title matches, waiting for it.
window() {
    for _ in $(seq 50); do
        if id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1) && [[ -n "$id" ]]; then
            echo "$id"
            return
        fi
        sleep 0.2
    done
    echo "no window '$1'" >&2
    exit 1
}
shot() { sleep 1; import -window "$help" "$out/$1.png"; }

"$build/bin/numera" &
app=$!
main=$(window 'Tarvik F')
xdotool windowactivate --sync "$main"
sleep 1
xdotool type --delay 40 'sin(30)'
xdotool key F1
help=$(window 'Numera Help')
shot 01-f1-in-editor

xdotool windowactivate --sync "$main" key alt+h Return
shot 02-contents

xdotool windowactivate --sync "$help" key alt+i
xdotool type --delay 40 'sech'
xdotool key Return
shot 03-function-entry

xdotool key alt+i ctrl+a
xdotool type --delay 20 'Function is not defined for'
xdotool key Return
shot 04-diagnostic-entry

xdotool key alt+s
xdotool type --delay 40 'singularity'
xdotool key Return
sleep 2
shot 05-search-results
echo "screenshots in $out"
