#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 The Lutaris authors
# lutaris-container against the built embedding server, as a person uses it: insert an object,
# type into it (in a window of its own and in place), save the container's document, take the
# object's storage out of it and read that with lutaris-cli. Runs on a session bus and an X
# server of its own, without and with a window manager.
set -euo pipefail
editor="$LUTARIS_BINARY_DIR/src/lutaris"
container="$LUTARIS_BINARY_DIR/tools/lutaris-container"
cli="$LUTARIS_BINARY_DIR/tools/lutaris-cli"
register="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/lib/register_server.sh"
source "$(dirname "${BASH_SOURCE[0]}")/lib/bus_display_test.sh"
require_tools "in-place editing" xvfb-run dbus-run-session dbus-update-activation-environment \
    dbus-send xdotool xprop openbox python3

on_bus_and_display bash -c '
set -euo pipefail
editor=$0 container=$1 cli=$2 register=$3
pids=()
trap "kill \${pids[*]} 2> /dev/null || true" EXIT
"$register" "$editor"

# Waits (30 s at most) until the log has COUNT lines (default 1) that match PATTERN.
wait_line() {
    local log=$1 pattern=$2 count=${3:-1}
    for _ in $(seq 300); do
        [ "$(grep -c -E -- "$pattern" "$log" || true)" -ge "$count" ] && return 0
        sleep 0.1
    done
    echo "no \"$pattern\" (x$count) in $log:"; cat "$log"; exit 1
}
# The notes of an object stored in a container document, as [fret, string, column, action].
notes_of() {
    "$container" --extract "$2" object.ltf "$1"
    "$cli" dump object.ltf > dump.json
    python3 -c "import json; d = json.load(open(\"dump.json\"))
print(sorted([n[0], n[1], n[2], n[4]] for i in d[\"items\"] for n in i[\"notes\"]))"
}
container_window() {  # the container window of process $1
    xdotool search --all --sync --onlyvisible --pid "$1" --name "lutaris-container\$" | head -1
}

# Edit > Open (verb 1): the object opens in a window of its own; what is typed there and
# the container then saves is in the object stored in the container document.
"$container" open.ltc --insert Lutaris.Document --verb 1 > open.log & pid=$!; pids+=($pid)
wait_line open.log "^opened 0$"
server_window=$(xdotool search --sync --onlyvisible --name "^Lutars in open.ltc" | head -1)
xdotool windowfocus --sync "$server_window" key 4 Down 6
xdotool windowfocus --sync "$(container_window $pid)" key ctrl+s
wait_line open.log "^saved .*open.ltc$"
[ "$(notes_of open.ltc 0)" = "[[4, 0, 0, 0], [6, 1, 0, 0]]" ] || { notes_of open.ltc 0; exit 1; }
kill $pid
echo "verb 1: ok"

server_pid() {  # the process of the server named on the last "server N NAME" line of log $1
    local name
    name=$(grep "^server " "$1" | tail -1 | cut -d" " -f3)
    dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.GetConnectionUnixProcessID "string:$name" | awk "/uint32/ {print \$2}"
}
# Keys go to the container window with the pointer outside it, so that they reach the object
# only through the container (with the pointer over the object X gives them to it directly).
type_keys() {
    xdotool mousemove 1010 750
    xdotool key --delay 30 "$@"
}

# In place without a window manager: the object edits inside the container; the keys the
# container gets reach it, its accelerators work (Ctrl+C, Ctrl+V twice, Ctrl+X on a selected
# item leave two copies of it), Ctrl+T is the T that sets a tap, Esc ends editing.
"$container" place.ltc --insert Lutaris.Document > place.log & pid=$!; pids+=($pid)
wait_line place.log "^active 0 in place at "
read -r x y _ < <(grep "^active 0 in place at " place.log | cut -d" " -f6-)
xdotool windowfocus --sync "$(container_window $pid)"
type_keys 3
xdotool mousemove $((x + 30)) $((y + 35)) click --repeat 2 --delay 80 1   # select the item
type_keys ctrl+c ctrl+v ctrl+v ctrl+x Down 7 ctrl+t
# Dragging the bottom right handle of the resize bar asks the container for more room; it grows
# the place of the object, and the object still takes keys there.
read -r width height < <(grep "^active 0 in place at " place.log | cut -d" " -f8-)
xdotool mousemove $((x + width - 3)) $((y + height - 3)) mousedown 1 \
    mousemove $((x + width + 40)) $((y + height + 30)) \
    mousemove $((x + width + 57)) $((y + height + 37)) mouseup 1
wait_line place.log "^resized 0 to "
read -r grown_width grown_height < <(grep "^resized 0 to " place.log | tail -1 | cut -d" " -f4-)
[ "$grown_width" -gt "$width" ] && [ "$grown_height" -gt "$height" ] || { cat place.log; exit 1; }
# The merged menu bar belongs to the container: Alt+V opens the View menu of the object, whose
# Toolbar item hides the toolbar of the object on the frame of the container.
type_keys alt+v t
wait_line place.log "^object toolbar hidden$"
type_keys Escape
wait_line place.log "^deactivated 0$"
type_keys ctrl+s
wait_line place.log "^saved .*place.ltc$"
notes_of place.ltc 0 > /dev/null
python3 -c "import json; d = json.load(open(\"dump.json\"))
items = [sorted([n[0], n[1], n[4]] for n in i[\"notes\"]) for i in d[\"items\"]]
assert len(items) == 2, items
assert sum(i.count([3, 0, 0]) for i in items) == 2, items
assert sum(n[0] == 7 and n[2] == 12 for i in items for n in i) == 1, items"
echo "in place: ok"

# The object menu starts it again; killing its server leaves the container with the picture
# and the storage, and the next start loads that storage into a new server.
type_keys alt+e o e
wait_line place.log "^active 0 in place at [0-9]+ [0-9]+ $grown_width $grown_height$"
first=$(server_pid place.log)
kill -9 "$first"
wait_line place.log "^server gone 0$"
kill -0 $pid
type_keys alt+e o e
wait_line place.log "^active 0 in place at " 3
[ "$(server_pid place.log)" != "$first" ]
type_keys Right 9 Escape
wait_line place.log "^deactivated 0$" 2
type_keys ctrl+s
wait_line place.log "^saved .*place.ltc$" 2
notes_of place.ltc 0 > /dev/null
python3 -c "import json; d = json.load(open(\"dump.json\"))
notes = [[n[0], n[4]] for i in d[\"items\"] for n in i[\"notes\"]]
assert notes.count([3, 0]) == 2 and [7, 12] in notes and [9, 0] in notes, notes"
echo "server killed: ok"

# A server whose container dies goes too.
type_keys alt+e o e
wait_line place.log "^active 0 in place at " 4
server=$(server_pid place.log)
kill -9 $pid
{ wait $pid; } 2> /dev/null || true
for _ in $(seq 100); do kill -0 "$server" 2> /dev/null || break; sleep 0.1; done
if kill -0 "$server" 2> /dev/null; then echo "the server outlived its container"; exit 1; fi
echo "container killed: ok"

# With a window manager the container window is activated as a person would.
openbox > /dev/null 2>&1 & pids+=($!)
# Ready once it says it can activate windows: the check window alone comes earlier, and on a
# loaded machine xdotool then found no _NET_ACTIVE_WINDOW.
for _ in $(seq 300); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2> /dev/null | grep -q "window id" &&
        xprop -root _NET_SUPPORTED 2> /dev/null | grep -q "_NET_ACTIVE_WINDOW" && break
    sleep 0.1
done
"$container" managed.ltc --insert Lutaris.Document > managed.log & pid=$!; pids+=($pid)
wait_line managed.log "^active 0 in place at "
# Another window in front first, then the container again: the object takes the keys anew.
"$container" other.ltc > other.log & other=$!; pids+=($other)
xdotool windowactivate --sync "$(container_window $other)"
xdotool windowactivate --sync "$(container_window $pid)"
type_keys 5 Down 8 Escape
wait_line managed.log "^deactivated 0$"
type_keys ctrl+s
wait_line managed.log "^saved .*managed.ltc$"
[ "$(notes_of managed.ltc 0)" = "[[5, 0, 0, 0], [8, 1, 0, 0]]" ] ||
    { notes_of managed.ltc 0; exit 1; }
kill $pid

# Reopened, the object of the document edits on from what was saved.
"$container" managed.ltc --object 0 > reopened.log & pid=$!; pids+=($pid)
wait_line reopened.log "^active 0 in place at "
xdotool windowactivate --sync "$(container_window $pid)"
type_keys Right 2 Escape
wait_line reopened.log "^deactivated 0$"
type_keys ctrl+s
wait_line reopened.log "^saved .*managed.ltc$"
[ "$(notes_of managed.ltc 0)" = "[[2, 0, 1, 0], [5, 0, 0, 0], [8, 1, 0, 0]]" ] ||
    { notes_of managed.ltc 0; exit 1; }
echo "with a window manager: ok"
' "$editor" "$container" "$cli" "$register"
