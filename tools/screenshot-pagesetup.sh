#!/usr/bin/env bash
# Pictures of the page setup dialog (millimetres and inches) and of the
# printing window, at 1x and 2x scaling, under Xvfb with openbox drawing
# the frames and xcompmgr compositing the toolkit's translucent window.
#
#   tools/screenshot-pagesetup.sh [BUILD_DIR] [OUT_DIR] [DISPLAY_NUMBER]
#
# Defaults: build, /tmp/numera-pagesetup-shots, 21. Needs Xvfb, openbox,
# xcompmgr and imagemagick (import). Settings go to a temporary directory.
set -euo pipefail

cd "$(dirname "${BASH_SOURCE[0]}")/.."
build=${1:-build}
out=${2:-/tmp/numera-pagesetup-shots}
number=${3:-21}
mkdir -p "$out"
cmake --build "$build" --target pagesetup_demo >/dev/null
bin="$build/bin/pagesetup_demo"
for tool in Xvfb openbox import; do
    command -v "$tool" >/dev/null || { echo "screenshot-pagesetup: $tool is missing" >&2; exit 1; }
done

home=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$home"
}
trap cleanup EXIT
export XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" HOME="$home"
export QT_QPA_PLATFORM=xcb DISPLAY=":$number"

# shot SCALE NAME ARGS...: one picture of the whole screen while the demo holds.
shot() {
    local scale=$1 name=$2
    shift 2
    local geometry='1000x700x24'
    [[ $scale == 2 ]] && geometry='2000x1400x24'
    Xvfb ":$number" -screen 0 "$geometry" +extension Composite -nolisten tcp &
    local server=$!
    pids+=("$server")
    sleep 1
    openbox >/dev/null 2>&1 &
    local wm=$!
    pids+=("$wm")
    local compositor=""
    if command -v xcompmgr >/dev/null; then
        xcompmgr >/dev/null 2>&1 &
        compositor=$!
        pids+=("$compositor")
    fi
    sleep 0.5
    QT_SCALE_FACTOR=$scale "$bin" "$@" --hold 3000 &
    local demo=$!
    sleep 2
    import -window root "$out/$name-${scale}x.png"
    wait "$demo" || true
    [[ -n $compositor ]] && kill "$compositor" 2>/dev/null || true
    kill "$wm" "$server" 2>/dev/null || true
    wait "$server" 2>/dev/null || true
    echo "$out/$name-${scale}x.png"
}

for scale in 1 2; do
    shot "$scale" pagesetup-mm pagesetup
    shot "$scale" pagesetup-inches pagesetup --inches
    shot "$scale" printing printing
done
