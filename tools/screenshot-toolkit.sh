#!/usr/bin/env bash
# Screenshots of the toolkit's dialogs under Xvfb, with and without a
# compositing manager (xcompmgr) and at 1x and 2x scaling.
#
#   tools/screenshot-toolkit.sh [BUILD_DIR] [OUT_DIR]
#
# BUILD_DIR (default build) must hold bin/toolkit_demo (tools/demos); it is
# built when missing. PNGs go to OUT_DIR (default /tmp/numera-toolkit-shots), named
# <demo>-<plain|composited>-<1x|2x>.png. Needs xvfb, xcompmgr, imagemagick.
set -euo pipefail

cd "$(dirname "${BASH_SOURCE[0]}")/.."
build=${1:-build}
out=${2:-/tmp/numera-toolkit-shots}
bin="$build/bin/toolkit_demo"
mkdir -p "$out"

if [[ ! -x "$bin" ]]; then
    cmake -S . -B "$build" -G Ninja -DNUMERA_BUILD_BENCH=OFF
    cmake --build "$build" --target toolkit_demo
fi
for tool in xvfb-run import xcompmgr; do
    command -v "$tool" >/dev/null || { echo "screenshot-toolkit: $tool is missing" >&2; exit 1; }
done

# demo name, extra arguments
demos=(
    "question|"
    "question-hover|--point default"
    "question-close|--point close"
    "warning|"
    "twolines|"
    "stop|"
    "about|"
    "preferences|"
    "controls|"
)

# shot MODE SCALE NAME ARGS: one screenshot in a fresh X server.
shot() {
    local mode=$1 scale=$2 name=$3 args=$4
    local demo=${name%%-*}
    local screen='1600x1000x24'
    [[ $scale == 2 ]] && screen='3200x2000x24'
    local file="$out/$name-$mode-${scale}x.png"
    xvfb-run -a -s "-screen 0 $screen +extension Composite" bash -c '
        mode=$1 scale=$2 bin=$3 demo=$4 file=$5 args=$6
        if [[ $mode == composited ]]; then xcompmgr & sleep 0.5; fi
        QT_SCALE_FACTOR=$scale "$bin" "$demo" --hold 2600 $args &
        pid=$!
        sleep 1.8
        import -window root "$file"
        wait $pid
    ' shot "$mode" "$scale" "$bin" "$demo" "$file" "$args"
    echo "$file"
}

for mode in plain composited; do
    for scale in 1 2; do
        for entry in "${demos[@]}"; do
            shot "$mode" "$scale" "${entry%%|*}" "${entry#*|}"
        done
    done
done
