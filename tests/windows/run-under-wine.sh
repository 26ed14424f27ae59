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

# Windows-only differences. mingw-w64's sin and cos use the x87 fsin/fcos
# instructions, whose argument reduction carries only 66 bits of pi: near a
# multiple of pi/2 the result keeps about 17 correct bits instead of 53. These
# rows of engine_tests give these values there (glibc's value in the test):
#   gtest row | units | expression | value on Windows
known_differences=(
    "Edges/EvaluationTest.Calculates/cosine_of_90_degrees|deg|cos(90)|6.123031769111886291e-17"
    "AngleUnits/EvaluationTest.Calculates/rad_secant_of_half_pi|rad|sec(pi/2)|16331778728383844"
    "AngleUnits/EvaluationTest.Calculates/rad_cosecant_of_pi|rad|cosec(pi)|8165889364191922"
    "AngleUnits/EvaluationTest.Calculates/deg_secant_of_90|deg|sec(90)|16331778728383844"
    "AngleUnits/EvaluationTest.Calculates/deg_cosecant_of_180|deg|cosec(180)|8165889364191922"
    "AngleUnits/EvaluationTest.Calculates/deg_sine_of_360|deg|sin(360)|-2.449212707644754516e-16"
    "AngleUnits/EvaluationTest.Calculates/grad_cosine_of_100|grad|cos(100)|6.123031769111886291e-17"
    "AngleUnits/EvaluationTest.Calculates/grad_secant_of_100|grad|sec(100)|16331778728383844"
)

# --- the engine's test programs ----------------------------------------------
filter=-
for row in "${known_differences[@]}"; do filter+="${row%%|*}:"; done
echo "engine_tests.exe (without the ${#known_differences[@]} known Windows differences)"
wine "$bin/engine_tests.exe" --gtest_brief=1 --gtest_filter="$filter" || fail "engine_tests.exe"
echo "file_text_tests.exe"
wine "$bin/file_text_tests.exe" --gtest_brief=1 || fail "file_text_tests.exe"

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

# The known differences, asserted exactly, so that a change either way shows.
for row in "${known_differences[@]}"; do
    IFS='|' read -r _ units expression value <<<"$row"
    cli "Windows value of $expression ($units)" "$expression=" 0 "$expression=$value" "" \
        --units "$units"
done

if ((status == 0)); then
    echo "under wine: all passed (${#known_differences[@]} rows differ from Linux as listed)"
fi
exit "$status"
