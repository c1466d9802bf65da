# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 The Lutaris authors
"""Reads a compound file with olefile in its strict mode and checks it against what we meant to
write:  /usr/bin/python3 olefile-read.py FILE EXPECTED_CONTENTS CLASS_ID [NAME=EXPECTED ...]
CLASS_ID in olefile's form, e.g. 4E1B7C53-2A96-4F08-B3D5-71C9E0A64F2D; each NAME=EXPECTED is
a further stream and the file of its bytes. Exits non-zero, saying why, when olefile reports a
defect or the class id, the stream list or the bytes differ."""

import sys

import olefile

path, expected_path, class_id = sys.argv[1:4]
others = dict(arg.split("=", 1) for arg in sys.argv[4:])


def fail(why):
    sys.exit("olefile: %s: %s" % (path, why))


try:
    # Every defect from "incorrect" up raises instead of being logged and passed over.
    ole = olefile.OleFileIO(path, raise_defects=olefile.DEFECT_INCORRECT)
except Exception as error:  # olefile raises plain IOError/OSError for defects
    fail("refused: %s" % error)
if ole.parsing_issues:
    fail("parsing issues: %r" % ole.parsing_issues)
if ole.root.clsid != class_id:
    fail("class id %s instead of %s" % (ole.root.clsid, class_id))
entries = sorted(ole.listdir(streams=True, storages=True))
if entries != sorted([["Contents"]] + [[name] for name in others]):
    fail("entries %r" % entries)
for name, other_path in others.items():
    with open(other_path, "rb") as f:
        if ole.openstream(name).read() != f.read():
            fail("the bytes of \"%s\" differ" % name)
with open(expected_path, "rb") as f:
    expected = f.read()
if ole.get_size("Contents") != len(expected):
    fail("size %d instead of %d" % (ole.get_size("Contents"), len(expected)))
if ole.openstream("Contents").read() != expected:
    fail("the bytes of \"Contents\" differ")
