#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 The Lutaris authors
# The selection and the clipboard through `lutaris-cli run` on its in-process clipboard:
# drag-selections, Copy, Cut, Paste, Copy as Text and drops, checked on the dumped document and
# on what the clipboard holds.
set -euo pipefail
cli="$LUTARIS_BINARY_DIR/tools/lutaris-cli"
python=/usr/bin/python3  # the one that python3-olefile is installed for
"$python" -c "import olefile" 2>/dev/null || {
    echo "missing python3-olefile: run scripts/setup.sh" >&2
    exit 1
}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

# Script lines that make N items at positions 0 … N − 1, the item at position p holding one
# note with fret p, so that the dump tells which item stands where.
items() {
    echo "key 48"
    for ((p = 1; p < $1; p++)); do printf 'command 32785\nkey 39\nkey 39\nkey %d\n' $((48 + p)); done
}

# Runs a script on stdin; its output lines (dumps and clipboard lines) go to $1.json, its
# messages to $1.err.
run() { "$cli" run - > "$1.json" 2> "$1.err"; }

# A drag-selection leaves the marker alone on the clipboard, also when it selects nothing;
# Copy as Text of one item and of two.
{ items 4; cat <<'SCRIPT'; } | run text
select 1 1
clipboard
command 32801
clipboard
select 1 2
command 32801
clipboard
select 3 1
dump
clipboard
select 0 0
command 32801
save four.ltf
SCRIPT
test ! -s text.err
"$cli" export-text four.ltf four.txt
"$python" - text.json four.txt <<'PY'
import json, sys
lines = [json.loads(line) for line in open(sys.argv[1])]
marker = {"formats": [{"name": "Lutaris 0.2", "size": 4}], "text": None, "descriptor": None}
assert lines[0] == marker, lines[0]
# Export writes each item's lines with CR LF and three more line breaks after it.
blocks = open(sys.argv[2], "rb").read().decode().split("\r\n\r\n\r\n\r\n")
item_lines = [block.split("\r\n") for block in blocks[:4]]
assert item_lines[1][0].startswith("|-1-"), item_lines[1]
one = lines[1]
assert [f["name"] for f in one["formats"]] == ["text/plain"], one
assert one["text"] == "\n".join(item_lines[1]), one["text"]
# Two items come apart as Export File writes them: three empty lines between them.
two = lines[2]["text"]
assert two == "\n".join(item_lines[1]) + "\n\n\n\n" + "\n".join(item_lines[2]), two
assert "\r" not in two and len(two.split("\n")) == 15
dump = lines[3]
assert dump["selection"] == [] and dump["copied"] == 0, dump
assert lines[4] == marker, lines[4]
PY

# Copy then Paste twice with two items selected; a drag-selection after Copy disables Paste.
{ items 3; cat <<'SCRIPT'; } | run paste
select 1 2
command 57634
clipboard
command 57637
command 57637
dump
select 1 2
command 57637
dump
clipboard
SCRIPT
test ! -s paste.err
"$python" - paste.json <<'PY'
import json, sys
copied, pasted, after_select, clip = [json.loads(line) for line in open(sys.argv[1])]
names = [f["name"] for f in copied["formats"]]
assert names[:2] == ["Embed Source", "Object Descriptor"] and "image/svg+xml" in names, names
assert "Lutaris 0.2" not in names and "Link Source" not in names, names
order = sorted(pasted["items"], key=lambda item: item["position"])
assert [item["notes"][0][0] for item in order] == [0, 1, 2, 1, 2, 1, 2], order
assert pasted["copied"] == 1 and pasted["selection"] == [1, 2] and pasted["modified"]
assert len(after_select["items"]) == 7 and after_select["copied"] == 0, after_select
assert clip["formats"] == [{"name": "Lutaris 0.2", "size": 4}], clip
assert copied["descriptor"]["type"] == "Lutars Document", copied
PY

# Cut of positions 2 and 3 of five, then of everything; Cut leaves the clipboard alone.
{ items 5; cat <<'SCRIPT'; } | run cut
select 2 3
command 57635
dump
clipboard
select 0 2
command 57635
dump
SCRIPT
test ! -s cut.err
"$python" - cut.json <<'PY'
import json, sys
cut, clip, emptied = [json.loads(line) for line in open(sys.argv[1])]
items = cut["items"]
assert [(i["position"], i["notes"][0][0]) for i in items] == [(0, 0), (1, 1), (2, 4)], items
assert items[cut["cursor"]["item"]]["position"] == 1, cut["cursor"]
assert cut["selection"] == [] and cut["copied"] == 0 and cut["modified"]
assert clip["formats"] == [{"name": "Lutaris 0.2", "size": 4}], clip
assert [(i["position"], i["notes"]) for i in emptied["items"]] == [(0, [])], emptied
assert emptied["cursor"]["item"] == 0
PY

