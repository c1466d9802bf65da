#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 The Lutaris authors
# Installs every Debian package the project needs (only those missing) and the npm packages of
# the interoperability tests. Safe to run again; does nothing when all is there.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6svg6 libgl-dev libxkbcommon-dev libx11-dev
    libxcb1-dev
    libgtest-dev libgmock-dev googletest libbenchmark-dev
    fonts-liberation fonts-urw-base35 fontconfig
    desktop-file-utils appstream lintian dpkg-dev fakeroot
    xvfb xauth xclip x11-utils imagemagick poppler-utils xdotool openbox libxcb1-dev
    dbus-daemon dbus-bin
    python3 python3-olefile libgsf-bin libgsf-1-dev python3-gi gir1.2-gtk-3.0
    clang-14 libclang-rt-14-dev
    libfluidsynth-dev libsndfile1-dev libasound2-dev libsdl2-dev timgm6mb-soundfont python3-mido python3-numpy
    qt6-wayland sway wtype grim
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
if ! command -v npm >/dev/null 2>&1; then
    missing+=(nodejs npm)
fi

if [ ${#missing[@]} -gt 0 ]; then
    echo "setup: installing ${missing[*]}"
    SUDO=""
    if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends \
        "${missing[@]}"
fi

# The independent compound-file reader and writer that the interoperability tests use.
if [ -f tests/interop/package.json ] && [ ! -d tests/interop/node_modules ]; then
    (cd tests/interop && npm install --no-audit --no-fund --silent)
fi
