#!/usr/bin/env bash
# Pictures of the log, memory, statistics and unit panels under Xvfb, filled
# with a sample session (warnings and an error in the log, six memory cells
# with three checked, their statistics, degrees in the unit selector).
# Writes panel-*.png and panels-docked.png (Qt's own grabs) and screen.png
# (the whole X screen) into the output directory.
# Usage: tools/screenshot-panels.sh [build-dir] [out-dir]
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-$root/build}" && pwd)"
out="${2:-/tmp/numera-panels}"
mkdir -p "$out"
out="$(cd "$out" && pwd)"

if [[ -z "${NUMERA_SCREENSHOT_INNER:-}" ]]; then
    cmake --build "$build" --target panels_demo >/dev/null
    export NUMERA_SCREENSHOT_INNER=1
    exec xvfb-run -a -s '-screen 0 1600x1000x24' "$0" "$build" "$out"
fi

rm -f "$out"/panel-*.png "$out"/panels-docked.png "$out"/screen.png
home="$(mktemp -d)"
trap 'rm -rf "$home"' EXIT
export XDG_CONFIG_HOME="$home/config"
export QT_QPA_PLATFORM=xcb

# The demo saves its own grabs and stays up (PANELS_DEMO_STAY) for the screen shot.
PANELS_DEMO_STAY=1 "$build/bin/panels_demo" "$out" &
pid=$!
for _ in $(seq 50); do
    [[ -f "$out/panel-statistics-floating.png" ]] && break
    sleep 0.2
done
sleep 0.5
import -window root "$out/screen.png"
kill "$pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true
ls -1 "$out"/*.png
