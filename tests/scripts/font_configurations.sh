#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 The Lutaris authors
# The picture does not depend on the machine's font configuration. Ghostscript's fonts
# (fonts-urw-base35, on most desktops that print) claim the name "Courier"; whether they are
# visible or hidden, and whether fontconfig knows Liberation Mono or only its files are there,
# the view paints the same pixels and the Qt surface's text cells keep their metrics. Without
# Liberation Mono at all the program still draws, and says once what is missing.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib/cli_test.sh"
gui_tests="$LUTARIS_BINARY_DIR/tests/lutaris_app_tests"
base_config=${FONTCONFIG_FILE:-/etc/fonts/fonts.conf}
# Qt complains on standard error about a missing runtime folder; this test reads that stream.
mkdir -m 700 runtime empty
export XDG_RUNTIME_DIR="$work/runtime"

# The machine's configuration with some fonts hidden: $1 the file, then <rejectfont> elements.
write_config() {
    local file=$1
    shift
    cat > "$file" <<CONFIG
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <include ignore_missing="no">$base_config</include>
  <selectfont><rejectfont>$*</rejectfont></selectfont>
</fontconfig>
CONFIG
}
write_config without-urw.conf '<glob>*/urw-base35/*</glob><glob>*/X11/Type1/*</glob>'
write_config without-liberation.conf \
    '<pattern><patelt name="family"><string>Liberation Mono</string></patelt></pattern>'
echo "this machine's Courier: $(fc-match Courier)"
if FONTCONFIG_FILE=$PWD/without-urw.conf fc-list : family | grep -q 'Nimbus Mono'; then
    echo "the configuration without-urw.conf does not hide Nimbus Mono" >&2
    exit 1
fi
if FONTCONFIG_FILE=$PWD/without-liberation.conf fc-list : family | grep -q 'Liberation Mono'; then
    echo "the configuration without-liberation.conf does not hide Liberation Mono" >&2
    exit 1
fi

# Frets of one and two digits with marks and arcs, over a wrapped second line.
"$cli" run - <<'SCRIPT'
key 49
key 50
key 66
key 39
key 53
key 72
key 39
key 55
key 191
key 39
key 40
key 57
key 80
key 39
key 88
seed 3
command 32784
command 32784
save song.ltf
SCRIPT

paint() {  # the configuration's name; its pictures and messages
    "$cli" paint song.ltf "$1.png" --width 500 --caret 2> "$1.err"
    "$cli" render song.ltf "$1-embedded.png" 2>> "$1.err"
}
paint machine
FONTCONFIG_FILE=$PWD/without-urw.conf paint without-urw
FONTCONFIG_FILE=$PWD/without-liberation.conf paint liberation-files
for picture in without-urw liberation-files; do
    cmp machine.png "$picture.png"
    cmp machine-embedded.png "$picture-embedded.png"
    test ! -s "$picture.err"
done
FONTCONFIG_FILE=$PWD/without-urw.conf "$gui_tests" --gtest_filter='QtSurface.*' > tests.log ||
    { cat tests.log; exit 1; }
FONTCONFIG_FILE=$PWD/without-liberation.conf "$gui_tests" --gtest_filter='QtSurface.*' \
    > tests.log || { cat tests.log; exit 1; }

# Neither the family nor the files: a picture all the same, and one line naming the package.
FONTCONFIG_FILE=$PWD/without-liberation.conf XDG_DATA_DIRS="$work/empty" \
    XDG_DATA_HOME="$work/empty" paint no-liberation
test "$(head -c 8 no-liberation.png | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a
test "$(wc -l < no-liberation.err)" -eq 2  # one from each program run, not one a text
grep -q '^lutaris-cli: font Liberation Mono not found (package fonts-liberation)' \
    no-liberation.err
echo "font configurations ok"
