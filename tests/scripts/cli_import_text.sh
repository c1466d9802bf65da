#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 The Lutaris authors
# Text tablature through lutaris-cli: import-text, and Import File (32786) in a script.
set -euo pipefail
cli="$LUTARIS_BINARY_DIR/tools/lutaris-cli"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

# Two measures with CR LF line ends, a lyric line, then a system without bars.
printf '%s\r\n' 'e|-3h5-|-0---|' 'B|-----|-1---|' 'G|-----|-<7>-|' 'D|-----|-----|' \
    'A|-----|-----|' 'E|-----|-x---|' '' 'la la la' '--12--' '--(9)-' '------' '------' '' \
    > song.txt
"$cli" import-text song.txt song.ltf 2> messages.txt
test ! -s messages.txt
"$cli" dump song.ltf > dump.json
/usr/bin/python3 - dump.json <<'PY'
import json, sys
doc = json.load(open(sys.argv[1]))
items = doc["items"]
assert [item["position"] for item in items] == [0, 1], items
# One item a measure, the first in the document's first item; the bar that ends the line
# makes none. The system without bars goes on in the last item, its columns counted on.
assert items[0]["notes"] == [[3, 0, 0, 0, 10], [5, 0, 1, 0, 0]], items[0]
assert items[1]["notes"] == [[0, 0, 0, 0, 0], [1, 1, 0, 0, 0], [0, 5, 0, 0, 2],
                             [7, 2, 0, 0, 14], [12, 0, 1, 0, 0], [9, 1, 1, 0, 15]], items[1]
# The caret starts on the first note; the systems of 6 and 4 lines keep six strings.
assert doc["cursor"]["item"] == 0 and doc["cursor"]["current"] == [3, 0, 0, 0, 10], doc
assert doc["settings"]["numberOfStrings"] == 6, doc
assert doc["modified"] is False and doc["path"] == "song.ltf", doc
PY

# A missing file is reported and nothing is written.
status=0
"$cli" import-text missing.txt out.ltf 2> messages.txt || status=$?
test "$status" -eq 1
test "$(cat messages.txt)" = "message: No File: File Not Found"
test ! -e out.ltf

# The same import as a menu command in a script; answering No first changes nothing (and a
# script that is to go on past a cancelled command says so).
cat > script.txt <<'SCRIPT'
key 53
key 39
answer no
command 32786
dump
answer yes
file song.txt
command 32786
dump
SCRIPT
"$cli" run --keep-going script.txt > dumps.json 2> messages.txt
warning='message: Warning: This will overwrite any data in this document.\nDo you want to continue?'
test "$(cat messages.txt)" = "$(printf '%s\n%s' "$warning" "$warning")"
/usr/bin/python3 - dumps.json <<'PY'
import json, sys
before, after = [json.loads(line) for line in open(sys.argv[1])]
assert [item["notes"] for item in before["items"]] == [[[5, 0, 0, 0, 0]]], before
assert before["path"] is None, before
assert [len(item["notes"]) for item in after["items"]] == [2, 6], after
assert after["cursor"]["item"] == 0 and after["cursor"]["current"] == [3, 0, 0, 0, 10], after
assert after["modified"] is True and after["path"] is None, after
PY

# Without --keep-going the declined import stops the script at its line, before any dump.
status=0
"$cli" run script.txt > dumps.json 2> messages.txt || status=$?
test "$status" -eq 1
test ! -s dumps.json
test "$(cat messages.txt)" = "$(printf '%s\n%s' "$warning" \
    'lutaris-cli: line 4: command 32786 (Import File) cancelled')"
