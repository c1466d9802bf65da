#!/usr/bin/env bash
# lutaris-container against the built embedding server, as a person uses it: insert an object,
# type into it (in a window of its own and in place), save the container's document, take the
# object's storage out of it and read that with lutaris-cli. Runs on a session bus and an X
# server of its own, without and with a window manager.
set -euo pipefail
editor="$LUTARIS_BINARY_DIR/src/lutaris"
container="$LUTARIS_BINARY_DIR/tools/lutaris-container"
cli="$LUTARIS_BINARY_DIR/tools/lutaris-cli"
for tool in xvfb-run dbus-run-session dbus-update-activation-environment dbus-send xdotool \
        openbox python3; do
    if ! command -v "$tool" > /dev/null; then
        echo "$tool missing: in-place editing was not checked"
        exit 77
    fi
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME="$work/home" XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config"
mkdir -p "$HOME"
cd "$work"

# The server must reach the X server, not Qt's offscreen platform that the suite sets.
xvfb-run -a -n "$((100 + RANDOM % 800))" -s "-screen 0 1024x768x24 -dpi 96" \
    env -u QT_QPA_PLATFORM dbus-run-session -- bash -c '
set -euo pipefail
editor=$0 container=$1 cli=$2
pids=()
trap "kill \${pids[*]} 2> /dev/null || true" EXIT

# The stand-alone start registers the server for this data folder; the bus starts it from
# there with the display it is given.
"$editor" 2> /dev/null & pid=$!
for _ in $(seq 300); do
    [ -s "$XDG_DATA_HOME/insertable-objects/Lutaris.Document.object" ] && break
    sleep 0.1
done
kill $pid; wait $pid 2> /dev/null || true
dbus-update-activation-environment DISPLAY XAUTHORITY

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
    xdotool search --sync --onlyvisible --pid "$1" --name "lutaris-container\$" | head -1
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
' "$editor" "$container" "$cli"
