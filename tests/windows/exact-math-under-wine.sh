#!/usr/bin/env bash
# Random cells of every elementary function through numera-cli on Linux and
# numera-cli.exe under wine: the two outputs must be byte-identical and every
# result the double nearest the exact value (MPFR, numera-mathcheck).
# Usage: tests/windows/exact-math-under-wine.sh BUILD_DIR MINGW_BUILD_DIR [COUNT]
#   BUILD_DIR holds bin/numera-cli and bin/numera-mathcheck (a Linux build with
#   libmpfr-dev), MINGW_BUILD_DIR bin/numera-cli.exe (cmake/mingw-w64.cmake).
set -uo pipefail

linux=$(cd "${1:?usage: exact-math-under-wine.sh BUILD_DIR MINGW_BUILD_DIR [COUNT]}" && pwd)
mingw=$(cd "${2:?usage: exact-math-under-wine.sh BUILD_DIR MINGW_BUILD_DIR [COUNT]}" && pwd)
count=${3:-1000000}
export WINEPREFIX=$mingw/wineprefix WINEDEBUG=-all DISPLAY= WAYLAND_DISPLAY=
export WINEDLLOVERRIDES="mscoree,mshtml="
[[ -f $WINEPREFIX/system.reg ]] || wineboot --init >/dev/null 2>&1
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT

work=$(mktemp -d)
trap 'rm -rf "$work"; wineserver -k >/dev/null 2>&1 || true' EXIT
cd "$work" || exit 1
status=0
seed=1
printf '%-6s %9s %10s %10s %9s %s\n' function cells linux_s wine_s identical "not nearest"
for f in exp ln lg pow sin cos tan asin acos atan sinh cosh tanh; do
    "$linux/bin/numera-mathcheck" gen "$f" "$count" "$seed" >cells.txt
    seed=$((seed + 1))
    t0=$(date +%s.%N)
    "$linux/bin/numera-cli" cells.txt >linux.out 2>/dev/null
    t1=$(date +%s.%N)
    wine "$mingw/bin/numera-cli.exe" cells.txt >wine.out 2>/dev/null
    t2=$(date +%s.%N)
    same=yes
    cmp -s linux.out wine.out || { same=NO; status=1; }
    wrong=$("$linux/bin/numera-mathcheck" check "$f" linux.out | tail -1)
    [[ $wrong == *", 0 not the nearest double" ]] || status=1
    printf '%-6s %9d %10.2f %10.2f %9s %s\n' "$f" "$count" "$(echo "$t1 - $t0" | bc)" "$(echo "$t2 - $t1" | bc)" \
        "$same" "${wrong#*results, }"
done
exit "$status"
