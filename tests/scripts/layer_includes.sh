#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 The Lutaris authors
# Every include of the program's own headers points down the layers:
#   compound → platform → model → text, render, sound → edit → document → app, tools
# with each qt/ folder above its layer (and above the qt/ folders of the layers below), the
# FluidSynth module sound/fluid above sound and below nothing (it is loaded, not included), and
# the application's rooms in their own order:
#   app/shell → app/frame, app/print, app/inplace; app/frame, app/print → app/editor;
#   app/editor, app/inplace → app/server → app/startup
# Prints each include that points up, with its file and line, and fails if there is one.
set -euo pipefail
cd "${LUTARIS_SOURCE_DIR:-$(dirname "$0")/../..}"

# The folders each one may include from, besides itself.
declare -A allowed=(
    [compound]=""
    [platform]="compound"
    [platform/qt]="platform compound"
    [model]="platform compound"
    [text]="model platform compound"
    [render]="model platform compound"
    [render/qt]="render model platform/qt platform compound"
    [sound]="model platform compound"
    [sound/fluid]="sound"
    [edit]="text render sound model platform compound"
    [edit/qt]="edit text render/qt render sound model platform/qt platform compound"
    [document]="edit text render sound model platform compound"
)
below_app="document edit/qt edit text render/qt render sound model platform/qt platform compound"
allowed[app/shell]="$below_app"
allowed[app/frame]="app/shell $below_app"
allowed[app/print]="app/shell $below_app"
allowed[app/inplace]="app/shell $below_app"
allowed[app/editor]="app/frame app/print app/shell $below_app"
allowed[app/server]="app/editor app/frame app/print app/inplace app/shell $below_app"
allowed[app/startup]="app/server app/editor app/frame app/print app/inplace app/shell $below_app"

room_of() {  # the layer of a path below src/ (src/render/qt/X.h → render/qt; a layer's
              # other subfolders belong to it: src/platform/files/X.h → platform)
    local rest=${1#src/}
    local first=${rest%%/*}
    rest=${rest#*/}
    if [[ $first == app ]]; then echo "app/${rest%%/*}"; return; fi
    if [[ $rest == qt/* ]]; then echo "$first/qt"
    elif [[ $rest == fluid/* ]]; then echo "$first/fluid"
    else echo "$first"; fi
}

status=0
while IFS= read -r -d '' file; do
    room=$(room_of "$file")
    if [[ ! -v allowed[$room] ]]; then
        echo "$file: src/$room has no place in the layer order (add it to this script)"
        status=1
        continue
    fi
    line_number=0
    while IFS= read -r line; do
        line_number=$((line_number + 1))
        [[ $line =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]+\"([^\"]+)\" ]] || continue
        included=${BASH_REMATCH[1]}
        [[ $included == */* ]] || continue
        target=$(room_of "src/$included")
        [[ $target == "$room" ]] && continue
        if [[ " ${allowed[$room]} " != *" $target "* ]]; then
            echo "$file:$line_number: $room includes $included ($target is not below it)"
            status=1
        fi
    done < "$file"
done < <(find src -mindepth 2 \( -name '*.h' -o -name '*.cpp' \) -print0)
exit $status
