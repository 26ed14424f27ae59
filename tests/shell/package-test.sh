#!/usr/bin/env bash
# Builds the Debian package from the binaries already in the build folder,
# lists and unpacks it, and runs what it holds. Usage: package-test.sh BUILD_DIR
set -euo pipefail

build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "package-test: $*" >&2; exit 1; }

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log"; fail "cpack failed"; }
deb=$(ls "$work"/out/numera_*.deb)

listing=$(dpkg-deb -c "$deb" | awk '{print $6}')
for path in ./usr/bin/numera ./usr/bin/numera-cli ./usr/bin/numera.qch \
    ./usr/share/applications/numera.desktop ./usr/share/mime/packages/numera.xml \
    ./usr/share/icons/hicolor/scalable/apps/numera.svg \
    ./usr/share/icons/hicolor/scalable/mimetypes/application-x-tarvik-calculation.svg \
    ./usr/share/icons/hicolor/scalable/mimetypes/application-x-tarvik-memory.svg \
    ./usr/share/man/man1/numera.1 ./usr/share/man/man1/numera-cli.1 \
    ./usr/share/numera/translations/numera_ru.qm ./usr/share/numera/translations/qtbase_ru.qm; do
    grep -qxF "$path" <<<"$listing" || fail "$path is not in the package"
done

depends=$(dpkg-deb -f "$deb" Depends)
for lib in libc6 libstdc++6 libqt6widgets6 libqt6svg6 libqt6help6 libqt6sql6-sqlite; do
    grep -q "\b$lib\b" <<<"$depends" || fail "Depends lacks $lib: $depends"
done
[[ $(dpkg-deb -f "$deb" Package) == numera ]] || fail "wrong package name"
# Read first: grep -q leaving early would break the pipe under pipefail.
description=$(dpkg-deb -f "$deb" Description)
grep -q "text calculator" <<<"$description" || fail "no description"

dpkg-deb -e "$deb" "$work/control"
for script in postinst postrm; do
    [[ -x "$work/control/$script" ]] || fail "$script is missing or not executable"
    grep -q update-mime-database "$work/control/$script" || fail "$script refreshes no mime database"
    grep -q update-desktop-database "$work/control/$script" || fail "$script refreshes no desktop database"
done

dpkg -x "$deb" "$work/root"
desktop-file-validate "$work/root/usr/share/applications/numera.desktop"
grep -qx 'Exec=numera %f' "$work/root/usr/share/applications/numera.desktop" ||
    fail "the installed entry does not run numera from the PATH"

out=$(printf '2+3 = 7 ;  4*2;' | "$work/root/usr/bin/numera-cli")
[[ $out == '2+3 = 5 ;  4*2=8;' ]] || fail "numera-cli printed: $out"
status=0
printf '1/0;' | "$work/root/usr/bin/numera-cli" >/dev/null 2>&1 || status=$?
[[ $status == 1 ]] || fail "numera-cli exit status $status for a stopped run"
echo "package-test: $(basename "$deb") ok"
