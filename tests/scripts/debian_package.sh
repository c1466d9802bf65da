#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 The Lutaris authors
# The install and the Debian package: `cmake --install` puts the programs, the desktop entry,
# the icons, the AppStream metadata and the manual pages where a desktop looks for them, and
# each passes its format's validator; `cpack -G DEB` makes a package that lintian finds no
# error in, whose dependencies hold the libraries the binaries link and the fonts they draw
# with, and that dpkg installs (into a scratch root) with a lutaris-cli that runs from there.
set -euo pipefail
build=$LUTARIS_BINARY_DIR
app_id=org.lutaris.Lutaris
for tool in cpack desktop-file-validate appstreamcli lintian dpkg dpkg-deb dpkg-shlibdeps; do
    command -v "$tool" >/dev/null || {
        echo "missing $tool: run scripts/setup.sh" >&2
        exit 1
    }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

cmake --install "$build" --prefix "$work/prefix" > install.log
for file in bin/lutaris bin/lutaris-cli share/applications/$app_id.desktop \
    share/metainfo/$app_id.metainfo.xml share/man/man1/lutaris.1.gz \
    share/man/man1/lutaris-cli.1.gz share/doc/lutaris/copyright lib/lutaris/modules/lutaris-sound-fluid.so; do
    test -f "prefix/$file" || { echo "not installed: $file" >&2; exit 1; }
done
# Each icon is a PNG of the size its folder names.
for size in 16 22 24 32 48 64 128 256; do
    icon=prefix/share/icons/hicolor/${size}x${size}/apps/$app_id.png
    /usr/bin/python3 - "$icon" "$size" <<'PY'
import struct, sys
data = open(sys.argv[1], "rb").read(24)
assert data[:8] == b"\x89PNG\r\n\x1a\n", sys.argv[1]
assert struct.unpack(">II", data[16:24]) == (int(sys.argv[2]),) * 2, sys.argv[1]
PY
done
desktop=prefix/share/applications/$app_id.desktop
desktop-file-validate "$desktop" > validate.log 2>&1 || { cat validate.log; exit 1; }
test ! -s validate.log || { cat validate.log; exit 1; }
grep -qx 'Exec=lutaris %f' "$desktop"
if grep -q '^MimeType=' "$desktop"; then  # the program sets up no association for its files
    echo "the desktop entry claims file types" >&2
    exit 1
fi
appstreamcli validate --no-net prefix/share/metainfo/$app_id.metainfo.xml

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/package" > cpack.log 2>&1 ||
    { cat cpack.log; exit 1; }
deb=$(echo package/lutaris_*.deb)
depends=$(dpkg-deb --field "$deb" Depends)
echo "Depends: $depends"
for package in fonts-liberation libqt6widgets6 libqt6gui6 libqt6core6 libstdc++6 \
    timgm6mb-soundfont libfluidsynth3 libsndfile1; do
    [[ ", $depends," == *", $package"[\ ,]* ]] || { echo "no dependency on $package" >&2; exit 1; }
done
# Errors fail the test; warnings and the rest are shown.
lintian --display-info "$deb" > lintian.log 2>&1 || true
cat lintian.log
if grep -q '^E: ' lintian.log; then exit 1; fi

# dpkg -i into a root of its own that knows what this machine has installed, so that the
# dependencies are checked; nothing of the machine itself changes.
mkdir -p root/var/lib/dpkg/info root/var/lib/dpkg/updates root/var/log
cp /var/lib/dpkg/status root/var/lib/dpkg/status
touch root/var/lib/dpkg/available
as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(fakeroot)
PATH="$PATH:/usr/sbin:/sbin" "${as_root[@]}" dpkg --root="$work/root" -i "$deb" > dpkg.log 2>&1 ||
    { cat dpkg.log; exit 1; }
dpkg --root="$work/root" --status lutaris | grep -qx 'Status: install ok installed'
root/usr/bin/lutaris-cli --help > help.txt
grep -q '^What stops a script: ' help.txt
# The installed programs find the installed sound module: an audio export from there works.
/usr/bin/python3 - <<'PY'
import struct
item = bytes(80) + struct.pack("<2i", 0, 1) + struct.pack("<5i", 5, 0, 0, 0, 0)
open("a4.ltf", "wb").write(b"Lutaris_0.2" + struct.pack("<9i", 1, 1, 24, 12, 8, 6, 30, 1, 1) + item)
PY
root/usr/bin/lutaris-cli audio a4.ltf a4.wav
test "$(head -c 4 a4.wav)" = "RIFF"
echo "debian package ok"
