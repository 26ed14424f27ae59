#!/usr/bin/env bash
# Installs the Debian packages that building and testing Numera need.
# Does nothing when they are all present; otherwise runs apt-get update once
# and installs only the missing ones. Usage: scripts/setup-deps.sh [extra-package...]
set -euo pipefail

packages=(
    build-essential cmake ninja-build ccache pkg-config
    libgtest-dev libgmock-dev libbenchmark-dev
    clang libclang-rt-14-dev clang-format clang-tidy
    qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-tools-dev-tools
    qt6-svg-dev qt6-l10n-tools libgl-dev libqt6sql6-sqlite
    fonts-open-sans fonts-liberation2
    desktop-file-utils shared-mime-info xdg-utils dpkg-dev file man-db
    xvfb xauth xdotool imagemagick poppler-utils xcompmgr openbox wmctrl
    g++-mingw-w64-x86-64-posix googletest wine wine64
    cups cups-client printer-driver-cups-pdf
    at-spi2-core python3-pyatspi dbus dbus-x11
    qt6-translations-l10n libmuparser-dev hyperfine time libmpfr-dev libx11-dev libxdamage-dev
    "$@"
)

missing=()
for pkg in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
    if [[ "$status" != "install ok installed" ]]; then
        missing+=("$pkg")
    fi
done

if ((${#missing[@]} == 0)); then
    exit 0
fi

if ! command -v apt-get >/dev/null 2>&1; then
    echo "setup-deps: missing packages and no apt-get: ${missing[*]}" >&2
    exit 1
fi

sudo=()
if ((EUID != 0)); then
    if command -v sudo >/dev/null 2>&1; then
        sudo=(sudo)
    else
        echo "setup-deps: need root to install: ${missing[*]}" >&2
        exit 1
    fi
fi

echo "setup-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
# Another apt run may hold the lock for a while (unattended upgrades, a
# parallel build); wait for it instead of failing.
apt_opts=(-o DPkg::Lock::Timeout=600 -o Acquire::Retries=3)
"${sudo[@]}" apt-get "${apt_opts[@]}" update
"${sudo[@]}" apt-get "${apt_opts[@]}" install -y --no-install-recommends "${missing[@]}"
