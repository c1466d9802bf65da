# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 The Lutaris authors
# Writes a document's "Contents" stream as a plain file (the program reads a file that is not a
# compound file whole as that stream), for the sound tests: python3 sound_tab.py OUT ITEM...
# where each ITEM is a list of notes "fret,string,column,action" separated by spaces, the
# items at positions 0, 1, ... in the order given.
import struct
import sys

out = sys.argv[1]
items = sys.argv[2:]
data = b"Lutaris_0.2" + struct.pack("<8i", 1, 1, 24, 12, 8, 6, 30, 1)
data += struct.pack("<i", len(items))
for position, item in enumerate(items):
    notes = [tuple(int(v) for v in note.split(",")) for note in item.split()]
    data += bytes(80) + struct.pack("<2i", position, len(notes))
    for fret, string, column, action in notes:
        data += struct.pack("<5i", fret, string, column, 0, action)
open(out, "wb").write(data)
