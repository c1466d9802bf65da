#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 The Lutaris authors
# The clipboard between processes on a real X server (Xvfb, started here): what lutaris-cli
# puts there (the drag-selection's marker, the text of Copy as Text, the embedded object and
# the pictures of Copy) is read by other processes under the same names and bytes, and the two
# private format names set by another program reach the drop decision unchanged. No clipboard
# manager runs under Xvfb, so each writer stays alive (`hold`) while the others read.
set -euo pipefail
cli="$LUTARIS_BINARY_DIR/tools/lutaris-cli"
python=/usr/bin/python3  # the one that python3-olefile is installed for

if [ "${1:-}" != "--inside" ]; then
    missing() {
        echo "missing $1: run scripts/setup.sh to install it" >&2
        exit 1
    }
    command -v xvfb-run >/dev/null || missing "xvfb-run (xvfb)"
    command -v xauth >/dev/null || missing "xauth"
    command -v xclip >/dev/null || missing "xclip"
    "$python" -c "import olefile" 2>/dev/null || missing "python3-olefile"
    # Only a machine that cannot run an X server at all makes this test impossible.
    if ! probe=$(xvfb-run -a true 2>&1); then
        echo "SKIP: Xvfb cannot start a server here: $probe"
        exit 77
    fi
    exec xvfb-run -a -n "$((100 + RANDOM % 800))" -s "-screen 0 1024x768x24 -nolisten tcp" bash "$0" --inside
fi

export QT_QPA_PLATFORM=xcb
work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT
cd "$work"
mkdir -m 700 runtime
export XDG_RUNTIME_DIR=$work/runtime

fail() {
    echo "FAIL: $*" >&2
    exit 1
}
# Waits until the clipboard's owner offers the X11 target $1. A sanitized build on a busy
# machine takes many seconds to start, so the wait is long; it ends as soon as the owner is there.
wait_for_target() {
    for _ in $(seq 600); do
        if xclip -selection clipboard -o -t TARGETS 2>/dev/null | grep -qxF "$1"; then return; fi
        sleep 0.1
    done
    local writer_state="gone"
    [ -n "${writer:-}" ] && kill -0 "$writer" 2>/dev/null && writer_state="still running"
    fail "no clipboard owner offers \"$1\" (writer $writer_state; its messages: $(cat writer.err 2>/dev/null))"
}
# Another program takes the clipboard over with $2 under the target $1 (and keeps it until the
# next owner comes).
take_over() {
    printf "$2" | xclip -quiet -selection clipboard -t "$1" -i >/dev/null 2>&1 &
    pids+=($!)
}
# What a second lutaris-cli reads off the clipboard: its `clipboard` command with the words $@.
read_clipboard() { echo "clipboard $*" | "$cli" run --system-clipboard -; }

# The writer: four items (item p holds fret p), each step held until the test takes over.
{
    echo "key 48"
    for p in 1 2 3; do printf 'command 32785\nkey 39\nkey 39\nkey %d\n' $((48 + p)); done
    cat <<'SCRIPT'
save doc.ltf
select 1 2
hold 120
drop 0
dump
command 32801
hold 120
drop 0
dump
save doc.ltf
command 57634
hold 120
SCRIPT
} > writer.txt
"$cli" run --system-clipboard writer.txt > writer.json 2> writer.err &
writer=$!
pids+=($writer)

# 1. The drag-selection's marker: only it, four bytes.
wait_for_target "Lutaris 0.2"
test "$(xclip -selection clipboard -o -t "Lutaris 0.2" | od -An -tx1 | tr -d ' ')" = 00000000 ||
    fail "marker bytes"
test "$(read_clipboard)" = '{"formats":[{"name":"Lutaris 0.2","size":4}],"text":null,"descriptor":null}' ||
    fail "the marker as a second lutaris-cli sees it: $(read_clipboard)"
