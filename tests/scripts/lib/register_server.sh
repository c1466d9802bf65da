#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 The Lutaris authors
# Inside a session bus and an X server (on_bus_and_display): a stand-alone start of EDITOR
# registers the embedding server for this data folder, and the bus then starts it from there
# with this display.
#   register_server.sh EDITOR
set -euo pipefail
editor=$1
"$editor" 2> /dev/null & pid=$!
for _ in $(seq 300); do
    [ -s "$XDG_DATA_HOME/insertable-objects/Lutaris.Document.object" ] && break
    sleep 0.1
done
kill $pid
wait $pid 2> /dev/null || true
dbus-update-activation-environment DISPLAY XAUTHORITY
