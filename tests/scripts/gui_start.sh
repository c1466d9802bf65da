#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 The Lutaris authors
# The editor program itself: a start without a window system, printing from the command line,
# and the window it shows on a real X server.
set -euo pipefail
editor="$LUTARIS_BINARY_DIR/src/lutaris"
cli="$LUTARIS_BINARY_DIR/tools/lutaris-cli"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
message="lutaris: OLE initialization failed.  Make sure that the OLE libraries are the correct version."

expect_refused_start() {  # a description, then the environment changes for the start
    local what=$1
    shift
    local status=0
    env "$@" "$editor" > out.txt 2> err.txt || status=$?
    if [ "$status" -ne 1 ] || ! grep -qxF "$message" err.txt; then
        echo "$what: expected status 1 and the start-up message, got $status:" >&2
        cat err.txt >&2
        exit 1
    fi
}

# No window system at all, and one that is named but not there: our message, never Qt's abort.
expect_refused_start "no display" -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM
expect_refused_start "unreachable display" -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=:31999

# "/pt DOCUMENT PRINTER" prints and exits; a printer name ending in .pdf is that PDF file.
"$cli" new song.ltf
QT_QPA_PLATFORM=offscreen "$editor" /pt song.ltf out.pdf
head -c 5 out.pdf | grep -q '%PDF-'
# "-" works like "/".
QT_QPA_PLATFORM=offscreen "$editor" -PT song.ltf dash.pdf
head -c 5 dash.pdf | grep -q '%PDF-'

# The real window on a virtual X server, titled after its untitled document.
if ! command -v xvfb-run > /dev/null || ! command -v xwininfo > /dev/null; then
    echo "xvfb-run or xwininfo missing: the window on an X server was not checked"
    exit 0
fi
xvfb-run -a -n "$((100 + RANDOM % 800))" -s "-screen 0 800x600x24" bash -c '
    env -u QT_QPA_PLATFORM "$0" 2> editor-err.txt & pid=$!
    # A sanitized build on a busy machine takes many seconds to show its window.
    for _ in $(seq 300); do
        if xwininfo -root -tree | grep -q "\"Untitled - Lutaris\""; then
            kill $pid
            exit 0
        fi
        if ! kill -0 $pid 2> /dev/null; then break; fi
        sleep 0.2
    done
    kill $pid 2> /dev/null
    echo "no window titled \"Untitled - Lutaris\" appeared; the editor said:" >&2
    cat editor-err.txt >&2
    exit 1
' "$editor"
