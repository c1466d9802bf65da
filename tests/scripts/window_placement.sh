#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 The Lutaris authors
# The main window on a scaled desktop: at QT_SCALE_FACTOR=2 on a 1280 x 900 screen the first
# window, frame and title bar included, lies on the screen; the place and size it is left with
# come back at the next start. Runs on an X server and a window manager of its own.
set -euo pipefail
editor="$LUTARIS_BINARY_DIR/src/lutaris"
source "$(dirname "${BASH_SOURCE[0]}")/lib/bus_display_test.sh"
require_tools "the window's place on a scaled screen" xvfb-run xdotool xprop openbox

xvfb-run -a -n "$((100 + RANDOM % 800))" -s "-screen 0 1280x900x24 -dpi 96" \
    env -u QT_QPA_PLATFORM QT_SCALE_FACTOR=2 bash -c '
set -euo pipefail
editor=$0
openbox > /dev/null 2>&1 & wm=$!
trap "kill $wm 2> /dev/null || true" EXIT
sleep 1

start() {  # starts the editor; sets pid, and window once the window manager has framed it
    "$editor" > /dev/null 2> editor-err.txt & pid=$!
    window=""
    for _ in $(seq 300); do
        window=$(xdotool search --onlyvisible --name "^Untitled - Lutaris$" 2> /dev/null | head -1 || true)
        if [ -n "$window" ] && xprop -id "$window" _NET_FRAME_EXTENTS | grep -q "="; then
            sleep 0.5
            return 0
        fi
        sleep 0.1
    done
    echo "no framed editor window; the editor said:" >&2
    cat editor-err.txt >&2
    return 1
}
geometry() {  # the window without its frame, in screen pixels: X Y WIDTH HEIGHT
    xdotool getwindowgeometry --shell "$1" | awk -F= "/^(X|Y|WIDTH|HEIGHT)=/ {printf \"%s \", \$2} END {print \"\"}"
}
outer() {  # the window with its frame
    local X Y W H left right top bottom
    read -r X Y W H < <(geometry "$1")
    read -r left right top bottom < <(xprop -id "$1" _NET_FRAME_EXTENTS | sed "s/.*= //; s/,//g")
    echo "$((X - left)) $((Y - top)) $((W + left + right)) $((H + top + bottom))"
}
quit() {  # File > Exit, and No to "Save changes to Untitled?"
    xdotool windowactivate --sync "$1" key --delay 100 alt+f x
    sleep 1
    xdotool key n
    for _ in $(seq 100); do kill -0 $pid 2> /dev/null || return 0; sleep 0.1; done
    echo "the editor did not end" >&2
    return 1
}

start
read -r x y w h < <(outer "$window")
echo "first window with its frame: $x,$y ${w}x$h on 1280x900"
[ "$x" -ge 0 ] && [ "$y" -ge 0 ] && [ $((x + w)) -le 1280 ] && [ $((y + h)) -le 900 ] || {
    echo "the first window does not fit the screen" >&2; exit 1; }

# Moved and made smaller, then closed: the next start has it there.
xdotool windowsize --sync "$window" 700 500
xdotool windowmove --sync "$window" 300 200
sleep 0.5
read -r want_x want_y want_w want_h < <(geometry "$window")
quit "$window"
start
read -r got_x got_y got_w got_h < <(geometry "$window")
echo "left at $want_x,$want_y ${want_w}x$want_h, back at $got_x,$got_y ${got_w}x$got_h"
[ "$got_w" = "$want_w" ] && [ "$got_h" = "$want_h" ] || { echo "size not kept" >&2; exit 1; }
[ $((got_x - want_x)) -le 2 ] && [ $((want_x - got_x)) -le 2 ] &&
    [ $((got_y - want_y)) -le 2 ] && [ $((want_y - got_y)) -le 2 ] || {
    echo "place not kept" >&2; exit 1; }
quit "$window"
' "$editor"
