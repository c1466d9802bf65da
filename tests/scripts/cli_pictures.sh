#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 The Lutaris authors
# lutaris-cli render and paint: the pictures open in ordinary tools, have the sizes the
# document's extent and the window width give them, and show the caret only when asked.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib/cli_test.sh"

# Three tab items with a few notes and a bend, so every picture has ink and marks.
"$cli" run - <<'SCRIPT'
key 49
key 50
key 66
key 39
command 32785
key 55
key 39
command 32785
key 51
save song.ltf
SCRIPT

# The presentation in all three kinds; each has the physical size of the extent.
"$cli" render song.ltf song.svg
"$cli" render song.ltf song.png
"$cli" render song.ltf song.pdf
/usr/bin/python3 - <<'PY'
import re, subprocess, xml.etree.ElementTree as ET
svg = ET.parse("song.svg").getroot()
assert svg.tag.endswith("svg"), svg.tag
def millimetres(value):
    number, unit = re.fullmatch(r"([0-9.]+)(mm|cm|in|pt|px)?", value).groups()
    return float(number) * {"mm": 1, "cm": 10, "in": 25.4, "pt": 25.4 / 72, "px": 25.4 / 96,
                            None: 25.4 / 96}[unit]
svg_size = (millimetres(svg.get("width")), millimetres(svg.get("height")))
assert svg_size[0] > svg_size[1] > 0, svg_size  # three items in one row: wider than high
png = subprocess.run(["identify", "-format", "%w %h", "song.png"], check=True,
                     capture_output=True, text=True).stdout.split()
png_size = tuple(int(v) * 25.4 / 96 for v in png)
info = subprocess.run(["pdfinfo", "song.pdf"], check=True, capture_output=True, text=True).stdout
points = re.search(r"Page size:\s+([0-9.]+) x ([0-9.]+) pts", info).groups()
pdf_size = tuple(float(v) * 25.4 / 72 for v in points)
for other in (png_size, pdf_size):
    for a, b in zip(svg_size, other):
        assert abs(a - b) < 0.6, (svg_size, png_size, pdf_size)
PY
# The PDF draws: rasterised, it holds dark pixels.
pdftoppm -r 96 -png song.pdf page
test "$(identify -format '%[fx:minima.intensity < 0.5]' page-1.png)" = 1

# The view's paint: as wide as the window; red only where the caret is drawn.
"$cli" paint song.ltf printed.png
test "$(identify -format '%w' printed.png)" = 800
"$cli" paint song.ltf narrow.png --width 120 --caret
test "$(identify -format '%w' narrow.png)" = 120
# Three items of 72 pixels wrap in a window of 120: the picture is taller than the wide one.
test "$(identify -format '%h' narrow.png)" -gt "$(identify -format '%h' printed.png)"
red() { convert "$1" -fuzz 10% -fill black +opaque '#ff0000' -fill white -opaque '#ff0000' \
    -format '%[fx:mean > 0]' info:; }
test "$(red narrow.png)" = 1
test "$(red printed.png)" = 0

# Wrong use and files that cannot be read or written.
expect_status 2 "$cli" render song.ltf
expect_status 2 "$cli" paint song.ltf x.png --width 0
expect_status 2 "$cli" paint song.ltf x.png --width wide
expect_status 1 "$cli" render song.ltf song.gif
grep -q "song.gif" err.txt
test ! -e song.gif
expect_status 1 "$cli" render missing.ltf out.svg
grep -q "^message: " err.txt
test ! -e out.svg
expect_status 1 "$cli" paint song.ltf no-such-folder/out.png