# The two drops on six items, a drop on a selected item, on empty space, and one with only
# text on the clipboard.
{ items 6; cat <<'SCRIPT'; } | run drop
save six.ltf
select 1 2
drop 4
dump
drop 3
dump
drop 42
dump
SCRIPT
{ printf "answer no\nopen six.ltf\n"; cat <<'SCRIPT'; } | run drop-back
select 1 2
drop 0
dump
command 32801
drop 5
dump
SCRIPT
test ! -s drop.err
test "$(cat drop-back.err)" = "message: Sorry: Lutaris does not support this object"
"$python" - drop.json drop-back.json <<'PY'
import json, sys
def order(doc):
    return [i["notes"][0][0] for i in sorted(doc["items"], key=lambda i: i["position"])]
forward, on_selected, on_nothing = [json.loads(line) for line in open(sys.argv[1])]
assert order(forward) == [0, 3, 1, 2, 4, 5], order(forward)
assert forward["modified"] and forward["selection"] == [1, 2], forward
assert order(on_selected) == order(on_nothing) == [0, 3, 1, 2, 4, 5]
back, refused = [json.loads(line) for line in open(sys.argv[2])]
assert order(back) == [1, 2, 0, 3, 4, 5] and back["modified"], order(back)
assert order(refused) == order(back)
PY

# Copy of a saved document: the embedded object is the saved file byte for byte, a compound
# file with the class id and the "Contents" stream; the link names the file.
printf 'answer no\nopen six.ltf\ncommand 57634\nclipboard\nclipboard "Embed Source" embed.bin\n'`
      `'clipboard "Object Descriptor" descriptor.bin\nclipboard text/uri-list uris.txt\n' | run copy
test ! -s copy.err
cmp embed.bin six.ltf
"$python" - copy.json embed.bin descriptor.bin uris.txt "$work/six.ltf" <<'PY'
import json, struct, sys, olefile
from urllib.parse import unquote
clip = json.load(open(sys.argv[1]))
assert [f["name"] for f in clip["formats"]] == ["Embed Source", "Object Descriptor", "Link Source",
    "Link Source Descriptor", "text/uri-list", "image/svg+xml"], clip
ole = olefile.OleFileIO(sys.argv[2], raise_defects=olefile.DEFECT_INCORRECT)
assert ole.root.clsid == "4E1B7C53-2A96-4F08-B3D5-71C9E0A64F2D", ole.root.clsid
assert ole.listdir() == [["Contents"]]
assert ole.openstream("Contents").read().startswith(b"Lutaris_0.2")
descriptor = open(sys.argv[3], "rb").read()
size, = struct.unpack_from("<I", descriptor)
assert size == len(descriptor)
width, height = struct.unpack_from("<ii", descriptor, 24)
assert clip["descriptor"] == {"classId": "4E1B7C53-2A96-4F08-B3D5-71C9E0A64F2D", "aspect": 1,
    "width": width, "height": height, "type": "Lutars Document", "source": "Lutaris"}, clip
assert width > 0 and height > 0, (width, height)
type_at, source_at = struct.unpack_from("<II", descriptor, 44)
assert descriptor[type_at:].decode("utf-16-le").split("\0")[0] == "Lutars Document"
assert descriptor[source_at:].decode("utf-16-le").split("\0")[0] == "Lutaris"
uri = open(sys.argv[4], "rb").read()
assert uri.endswith(b"\r\n") and unquote(uri[:-2].decode()) == "file://" + sys.argv[5], uri
PY

# Malformed clipboard lines stop the script; a format that is not there is a failure, which
# stops it too unless it is to keep going.
printf 'select 1\n' | "$cli" run - 2> usage.err && exit 1
grep -q "usage: select FROM TO" usage.err
status=0
printf 'clipboard image/png x.png\ndump\n' | "$cli" run --keep-going - > missing.json 2> missing.err ||
    status=$?
test $status -eq 1 && test -s missing.json && test ! -e x.png
grep -q 'no format "image/png"' missing.err
status=0
printf 'clipboard image/png x.png\ndump\n' | "$cli" run - > missing.json 2> missing.err || status=$?
test $status -eq 1 && test ! -s missing.json && test ! -e x.png
test "$(cat missing.err)" = 'lutaris-cli: line 1: clipboard: no format "image/png"'

echo "clipboard session ok"
