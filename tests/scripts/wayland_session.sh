#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 The Lutaris authors
# The main window as a native Wayland client of a headless compositor: it starts and paints,
# typed keys reach the document (a fret, then Ctrl+Z), and the status bar's Caps Lock pane
# follows the modifiers that the key events carry, since a Wayland client cannot ask for the
# lock indicators. sway's headless back end stands in for the desktop because a virtual
# keyboard (wtype) can type into it; grim takes its screen.
set -euo pipefail
editor="$LUTARIS_BINARY_DIR/src/lutaris"
source "$(dirname "${BASH_SOURCE[0]}")/lib/bus_display_test.sh"
require_tools "the editor as a Wayland client" sway swaymsg wtype grim compare convert \
    dbus-run-session setpriv
if ! ls /usr/lib/*/qt6/plugins/platforms/libqwayland*.so > /dev/null 2>&1; then
    echo "Qt's Wayland platform (qt6-wayland) missing: the editor as a Wayland client was not checked"
    exit 77
fi

# sway refuses to run as root: there it runs as nobody, and the clients reach its socket by
# its full path.
runtime="$work/compositor"
mkdir -m 700 "$runtime"
as_compositor=()
if [ "$(id -u)" -eq 0 ]; then
    chmod 755 "$work"
    chown 65534:65534 "$runtime"
    as_compositor=(setpriv --reuid=65534 --regid=65534 --clear-groups)
fi
printf 'output HEADLESS-1 resolution 1280x900\ndefault_border none\n' > "$work/sway.conf"
chmod 644 "$work/sway.conf"
"${as_compositor[@]}" env -i PATH="$PATH" HOME="$runtime" XDG_RUNTIME_DIR="$runtime" \
    WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
    sway -c "$work/sway.conf" > sway.log 2>&1 &
compositor=$!
pids=("$compositor")
trap 'kill "${pids[@]}" 2> /dev/null || true; rm -rf "$work"' EXIT
for _ in $(seq 100); do
    ls "$runtime"/wayland-* > /dev/null 2>&1 && ls "$runtime"/sway-ipc.* > /dev/null 2>&1 && break
    sleep 0.1
done
socket=$(ls "$runtime"/wayland-? 2> /dev/null | head -n 1)
ipc=$(ls "$runtime"/sway-ipc.* 2> /dev/null | head -n 1)
if [ -z "$socket" ] || [ -z "$ipc" ]; then
    echo "sway did not start:" >&2
    cat sway.log >&2
    exit 1
fi
mkdir -m 700 "$work/client-runtime"
export WAYLAND_DISPLAY="$socket" XDG_RUNTIME_DIR="$work/client-runtime"
unset DISPLAY
window_title() {
    swaymsg -s "$ipc" -t get_tree | /usr/bin/python3 -c '
import json, sys
def walk(node):
    if node.get("app_id") == "org.lutaris.Lutaris":
        print(node.get("name") or "")
    for child in node.get("nodes", []) + node.get("floating_nodes", []):
        walk(child)
walk(json.load(sys.stdin))'
}
wait_for_title() {  # the title, after the events that change it
    for _ in $(seq 300); do
        [ "$(window_title)" = "$1" ] && return 0
        sleep 0.1
    done
    echo "the window's title is \"$(window_title)\", not \"$1\"; the editor said:" >&2
    cat editor.log >&2
    exit 1
}

# A keyboard exists for as long as this one waits: with none, the compositor offers the client
# no keyboard, and one that comes and goes with each typed key loses the key.
wtype -s 600000 & pids+=($!)
QT_QPA_PLATFORM=wayland dbus-run-session -- "$editor" > editor.log 2>&1 & pids+=($!)
wait_for_title "Untitled - Lutaris"
echo "started as a Wayland client: $(window_title)"

# It paints: the caret's "?" is red.
sleep 0.5
grim start.png
red=$(convert start.png -crop 200x150+0+40 -fx 'r>0.8 && g<0.3 && b<0.3 ? 1 : 0' \
    -format '%[fx:mean*w*h]' info:)
[ "${red%.*}" -gt 0 ] || { echo "no red caret on the screen"; exit 1; }
echo "painted, with the red caret"

wtype 5
wait_for_title "*Untitled - Lutaris"
wtype -M ctrl z -m ctrl
wait_for_title "Untitled - Lutaris"
echo "a typed fret, then Ctrl+Z: keys reach the document"

# The lock panes are the bottom right corner of the status bar; only Caps Lock changes there.
panes() { grim "$1" && convert "$1" -gravity SouthEast -crop 360x30+30+0 +repage "$1"; }
# Waits (5 s at most) until the panes differ from those in FILE, taking them as NEW.
panes_change() {
    for _ in $(seq 50); do
        panes "$2"
        ! compare -metric AE "$1" "$2" null: 2> /dev/null && return 0
        sleep 0.1
    done
    return 1
}
panes before.png
wtype -M capslock -k Right -m capslock
panes_change before.png caps.png || { echo "the Caps Lock pane did not follow the key event"; exit 1; }
wtype -k Left
panes_change caps.png after.png || { echo "the Caps Lock pane stayed on"; exit 1; }
compare -metric AE before.png after.png null: 2> /dev/null ||
    { echo "the lock panes did not come back as they were"; exit 1; }
echo "the Caps Lock pane follows the key events' modifiers"