# The sibling program's items: the writer's drop refuses them.
take_over "Glissomarkers 3.0" 'x'

# 2. Copy as Text: plain text with single line feeds, as UTF8_STRING and as text/plain.
wait_for_target UTF8_STRING
xclip -selection clipboard -o > text.txt
xclip -selection clipboard -o -t text/plain > text-plain.txt
read_clipboard > text.json
# Our own marker from another program: the writer's drop moves the selection.
take_over "Lutaris 0.2" '\001\002\003\004'

# 3. Copy: the embedded object, its descriptor and the pictures.
wait_for_target "Embed Source"
xclip -selection clipboard -o -t TARGETS > targets.txt
xclip -selection clipboard -o -t "Embed Source" > embed.bin
xclip -selection clipboard -o -t "Object Descriptor" > descriptor.bin
xclip -selection clipboard -o -t image/png > picture.png
read_clipboard > copy.json
read_clipboard '"Embed Source"' embed-qt.bin
take_over UTF8_STRING 'done'

wait "$writer" || fail "the writer ended with status $?: $(cat writer.err)"
test "$(grep -v '^QStandardPaths' writer.err)" = "message: Still working on it...: You are trying to drop one or more Glissomarkers item here." ||
    fail "writer messages: $(cat writer.err)"
cmp embed.bin doc.ltf || fail "Embed Source is not the saved file"
cmp embed-qt.bin doc.ltf || fail "Embed Source as a second lutaris-cli reads it"
cmp text.txt text-plain.txt || fail "UTF8_STRING and text/plain differ"

"$python" - writer.json text.txt text.json targets.txt embed.bin descriptor.bin picture.png \
    copy.json <<'PY'
import json, struct, sys, olefile
(writer, text_path, text_json, targets_path, embed, descriptor_path, png, copy) = sys.argv[1:9]
refused, moved = [json.loads(line) for line in open(writer)]
def order(doc):
    return [i["notes"][0][0] for i in sorted(doc["items"], key=lambda i: i["position"])]
assert order(refused) == [0, 1, 2, 3] and not refused["modified"], refused
assert order(moved) == [1, 2, 0, 3] and moved["modified"], order(moved)

text = open(text_path, "rb").read().decode()
lines = text.split("\n")
assert len(lines) == 15 and "\r" not in text and not text.endswith("\n"), repr(text)
assert lines[0].startswith("|-1-") and lines[6:9] == ["", "", ""], lines
assert lines[9].startswith("|-2-"), lines
seen = json.load(open(text_json))
assert seen["text"] == text, seen
assert "text/plain" in [f["name"] for f in seen["formats"]], seen

targets = open(targets_path).read().splitlines()
for name in ["Embed Source", "Object Descriptor", "image/svg+xml", "image/png"]:
    assert name in targets, targets
assert "Lutaris 0.2" not in targets and "Link Source" in targets, targets
ole = olefile.OleFileIO(embed, raise_defects=olefile.DEFECT_INCORRECT)
assert ole.root.clsid == "4E1B7C53-2A96-4F08-B3D5-71C9E0A64F2D", ole.root.clsid
assert ole.listdir() == [["Contents"]], ole.listdir()
assert ole.openstream("Contents").read().startswith(b"Lutaris_0.2")
descriptor = open(descriptor_path, "rb").read()
assert struct.unpack_from("<I", descriptor)[0] == len(descriptor)
width, height = struct.unpack_from("<ii", descriptor, 24)
assert width > 0 and height > 0, (width, height)
seen = json.load(open(copy))
assert seen["descriptor"] == {"classId": "4E1B7C53-2A96-4F08-B3D5-71C9E0A64F2D", "aspect": 1,
    "width": width, "height": height, "type": "Lutars Document", "source": "Lutaris"}, seen
picture = open(png, "rb").read()
assert picture.startswith(b"\x89PNG\r\n\x1a\n"), picture[:8]
PY
echo "X11 clipboard ok"
