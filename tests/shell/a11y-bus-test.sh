#!/usr/bin/env bash
# The program over the real accessibility bus: on a private X display and a
# private session bus with the AT-SPI bus, read with pyatspi the editor's
# name, the about box and the preferences dialog, then, after an edit and
# File > Exit, the save-changes question, answered "No" through the button's
# press action; the program must then end.
# Usage: a11y-bus-test.sh BUILD_DIR. Exit 77 (skipped) when the bus cannot start.
set -uo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
build="$(cd "$1" && pwd)"
skip() { echo "SKIP: $*"; exit 77; }
fail() { echo "FAIL: $*" >&2; exit 1; }

if [[ -z "${NUMERA_A11Y_INNER:-}" ]]; then
    for tool in Xvfb xdotool dbus-run-session dbus-send; do
        command -v "$tool" >/dev/null || skip "$tool is not installed"
    done
    [[ -x /usr/libexec/at-spi-bus-launcher ]] || skip "at-spi-bus-launcher is not installed"
    /usr/bin/python3 -c 'import pyatspi' 2>/dev/null || skip "python3-pyatspi is not installed"
    [[ -x "$build/bin/numera" ]] || fail "$build/bin/numera is not built"

    # A display of our own on a free number, so nobody else's is touched.
    # -noreset: the bus launcher is an X client too, and a server that resets
    # when it leaves refuses the program's connection for that moment.
    displayfd=$(mktemp)
    Xvfb -displayfd 1 -screen 0 1600x1000x24 -nolisten tcp -noreset >"$displayfd" 2>/dev/null &
    xvfb=$!
    trap 'kill "$xvfb" 2>/dev/null; rm -f "$displayfd"' EXIT
    for _ in $(seq 50); do
        [[ -s "$displayfd" ]] && break
        sleep 0.1
    done
    [[ -s "$displayfd" ]] || skip "Xvfb did not start"
    export DISPLAY=":$(head -1 "$displayfd")"
    # The number comes before the server takes clients on every path: wait
    # until it answers.
    for _ in $(seq 50); do
        xdotool getdisplaygeometry >/dev/null 2>&1 && break
        sleep 0.1
    done
    xdotool getdisplaygeometry >/dev/null 2>&1 || skip "Xvfb on $DISPLAY does not answer"
    export NUMERA_A11Y_INNER=1
    dbus-run-session -- "$0" "$build"
    status=$?
    exit "$status"
fi

# Inside the private session bus.
home="$(mktemp -d)"
launcher=""
pid=""
cleanup() {
    [[ -n "$pid" ]] && kill "$pid" 2>/dev/null
    [[ -n "$launcher" ]] && kill "$launcher" 2>/dev/null
    rm -rf "$home"
}
trap cleanup EXIT

/usr/libexec/at-spi-bus-launcher --launch-immediately >"$home/bus.log" 2>&1 &
launcher=$!
for _ in $(seq 50); do
    dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
        >/dev/null 2>&1 && break
    kill -0 "$launcher" 2>/dev/null || skip "the accessibility bus did not start: $(cat "$home/bus.log")"
    sleep 0.1
done
dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
    >/dev/null 2>&1 || skip "the accessibility bus does not answer"

export HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data"
export XDG_RUNTIME_DIR="$home/runtime" && mkdir -m 700 -p "$XDG_RUNTIME_DIR"
export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
"$build/bin/numera" >"$home/numera.log" 2>&1 &
pid=$!

win=""
for _ in $(seq 100); do
    win=$(xdotool search --name "Tarvik F" 2>/dev/null | head -1)
    [[ -n "$win" ]] && break
    sleep 0.1
done
[[ -n "$win" ]] || fail "the main window did not appear: $(cat "$home/numera.log")"
focus() { xdotool windowfocus --sync "$win" 2>/dev/null; sleep 0.5; }
read_window() { /usr/bin/python3 "$here/a11y_tree.py" "$@" || exit $?; }
focus

# The editor is named after the document.
read_window $' Tarvik F \u2014 Calculation' $'frame  Tarvik F \u2014 Calculation:  | text:Calculation' \
    "" text

# The about box and the preferences dialog, each closed through a button.
xdotool key alt+h a
read_window "About Calculator" "dialog About Calculator:  | image:Logo | label:Calculator Tarvik F\
 | label:Free version | label:01.02.004 | link:Support<https://tarvik.example/support>\
 | link:Professional version<https://tarvik.example/professional>\
 | label:"$'\u00A9'" Tarvik. All rights reserved. | push button:Perfect*" Perfect
focus
xdotool key alt+s p
read_window " Preferences" "dialog  Preferences:  | panel:Keypad | panel:Log | panel:Calculation\
 | check box:Append power ^ with parenthese | label:Notation | combo box:Notation=West\
 | check box:Pop-up on new message if hidden | label:Trigonometric units\
 | combo box:Trigonometric units=Radians | check box:Memory free confirmation\
 | check box:Clear confirmation | check box:Use SSE2 processor module | panel:Result digits\
 | label:Show | combo box:Show=Exact (19 digits) | push button:OK* | push button:Cancel\
 | push button:Default" Cancel
focus

# File > Exit after an edit asks whether to save; "No" ends the program.
xdotool type --delay 40 '1+2'
xdotool key alt+f x
question=$'Save changes to \u201cCalculation\u201d?'
read_window "Calculator asks" "dialog Calculator asks: $question | image:Question | label:$question\
 | push button:Yes* | push button:No | push button:Cancel" No

# "No" ends the program without saving.
for _ in $(seq 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail "the program did not end after \"No\""
wait "$pid"
code=$?
pid=""
[[ $code -eq 0 ]] || fail "the program ended with $code: $(cat "$home/numera.log")"
echo "PASS: the editor, the about box, the preferences and the question over the accessibility bus"
