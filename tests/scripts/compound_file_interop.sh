#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 The Lutaris authors
# Our compound files against independent implementations: every file our writer makes must be
# read back identically by our reader, by olefile (strict) and by the npm package "cfb"; files
# that libgsf and "cfb" write must be read identically by our reader. Any disagreement fails.
set -euo pipefail

tool="$LUTARIS_BINARY_DIR/tests/compound-file-tool"
gsf_writer="$LUTARIS_BINARY_DIR/tests/gsf-write-ole"
interop="$LUTARIS_SOURCE_DIR/tests/interop"
python=/usr/bin/python3  # the one that python3-olefile is installed for
class_bytes="53 7C 1B 4E 96 2A 08 4F B3 D5 71 C9 E0 A6 4F 2D"
class_guid="4E1B7C53-2A96-4F08-B3D5-71C9E0A64F2D"

missing() {
    echo "missing $1: run scripts/setup.sh (and reconfigure) to install it" >&2
    exit 1
}
[ -x "$tool" ] || missing "$tool"
[ -x "$gsf_writer" ] || missing "the libgsf helper (libgsf-1-dev)"
command -v gsf >/dev/null || missing "gsf (libgsf-bin)"
command -v node >/dev/null || missing "node"
[ -d "$interop/node_modules/cfb" ] || missing "the npm package cfb"
"$python" -c "import olefile" 2>/dev/null || missing "python3-olefile"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# Reads FILE with our reader and compares "Contents" with EXPECTED.
read_with_ours() {
    local file=$1 expected=$2 label=$3
    if ! "$tool" read "$file" "$work/ours.bin" >"$work/ours.txt" 2>&1; then
        fail "$label: our reader refused it: $(cat "$work/ours.txt")"
        return
    fi
    cmp -s "$work/ours.bin" "$expected" || fail "$label: our reader got different bytes"
    grep -qx "class $class_bytes" "$work/ours.txt" || fail "$label: class id $(head -1 "$work/ours.txt")"
    grep -qx "stream Contents" "$work/ours.txt" || fail "$label: no Contents in the stream list"
}

# Files we write, read by everyone.
for size in 0 135 283 4095 4096 4097 1048576 30000000; do
    "$tool" pattern "$work/expected" "$size"
    "$tool" write "$work/ours.cfb" "$size"
    read_with_ours "$work/ours.cfb" "$work/expected" "our $size-byte file"
    "$python" "$interop/olefile-read.py" "$work/ours.cfb" "$work/expected" "$class_guid" ||
        fail "olefile disagrees on our $size-byte file"
    node "$interop/cfb-read.js" "$work/ours.cfb" "$work/expected" "${class_bytes// /}" ||
        fail "cfb disagrees on our $size-byte file"
done

# Files with a second stream beside Contents (the playback settings), small or large either.
for sizes in "135 32" "0 32" "5000 32" "135 5000" "70000 9000"; do
    set -- $sizes
    "$tool" pattern "$work/expected" "$1"
    "$tool" side-pattern "$work/side" "$2"
    "$tool" write "$work/two.cfb" "$1" "$2"
    read_with_ours "$work/two.cfb" "$work/expected" "our file of $1 and $2 bytes"
    grep -qx "stream Playback" "$work/ours.txt" || fail "our reader lists no Playback stream"
    "$python" "$interop/olefile-read.py" "$work/two.cfb" "$work/expected" "$class_guid" \
        "Playback=$work/side" || fail "olefile disagrees on our file of $1 and $2 bytes"
    node "$interop/cfb-read.js" "$work/two.cfb" "$work/expected" "${class_bytes// /}" \
        "Playback=$work/side" || fail "cfb disagrees on our file of $1 and $2 bytes"
done

# Files others write, read by us: libgsf in versions 3 and 4 (through a few lines of C, since
# its command-line tool can neither set a class id nor choose the version) and the npm "cfb".
for size in 0 283 4095 4096 70000 1048576; do
    "$tool" pattern "$work/expected" "$size"
    for sector in 512 4096; do
        "$gsf_writer" "$work/gsf.cfb" "$sector" "$work/expected"
        read_with_ours "$work/gsf.cfb" "$work/expected" "libgsf's $size-byte file ($sector-byte sectors)"
    done
    mkdir -p "$work/in"
    cp "$work/expected" "$work/in/Contents"
    (cd "$work/in" && gsf createole "$work/gsfcli.cfb" Contents >/dev/null 2>&1)
    "$tool" read "$work/gsfcli.cfb" "$work/ours.bin" >/dev/null 2>&1 &&
        cmp -s "$work/ours.bin" "$work/expected" ||
        fail "our reader disagrees on the $size-byte file of gsf createole"
    node "$interop/cfb-write.js" "$work/js.cfb" "$work/expected" "${class_bytes// /}"
    read_with_ours "$work/js.cfb" "$work/expected" "cfb's $size-byte file"
done

if [ "$failures" -ne 0 ]; then
    echo "$failures disagreements" >&2
    exit 1
fi
echo "all readers agree"
