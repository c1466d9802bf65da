#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 The Lutaris authors
# How lutaris-cli reports files it cannot read and scripts it cannot run.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib/cli_test.sh"

# A new document saved at once: a compound file whose Contents stream is 135 bytes.
"$cli" new fresh.ltf
/usr/bin/python3 - fresh.ltf <<'PY'
import olefile, struct, sys
ole = olefile.OleFileIO(sys.argv[1])
contents = ole.openstream("Contents").read()
assert len(contents) == 135, len(contents)
assert contents[:11] == b"Lutaris_0.2"
assert struct.unpack("<9i", contents[11:47]) == (1, 1, 24, 12, 8, 6, 30, 1, 1)
assert contents[47:127] == bytes(80) and struct.unpack("<2i", contents[127:]) == (0, 0)
PY

# Another version of the format is refused with its message, and nothing is dumped.
printf 'Lutaris_0.3' > other.ltf
expect_status 1 "$cli" dump other.ltf
test ! -s out.txt
test "$(cat err.txt)" = "message: Error: This is not a Lutaris file"

# A stream cut short inside an integer, and a count of 2^31 - 1 items in 200 bytes.
/usr/bin/python3 - <<'PY'
import struct
header = b"Lutaris_0.2" + struct.pack("<8i", 1, 1, 24, 12, 8, 6, 30, 1)
open("cut.ltf", "wb").write(header + b"\x01\x00")
open("huge.ltf", "wb").write((header + struct.pack("<i", 2**31 - 1)).ljust(200, b"\0"))
PY
expect_status 1 "$cli" dump cut.ltf
test "$(cat err.txt)" = "message: Lutaris: Unexpected file format."
expect_status 1 timeout 20 "$cli" export-text huge.ltf huge.txt
test "$(cat err.txt)" = "message: Lutaris: Unexpected file format."
test ! -e huge.txt

expect_status 1 "$cli" dump missing.ltf
test "$(cat err.txt)" = "message: Lutaris: Failed to open document."

# A failed open stops a script at its line: nothing after it runs, so nothing is saved.
printf 'answer no\nopen missing.ltf\nsave out.ltf\n' > open.txt
expect_status 1 "$cli" run open.txt
test "$(cat err.txt)" = "message: Lutaris: Failed to open document.
lutaris-cli: line 2: open missing.ltf failed"
test ! -e out.ltf
# Told to keep going, the script runs on with a new untitled document, then ends with 1.
printf 'answer no\nopen other.ltf\ndump\n' > open.txt
expect_status 1 "$cli" run --keep-going open.txt
grep -q '"path":null' out.txt

# The start document is replaced without a question; later questions are asked and, unanswered,
# cancel. The answer a script gives for the start document's question is not left over for a
# later one: here it would let the new discard the edited fresh.ltf.
printf 'open fresh.ltf\ndump\n' > first.txt
expect_status 0 "$cli" run first.txt
test ! -s err.txt
grep -q '"path":"fresh.ltf"' out.txt
printf 'key 49\nopen fresh.ltf\ndump\n' > later.txt
expect_status 1 "$cli" run later.txt
test ! -s out.txt
test "$(cat err.txt)" = "message: Lutaris: Save changes to Untitled?
lutaris-cli: line 2: open fresh.ltf cancelled"
printf 'answer no\nopen fresh.ltf\nkey 49\nnew\ndump\n' > answered.txt
expect_status 1 "$cli" run answered.txt
test ! -s out.txt
test "$(tail -n 1 err.txt)" = "lutaris-cli: line 4: new cancelled"

# Malformed lines stop the script with their line number, as failures; told to keep going
# it stops all the same, with the status of a malformed script.
for line in 'key' 'key 12x' 'key 4294967296' 'answer maybe' 'settings 1 2 3' 'frobnicate' \
    'command 1' 'save "unterminated'; do
    printf '# comment\n\nkey 49\n%s\ndump\n' "$line" > bad.txt
    expect_status 1 "$cli" run bad.txt
    test ! -s out.txt
    grep -q '^lutaris-cli: line 4: ' err.txt
    expect_status 2 "$cli" run --keep-going bad.txt
    test ! -s out.txt
    grep -q '^line 4: ' err.txt
done

# Wrong usage.
expect_status 2 "$cli"
expect_status 2 "$cli" dump
expect_status 2 "$cli" no-such-command
expect_status 2 "$cli" run no-such-script.txt
expect_status 2 "$cli" run .  # a folder, which would read as an empty script
expect_status 0 "$cli" --help
grep -q 'export-text FILE.ltf OUT.txt' out.txt
grep -q '^What stops a script: ' out.txt
echo "failures ok"
