# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 The Lutaris authors
# Sourced by the scripts that run the programs on a session bus and an X server of their own:
# a scratch folder to work in (removed on exit) as home and data folders, a skip (status 77)
# when a tool is missing, and the bus and X server to run the test's commands on.

require_tools() {  # what goes unchecked without them, then the tools
    local what=$1
    shift
    for tool in "$@"; do
        if ! command -v "$tool" > /dev/null; then
            echo "$tool missing: $what was not checked"
            exit 77
        fi
    done
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME="$work/home" XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config"
mkdir -p "$HOME"
cd "$work"

# The programs must reach the X server, not Qt's offscreen platform that the suite sets.
on_bus_and_display() {  # the command
    xvfb-run -a -n "$((100 + RANDOM % 800))" -s "-screen 0 1024x768x24 -dpi 96" \
        env -u QT_QPA_PLATFORM dbus-run-session -- "$@"
}
