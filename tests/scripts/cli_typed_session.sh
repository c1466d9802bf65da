#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 The Lutaris authors
# A typed editing session through `lutaris-cli run`: keys and commands as the view and the
# menus deliver them, then save, dump, reopen and export, checked field by field.
set -euo pipefail
cli="$LUTARIS_BINARY_DIR/tools/lutaris-cli"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

cat > session.txt <<'SCRIPT'
# 1 2 on the top string, then 5 with a bend below it
key 49
key 50
key 40
key 53
key 66
# Right stores the bent note; a slide on the empty cell makes a blank slide mark
key 39
key 191
key 39
# an empty caret one column past the last note stays: there is no next item yet
key 39
command 32785
key 39
key 88
# Page Up scrolls the view and leaves the document alone
key 33
key 37
seed 0
command 32784
command 32782
save out.ltf
dump
SCRIPT
"$cli" run session.txt > dump.json 2> messages.txt
test ! -s messages.txt

/usr/bin/python3 - dump.json <<'PY'
import json, sys
doc = json.load(open(sys.argv[1]))
assert list(doc["settings"]) == ["leftMargin", "topMargin", "horizontalSpacing",
    "verticalSpacing", "textFloat", "numberOfStrings", "nextLineSpacing", "textOpaque"]
assert list(doc["settings"].values()) == [1, 1, 24, 12, 8, 6, 30, 1], doc["settings"]
items = doc["items"]
assert [item["position"] for item in items] == [1, 2, 3, 0], items
assert items[0]["notes"] == [[12, 0, 0, 0, 0], [5, 1, 0, 0, 8], [-98, 1, 1, 0, 6]], items[0]
assert items[1]["notes"] == [[0, 1, 0, 0, 2]], items[1]
riff = items[2]["notes"]
assert len(riff) == 9 and riff[0] == [22, 3, 0, 0, 0], riff
assert [note[2] for note in riff] == list(range(9))
assert items[3]["notes"] == []
assert all(item["reservedBlock"] == "0" * 160 for item in items)
assert doc["cursor"] == {"item": 0, "current": [-98, 1, 1, 0, 6],
                         "previous": [-98, 1, 0, 0, 6]}, doc["cursor"]
assert doc["selection"] == [] and doc["copied"] == 0
assert doc["modified"] is False and doc["path"] == "out.ltf", doc
PY

# The saved file reads back the same; the caret starts at column 0, string 0 of the first
# stored item and shows the note there.
"$cli" dump out.ltf > reopened.json
/usr/bin/python3 - dump.json reopened.json <<'PY'
import json, sys
saved, reopened = (json.load(open(name)) for name in sys.argv[1:3])
assert reopened["items"] == saved["items"]
assert reopened["cursor"] == {"item": 0, "current": [12, 0, 0, 0, 0],
                              "previous": [0, 0, 0, 0, 17]}, reopened["cursor"]
assert reopened["modified"] is False and reopened["path"] == "out.ltf"
PY

# Export writes reading order (the file above keeps list order) with CR LF line ends and three
# line breaks after every item: the inserted empty item first, the riff last.
"$cli" export-text out.ltf out.txt
/usr/bin/python3 - out.txt <<'PY'
import sys
data = open(sys.argv[1], "rb").read()
assert b"\n" not in data.replace(b"\r\n", b""), "a bare LF"
assert data.endswith(b"\r\n\r\n\r\n\r\n"), data[-40:]
blocks = data.decode()[:-8].split("\r\n\r\n\r\n\r\n")
assert len(blocks) == 4, blocks
assert blocks[0].split("\r\n") == ["|-"] * 6, blocks[0]
second = blocks[1].split("\r\n")
assert second == ["|-12------", "|-5b-- /--", "|---------", "|---------", "|---------",
                  "|---------"], second
assert blocks[2].split("\r\n")[1].startswith("|-X"), blocks[2]
assert len(blocks[3].split("\r\n")) == 6 and len(blocks[3].split("\r\n")[0]) == 4 * 8 + 6
PY

# A modified document asks before it is replaced (an untouched new one does not); unanswered,
# the question is cancelled and the document stays. Run on past the cancel, as the tool
# always did when told to keep going.
cat > replace.txt <<'SCRIPT'
open out.ltf
# 7 typed on the stored 12 keeps the last two digits: 27
key 55
new
dump
answer no
new
dump
SCRIPT
"$cli" run --keep-going replace.txt > replace.json 2> replace.err
test "$(cat replace.err)" = "message: Lutaris: Save changes to out.ltf?
message: Lutaris: Save changes to out.ltf?"
/usr/bin/python3 - replace.json <<'PY'
import json, sys
kept, fresh = (json.loads(line) for line in open(sys.argv[1]))
assert kept["path"] == "out.ltf" and kept["items"][0]["notes"][0] == [27, 0, 0, 0, 0], kept
assert fresh["path"] is None and fresh["modified"] is False, fresh
assert [item["notes"] for item in fresh["items"]] == [[]]
PY

# The settings dialog: what is typed is read four characters at a time; Cancel changes
# nothing, so the saved document stays unmodified.
printf 'settings 30 -7 3x "" 123456 0\ncommand 32800\nsave s.ltf\nsettings cancel\ncommand 32800\ndump\n' |
    "$cli" run - > settings.json
/usr/bin/python3 - settings.json <<'PY'
import json, sys
doc = json.load(open(sys.argv[1]))
assert list(doc["settings"].values()) == [1, 1, 30, -7, 3, 0, 1234, 0], doc["settings"]
assert doc["modified"] is False
PY
# Undo and Redo in a script: the two digits of one fret are one step, and the modified flag
# follows the history back to the new document.
printf 'key 53\nkey 49\ncommand 57643\ndump\ncommand 57644\ndump\n' | "$cli" run - > undo.json
/usr/bin/python3 - undo.json <<'PY'
import json, sys
undone, redone = (json.loads(line) for line in open(sys.argv[1]))
assert undone["items"][0]["notes"] == [] and undone["modified"] is False, undone
assert redone["items"][0]["notes"] == [[51, 0, 0, 0, 0]] and redone["modified"] is True, redone
PY
# Paths are JSON-escaped in the dump; a quoted script word may hold blanks and quotes.
printf 'save "a \\"quoted\\" name.ltf"\ndump\n' | "$cli" run - > quoted.json
/usr/bin/python3 - quoted.json <<'PY'
import json, sys
assert json.load(open(sys.argv[1]))["path"] == 'a "quoted" name.ltf'
PY
test -f 'a "quoted" name.ltf'
echo "typed session ok"
