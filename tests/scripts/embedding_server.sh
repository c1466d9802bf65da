#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 The Lutaris authors
# The embedding server as containers meet it: a stand-alone start registers it (service file
# and class record in a temporary data folder), the bus starts it from that service file for
# each object, and -Unregister removes the registration again. Runs on a session bus and an
# X server of its own.
set -euo pipefail
editor="$LUTARIS_BINARY_DIR/src/lutaris"
client="$LUTARIS_BINARY_DIR/tests/lutaris_server_client"
source "$(dirname "${BASH_SOURCE[0]}")/lib/bus_display_test.sh"
require_tools "the embedding server" xvfb-run dbus-run-session dbus-update-activation-environment \
    xwininfo xdotool

on_bus_and_display bash -c '
set -euo pipefail
editor=$0 client=$1
service="$XDG_DATA_HOME/dbus-1/services/Lutaris.Document.service"
object="$XDG_DATA_HOME/insertable-objects/Lutaris.Document.object"

# Every stand-alone start writes both files, naming the program by its absolute path.
"$editor" 2> editor-err.txt & pid=$!
for _ in $(seq 300); do
    [ -s "$object" ] && break
    sleep 0.1
done
kill $pid; wait $pid 2> /dev/null || true
program=$(readlink -f "$editor")
grep -qxF "Exec=$program -Embedding" "$service" || { echo "service file:"; cat "$service"; exit 1; }
grep -qxF "Name=Lutaris.Document" "$service"
for line in "[Insertable Object]" "ClassId={4E1B7C53-2A96-4F08-B3D5-71C9E0A64F2D}" \
        "ProgId=Lutaris.Document" "Name=Lutars Document" "ShortName=Lutars" \
        "BusName=Lutaris.Document" "Exec=$program -Embedding" "Verbs=0=&Edit;1=&Open" \
        "Insertable=true"; do
    grep -qxF "$line" "$object" || { echo "no \"$line\" in the class record:"; cat "$object"; exit 1; }
done

# The bus starts servers with its own environment: give it the display.
dbus-update-activation-environment DISPLAY XAUTHORITY
"$client" --gtest_filter=-EmbeddingServerWithoutDisplay.*

# A Wayland desktop may hand the bus'"'"'s servers the Wayland platform: a server for a container
# draws on the X server all the same (XWayland there), or it could not edit in place.
dbus-update-activation-environment QT_QPA_PLATFORM=wayland
"$client" --gtest_filter=EmbeddingInPlace.VerbZero*
dbus-update-activation-environment QT_QPA_PLATFORM=

# -Unregister removes both, says so and shows no window.
out=$("$editor" -Unregister)
[ "$out" = "The registration entries have been removed." ] || { echo "said: $out"; exit 1; }
[ ! -e "$service" ] && [ ! -e "$object" ]
' "$editor" "$client"

# A server that gets no display answers verb 1 with an error; it does not abort.
mkdir -p "$work/bare/dbus-1/services"
printf '[D-BUS Service]\nName=Lutaris.Document\nExec=%s -Embedding\n' "$(readlink -f "$editor")" \
    > "$work/bare/dbus-1/services/Lutaris.Document.service"
XDG_DATA_HOME="$work/bare" env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM LUTARIS_SERVER_WITHOUT_DISPLAY=1 \
    dbus-run-session -- "$client" --gtest_filter=EmbeddingServerWithoutDisplay.*
