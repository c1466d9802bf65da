#!/usr/bin/env bash
# Takes the screenshots a person looks at before calling a change of the editor's windows done:
# the windows and dialogs rendered by lutaris_screenshots, the running editor as the X server
# shows it, and a PDF printout rasterised at 96 dpi to compare with the screen.
# Usage: tests/screenshots/take.sh [OUTPUT_FOLDER] [BUILD_DIR]   (PNGs are not committed)
set -euo pipefail
cd "$(dirname "$0")/../.."
out=${1:-screenshots}
build=${2:-build}
mkdir -p "$out"

xvfb-run -a -s "-screen 0 1024x768x24" "$build/tests/lutaris_screenshots" "$out"
pdftoppm -r 96 -png -singlefile "$out/print.pdf" "$out/print-96dpi"

# The real program on a virtual screen: start it, let it paint, photograph the screen.
xvfb-run -a -s "-screen 0 800x600x24" bash -c '
    "$0/src/lutaris" & pid=$!
    sleep 3
    import -window root "$1/editor.png"
    kill $pid
' "$build" "$out"
echo "screenshots in $out"
