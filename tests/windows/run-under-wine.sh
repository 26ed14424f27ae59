#!/usr/bin/env bash
# Runs the cross-built engine tests and a few numera-cli.exe calls under wine.
# Usage: tests/windows/run-under-wine.sh BUILD_DIR   (a build with cmake/mingw-w64.cmake)
# The wine prefix lives in BUILD_DIR/wineprefix; no display is needed.
set -uo pipefail

build=$(cd "${1:?usage: run-under-wine.sh BUILD_DIR}" && pwd)
bin=$build/bin
export WINEPREFIX=$build/wineprefix WINEDEBUG=-all DISPLAY= WAYLAND_DISPLAY=
# No Mono or Gecko: without them wineboot asks nobody and installs nothing.
export WINEDLLOVERRIDES="mscoree,mshtml="

if [[ ! -f $WINEPREFIX/system.reg ]]; then
    wineboot --init >"$build/wineboot.log" 2>&1 || {
        cat "$build/wineboot.log"
        exit 1
    }
fi
# Stop this prefix's wine server when done, whatever happens.
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT

status=0
fail() {
    echo "FAIL: $*"
    status=1
}

# --- the engine's test programs ----------------------------------------------
# Every row: the functions are rounded correctly, so Windows gives Linux's digits.
# A program whose wine server went away under it (wine's "wine client error")
# runs once more on a fresh server; a failing row is never retried.
run_tests() {
    local name=$1 log=$build/$1.log
    echo "$name"
    wine "$bin/$name" --gtest_brief=1 >"$log" 2>&1 && { cat "$log"; return 0; }
    cat "$log"
    if grep -q "wine client error" "$log" && ! grep -q "\[  FAILED  \]" "$log"; then
        echo "$name: the wine server went away; running it again"
        wineserver -k >/dev/null 2>&1 || true
        wine "$bin/$name" --gtest_brief=1 && return 0
    fi
    fail "$name"
}
run_tests engine_tests.exe
run_tests file_text_tests.exe

# --- numera-cli.exe ----------------------------------------------------------
work=$build/wine-cli
rm -rf "$work" && mkdir -p "$work" && cd "$work" || exit 1

# cli NAME STDIN EXIT STDOUT STDERR ARGS...: one call, compared byte for byte.
cli() {
    local name=$1 input=$2 want_rc=$3 want_out=$4 want_err=$5
    shift 5
    local rc=0
    printf '%s' "$input" | wine "$bin/numera-cli.exe" "$@" >out 2>err || rc=$?
    if [[ $rc != "$want_rc" || $(<out) != "$want_out" || $(<err) != "$want_err" ]]; then
        fail "numera-cli.exe $name: exit $rc (want $want_rc)"
        echo "  stdout: $(<out)"
        echo "  want:   $want_out"
        echo "  stderr: $(<err)"
        echo "  want:   $want_err"
    fi
}

# A calculation file: FF FE, then UTF-16LE; the comment is Cyrillic.
printf '\xff\xfe' >calc.tvc
printf '// итог\n2*3=;1/3=' | iconv -f UTF-8 -t UTF-16LE >>calc.tvc
printf '5->mem[rate]' >rates.txt

cli "UTF-16 file" "" 0 $'// итог\n2*3=6;1/3=0.3333333333333333148' "" calc.tvc
cli "standard input" "2^10=;(1+2)*3=" 0 "2^10=1024;(1+2)*3=9" "" -
cli "--memory" "mem[rate]*2=" 0 "mem[rate]*2=10" "" --memory rates.txt
cli "run stops at an error" "1/0=" 1 "1/0" $'1\tError\tDivision\tOperation has singularity at 0'
cli "missing file" "" 2 "" "numera-cli: cannot read 'missing.tvc': No such file or directory" \
    missing.tvc
cli "bad option" "" 2 "" "numera-cli: invalid angle unit 'bad' (rad, deg or grad)" --units bad
cli "--in-place" "" 0 $'// итог\n2*3=6;1/3=0.3333333333333333148' "" --in-place calc.tvc
want_file=$({ printf '\xff\xfe'; printf '// итог\n2*3=6;1/3=0.3333333333333333148' |
    iconv -f UTF-8 -t UTF-16LE; } | od -An -tx1)
[[ $(od -An -tx1 calc.tvc) == "$want_file" ]] || fail "--in-place: calc.tvc holds other bytes"
[[ $(ls) == $'calc.tvc\nerr\nout\nrates.txt' ]] || fail "--in-place left files behind: $(ls)"

# Values whose last bits came from the C library before: now the same as on Linux.
cli "cos(90) in degrees" "cos(90)=" 0 "cos(90)=6.123233995736766036e-17" "" --units deg
cli "sin(4538558959190020)" "sin(4538558959190020)=" 0 "sin(4538558959190020)=0.7755730820771499223" ""
cli "tanh(1.0085394552954257)" "th(1.0085394552954257)=" 0 "th(1.0085394552954257)=0.7651572485357692743" ""

if ((status == 0)); then
    echo "under wine: all passed"
fi
exit "$status"
