#!/usr/bin/env bash
# Pictures of printing under Xvfb with openbox: the print preview of a
# calculation in place of the editor (one page, then two), the progress
# window while a slowed job prints, and the first printed page
# rendered from the PDF (pdftoppm). No scheduler is asked (CUPS_SERVER points
# at nothing), so the job writes NAME.pdf beside the calculation.
# Usage: tools/screenshot-print.sh [build-dir] [out-dir] [display]
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-$root/build}" && pwd)"
out="${2:-$build/screenshots-print}"
display="${3:-:22}"
mkdir -p "$out"
out="$(cd "$out" && pwd)"
cmake --build "$build" --target numera print_demo >/dev/null
rm -f "$out"/[0-9][0-9]-*.png

work="$(mktemp -d)"
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT
export HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
export XDG_RUNTIME_DIR="$work/runtime" CUPS_SERVER="$work/no-scheduler.sock"
export QT_QPA_PLATFORM=xcb DISPLAY="$display"
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

Xvfb "$display" -screen 0 1400x900x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
sleep 1
openbox --sm-disable >/dev/null 2>&1 &
pids+=($!)
sleep 1

# A calculation file: UTF-16LE after FF FE, CR LF line breaks.
write_calc() {
    local file=$1 lines=$2
    {
        printf '\xff\xfe'
        for k in $(seq 1 "$lines"); do
            printf '%s*%s = %s;\t// line %s\r\n' "$k" 3 "$((3 * k))" "$k"
        done | iconv -f UTF-8 -t UTF-16LE
    } >"$file"
}
write_calc "$work/sums.tvc" 130

grab() { import -window root "$out/$1.png"; }
window_of() {
    for _ in $(seq 1 50); do
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1) && [ -n "$id" ] && {
            echo "$id"
            return
        }
        sleep 0.2
    done
    return 1
}

# The preview: File > Print Preview, then Two Page, then Close.
"$build/bin/numera" "$work/sums.tvc" >/dev/null 2>&1 &
app=$!
pids+=($app)
main=$(window_of "sums")
xdotool windowactivate --sync "$main" || true
sleep 1
xdotool key --window "$main" alt+f
sleep 0.5
xdotool key v
sleep 2
grab 01-preview-one-page
xdotool key alt+t
sleep 1.5
grab 02-preview-two-pages
xdotool key alt+c
sleep 1
grab 03-editor-again
kill "$app" 2>/dev/null || true

# The progress window while a slowed job prints page 2 (tools/demos/print_demo.cpp).
"$build/bin/print_demo" "$out/04-printing-progress.png" "$work/demo.pdf" >/dev/null 2>&1

# The first printed page of the calculation.
"$build/bin/numera" /p "$work/sums.tvc" >/dev/null 2>&1
pdftoppm -r 80 -f 1 -l 1 -png "$work/sums.pdf" "$work/page"
cp "$work"/page-1.png "$out/05-printed-page.png"
ls "$out"
