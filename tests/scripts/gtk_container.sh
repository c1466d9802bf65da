#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 The Lutaris authors
# Editing in place inside GTK 3's own XEmbed embedder (Gtk.Socket), with a container written
# apart from the project that does what the README asks of a container: a site the size of the
# object, a wait for the frame's map after verb 0, keys through its own window, Esc, Save.
set -euo pipefail
editor="$LUTARIS_BINARY_DIR/src/lutaris"
cli="$LUTARIS_BINARY_DIR/tools/lutaris-cli"
container="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/lib/gtk_xembed_container.py"
register="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/lib/register_server.sh"
source "$(dirname "${BASH_SOURCE[0]}")/lib/bus_display_test.sh"
require_tools "editing in a GTK container" xvfb-run dbus-run-session \
    dbus-update-activation-environment xdotool openbox /usr/bin/python3
if ! /usr/bin/python3 -c 'import gi; gi.require_version("Gtk", "3.0"); gi.require_version("GdkX11", "3.0")' 2> /dev/null; then
    echo "python3-gi or gir1.2-gtk-3.0 missing: editing in a GTK container was not checked"
    exit 77
fi

on_bus_and_display bash -c '
set -euo pipefail
editor=$0 cli=$1 container=$2 register=$3
pids=()
trap "kill \${pids[*]} 2> /dev/null || true" EXIT
"$register" "$editor"

check() {  # with or without a window manager
    /usr/bin/python3 "$container" object.ltf > container.log 2>&1 || { cat container.log; exit 1; }
    cat container.log
    "$cli" dump object.ltf > dump.json
    notes=$(/usr/bin/python3 -c "import json; d = json.load(open(\"dump.json\"))
print(sorted([n[0], n[1], n[2], n[4]] for i in d[\"items\"] for n in i[\"notes\"]))")
    [ "$notes" = "[[4, 0, 0, 0], [6, 1, 0, 0]]" ] || { echo "notes: $notes"; exit 1; }
}
check
echo "without a window manager: ok"
openbox > /dev/null 2>&1 & pids+=($!)
sleep 1
check
echo "with openbox: ok"
' "$editor" "$cli" "$container" "$register"
