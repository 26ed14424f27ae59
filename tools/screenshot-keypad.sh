#!/bin/sh
# Pictures of the keypad in its four drawing styles, West and East, plus a
# few button states, taken under Xvfb.
#
#   tools/screenshot-keypad.sh [build-dir] [out-dir]
#
# Defaults: build-keypad next to this script's repository, /tmp/keypad-shots.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-keypad}
out=${2:-/tmp/keypad-shots}

cmake --build "$build" --target keypad_demo >/dev/null
demo=$build/bin/keypad_demo
mkdir -p "$out"

shot() {
    name=$1
    shift
    xvfb-run -a -s '-screen 0 1600x1000x24' "$demo" "$@" --out "$out/$name.png" >/dev/null
    echo "$out/$name.png"
}

# The classic frame drawing needs the classic application style; the other
# styles are drawn with visual styles active.
for notation in west east; do
    shot "2000-$notation" -style windows --draw 0 --notation $notation
    shot "tarvik-$notation" --draw 1 --notation $notation
    shot "xp-$notation" --draw 2 --notation $notation
    shot "vista-$notation" --draw 3 --notation $notation
done

# States: hot, pressed and focused buttons in each style.
shot tarvik-states --draw 1 --hot 13 --pressed 44 --focus 54
shot xp-states --draw 2 --hot 13 --pressed 44 --focus 54
shot vista-states --draw 3 --hot 13 --pressed 44 --focus 54
shot 2000-states -style windows --draw 0 --pressed 44 --focus 54
# Buttons with the system face and text colours are left to the platform.
shot vista-system-colours --draw 3 --faces system --texts system
shot tarvik-system-font --draw 1 --font system

convert "$out"/tarvik-west.png "$out"/xp-west.png "$out"/vista-west.png "$out"/2000-west.png \
    -background white -splice 0x6 -append "$out/all-west.png" 2>/dev/null && echo "$out/all-west.png" || true
convert "$out"/tarvik-east.png "$out"/xp-east.png "$out"/vista-east.png "$out"/2000-east.png \
    -background white -splice 0x6 -append "$out/all-east.png" 2>/dev/null && echo "$out/all-east.png" || true
