#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 The Lutaris authors
# Takes the screenshots a person looks at before calling a change of the editor's windows done:
# the windows and dialogs rendered by lutaris_screenshots, the running editor as the X server
# shows it, and a PDF printout rasterised at 96 dpi to compare with the screen.
# Usage: tests/screenshots/take.sh [OUTPUT_FOLDER] [BUILD_DIR]   (PNGs are not committed)
set -euo pipefail
cd "$(dirname "$0")/../.."
out=${1:-screenshots}
build=${2:-build}
mkdir -p "$out"

xvfb-run -a -s "-screen 0 1024x768x24" "$build/tests/lutaris_screenshots" "$out"
pdftoppm -r 96 -png -singlefile "$out/print.pdf" "$out/print-96dpi"

# The real program on a virtual screen: start it, let it paint, photograph the screen.
xvfb-run -a -s "-screen 0 800x600x24" bash -c '
    "$0/src/lutaris" & pid=$!
    sleep 3
    import -window root "$1/editor.png"
    kill $pid
' "$build" "$out"
# A scaled desktop: at QT_SCALE_FACTOR=2 on 1280 x 900 a first window (a profile of its own)
# fits the screen, title bar and status bar included.
first_run=$(mktemp -d)
XDG_CONFIG_HOME="$first_run" xvfb-run -a -s "-screen 0 1280x900x24" \
    env -u QT_QPA_PLATFORM QT_SCALE_FACTOR=2 bash -c '
    openbox > /dev/null 2>&1 & wm=$!
    sleep 1
    "$0/src/lutaris" 2> /dev/null & pid=$!
    sleep 4
    import -window root "$1/editor-scale2.png"
    kill $pid $wm
' "$build" "$out"
rm -rf "$first_run"
# lutaris-container with an object edited in place: the object's toolbar on the container's
# frame, the merged menu bar with the object's Edit menu open and a status prompt, the picture
# after editing. The server is registered for a data folder of its own, on a bus of its own.
data=$(mktemp -d)
trap 'rm -rf "$data"' EXIT
HOME="$data/home" XDG_DATA_HOME="$data/data" XDG_CONFIG_HOME="$data/config" \
xvfb-run -a -s "-screen 0 800x600x24 -dpi 96" env -u QT_QPA_PLATFORM dbus-run-session -- bash -c '
    build=$0 out=$1
    mkdir -p "$HOME"; cd "$HOME"
    "$build/src/lutaris" 2> /dev/null & pid=$!
    for _ in $(seq 300); do
        [ -s "$XDG_DATA_HOME/insertable-objects/Lutaris.Document.object" ] && break
        sleep 0.1
    done
    kill $pid; wait $pid 2> /dev/null
    dbus-update-activation-environment DISPLAY XAUTHORITY
    "$build/tools/lutaris-container" songs.ltc --insert Lutaris.Document > log.txt & pid=$!
    for _ in $(seq 300); do grep -q "^active 0 in place" log.txt && break; sleep 0.1; done
    window=$(xdotool search --sync --onlyvisible --name "lutaris-container\$" | head -1)
    xdotool windowfocus --sync "$window" mousemove 790 590
    xdotool key --delay 30 3 Down 5 b Right 7 Down 7 h Right 9 Down Down 0 x Right 5
    sleep 1
    import -window root "$out/container-in-place.png"
    xdotool mousemove 20 8 click 1 sleep 0.5 mousemove 60 90 sleep 0.2 mousemove 60 96 sleep 1
    import -window root "$out/container-merged-menu.png"
    xdotool key Escape Escape mousemove 25 34 sleep 2
    import -window root "$out/container-toolbar.png"
    xdotool mousemove 790 590 key Escape sleep 1
    import -window root "$out/container-picture.png"
    xdotool key alt+e o sleep 1
    import -window root "$out/container-object-menu.png"
    xdotool key Escape Escape Escape sleep 0.5
    xdotool key alt+i o sleep 1
    import -window root "$out/container-insert-object.png"
    xdotool key Escape
    kill $pid
' "$(cd "$build" && pwd)" "$(cd "$out" && pwd)"
echo "screenshots in $out"
