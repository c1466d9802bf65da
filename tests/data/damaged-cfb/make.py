#!/usr/bin/python3
"""Makes the compound files that the reader tests use: one damaged file per kind of damage the
reader must refuse (here), and a few valid ones in shapes our own writer never produces (in
../valid-cfb: version 4, several streams, a storage, a short last sector, a version 3 size with
junk in its high half).

Standard library only; run it with /usr/bin/python3 from this folder to regenerate the files.
The output is deterministic, so a rerun leaves git with nothing to commit."""

import os
import struct

ENDOFCHAIN = 0xFFFFFFFE
FREESECT = 0xFFFFFFFF
FATSECT = 0xFFFFFFFD
DIFSECT = 0xFFFFFFFC
NOSTREAM = 0xFFFFFFFF
SIGNATURE = bytes.fromhex("D0CF11E0A1B11AE1")
CLASS_ID = bytes.fromhex("537C1B4E962A084FB3D571C9E0A64F2D")


def pattern(size, seed=1):
    out = bytearray(size)
    state = seed
    for i in range(size):
        state = (state * 214013 + 2531011) & 0xFFFFFFFF
        out[i] = (state >> 16) & 0xFF
    return bytes(out)


class Entry:
    def __init__(self, name, kind, data=b"", children=()):
        self.name = name
        self.kind = kind  # 1 storage, 2 stream, 5 root
        self.data = data
        self.children = list(children)
        self.left = self.right = self.child = NOSTREAM
        self.start = ENDOFCHAIN
        self.size = 0
        self.class_id = bytes(16)


class Layout:
    """Where everything ended up, for the damage to aim at."""


def build(streams, version=3, storages=()):
    """streams: list of (name, bytes) in the root; storages: list of (name, [(name, bytes)]).
    Returns (file bytes, Layout)."""
    sector = 512 if version == 3 else 4096
    links = sector // 4
    root = Entry("Root Entry", 5)
    root.class_id = CLASS_ID
    for name, data in streams:
        root.children.append(Entry(name, 2, data))
    for name, inner in storages:
        root.children.append(Entry(name, 1, children=[Entry(n, 2, d) for n, d in inner]))

    entries = [root]

    def number(entry):
        for child in entry.children:
            entries.append(child)
            number(child)

    number(root)
    ids = {id(e): i for i, e in enumerate(entries)}

    def tree(children):
        # A balanced tree in the format's name order, every node black (valid for a red-black
        # tree whose paths all have the same length only when full; readers do not check colour).
        order = sorted(children, key=lambda e: (len(e.name), e.name.upper()))
        if not order:
            return NOSTREAM
        mid = len(order) // 2
        node = order[mid]
        node.left = tree(order[:mid])
        node.right = tree(order[mid + 1:])
        return ids[id(node)]

    for e in entries:
        if e.kind in (1, 5):
            e.child = tree(e.children)

    # Sector plan: FAT, directory, mini FAT, mini stream, then the big streams.
    dir_sectors = -(-len(entries) * 128 // sector)
    mini_data = bytearray()
    mini_links = []
    bigs = []
    for e in entries:
        if e.kind != 2:
            continue
        e.size = len(e.data)
        if e.size == 0:
            e.start = ENDOFCHAIN
        elif e.size < 4096:
            first = len(mini_data) // 64
            count = -(-e.size // 64)
            e.start = first
            mini_links += [first + k + 1 for k in range(count - 1)] + [ENDOFCHAIN]
            mini_data += e.data + bytes(count * 64 - e.size)
        else:
            bigs.append(e)
    mini_fat_sectors = -(-len(mini_links) // links)
    mini_stream_sectors = -(-len(mini_data) // sector)
    big_sectors = sum(-(-len(e.data) // sector) for e in bigs)
    others = dir_sectors + mini_fat_sectors + mini_stream_sectors + big_sectors
    fat_sectors = 1
    while fat_sectors * links < fat_sectors + others:
        fat_sectors += 1
    assert fat_sectors <= 109

    fat = [FREESECT] * (fat_sectors * links)
    for i in range(fat_sectors):
        fat[i] = FATSECT
    next_free = fat_sectors

    def chain(count):
        nonlocal next_free
        first = next_free
        for k in range(count):
            fat[first + k] = first + k + 1 if k + 1 < count else ENDOFCHAIN
        next_free += count
        return first if count else ENDOFCHAIN

    layout = Layout()
    layout.sector = sector
    layout.fat = list(range(fat_sectors))
    layout.directory = chain(dir_sectors)
    layout.mini_fat = chain(mini_fat_sectors)
    layout.mini_stream = chain(mini_stream_sectors)
    root.start = layout.mini_stream
    root.size = len(mini_data)
    for e in bigs:
        e.start = chain(-(-len(e.data) // sector))
    total = next_free

    out = bytearray(sector * (total + 1))
    h = bytearray(512)
    h[0:8] = SIGNATURE
    struct.pack_into("<HHHHH", h, 0x18, 0x3E, version, 0xFFFE, 9 if version == 3 else 12, 6)
    struct.pack_into("<IIIIIIIII", h, 0x28, dir_sectors if version == 4 else 0, fat_sectors,
                     layout.directory, 0, 4096,
                     layout.mini_fat if mini_fat_sectors else ENDOFCHAIN, mini_fat_sectors,
                     ENDOFCHAIN, 0)
    for i in range(109):
        struct.pack_into("<I", h, 0x4C + 4 * i, i if i < fat_sectors else FREESECT)
    out[0:512] = h

    def offset(s):
        return (s + 1) * sector

    for i in range(fat_sectors):
        struct.pack_into("<%dI" % links, out, offset(i), *fat[i * links:(i + 1) * links])
    if mini_fat_sectors:
        padded = mini_links + [FREESECT] * (mini_fat_sectors * links - len(mini_links))
        struct.pack_into("<%dI" % len(padded), out, offset(layout.mini_fat), *padded)
    if mini_data:
        out[offset(layout.mini_stream):offset(layout.mini_stream) + len(mini_data)] = mini_data
    for e in bigs:
        out[offset(e.start):offset(e.start) + len(e.data)] = e.data

    layout.entries = {}
    base = offset(layout.directory)
    for slot in range(dir_sectors * sector // 128):
        at = base + slot * 128
        layout.entries[slot] = at
        if slot >= len(entries):
            struct.pack_into("<III", out, at + 0x44, NOSTREAM, NOSTREAM, NOSTREAM)
            continue
        e = entries[slot]
        name = e.name.encode("utf-16-le")
        out[at:at + len(name)] = name
        struct.pack_into("<HBB", out, at + 0x40, len(name) + 2, e.kind, 1)
        struct.pack_into("<III", out, at + 0x44, e.left, e.right, e.child)
        out[at + 0x50:at + 0x60] = e.class_id
        struct.pack_into("<IQ", out, at + 0x74, e.start, e.size)
    layout.ids = {e.name: i for i, e in enumerate(entries)}
    layout.starts = {e.name: e.start for e in entries}
    return out, layout


def put32(data, at, value):
    struct.pack_into("<I", data, at, value)


def fat_entry(layout, sector):
    return (layout.fat[sector // (layout.sector // 4)] + 1) * layout.sector + \
        4 * (sector % (layout.sector // 4))


def entry_field(layout, name, field):
    return layout.entries[layout.ids[name]] + field


def write(name, data):
    with open(os.path.join(FOLDER, name), "wb") as f:
        f.write(bytes(data))


FOLDER = "."
SMALL = pattern(283)
LARGE = pattern(5000, seed=2)


def valid_files():
    global FOLDER
    FOLDER = "../valid-cfb"
    os.makedirs(FOLDER, exist_ok=True)
    data, _ = build([("Contents", SMALL), ("Other", pattern(100, 3)), ("Big", LARGE)],
                    storages=[("Storage", [("Inner", pattern(70, 4))])])
    write("valid-v3-several-streams.cfb", data)

    data, _ = build([("Contents", LARGE), ("Small", SMALL)], version=4)
    write("valid-v4.cfb", data)

    data, layout = build([("Contents", LARGE)])
    put32(data, entry_field(layout, "Contents", 0x7C), 0xDEADBEEF)  # high half of the size
    write("valid-v3-size-high-bits-set.cfb", data)

    data, layout = build([("Contents", LARGE)])
    write("valid-v3-short-last-sector.cfb", data[:(layout.starts["Contents"] + 1) * 512 + 5000])


def damaged_files():
    global FOLDER
    FOLDER = "."
    # The FAT chain of a large stream turns back on itself.
    data, layout = build([("Contents", LARGE)])
    start = layout.starts["Contents"]
    put32(data, fat_entry(layout, start + 5), start + 2)
    write("looping-fat-chain.cfb", data)

    # A small file that claims 110 FAT sectors, the last listed in a DIFAT sector whose
    # "next" link points at itself. 112 sectors so that the counts fit the file.
    data, layout = build([("Contents", SMALL)])
    data += bytes(512 * (112 - (len(data) // 512 - 1)))
    difat = 111
    put32(data, 0x2C, 110)
    put32(data, 0x44, difat)
    put32(data, 0x48, 2)
    for i in range(127):
        put32(data, (difat + 1) * 512 + 4 * i, FREESECT)
    put32(data, (difat + 1) * 512 + 127 * 4, difat)
    write("looping-difat.cfb", data)

    data, layout = build([("Contents", LARGE)])
    put32(data, entry_field(layout, "Contents", 0x74), 0x00100000)
    write("start-sector-out-of-range.cfb", data)

    data, layout = build([("Contents", SMALL)])
    put32(data, entry_field(layout, "Contents", 0x78), 0xFFFFFFF0)
    write("stream-size-beyond-file.cfb", data)

    data, layout = build([("Contents", SMALL)], version=4)
    struct.pack_into("<Q", data, entry_field(layout, "Contents", 0x78), 0x7FFFFFFFFFFFFFF0)
    write("stream-size-beyond-file-v4.cfb", data)

    data, layout = build([("Contents", SMALL)])
    mini_fat = (layout.mini_fat + 1) * 512
    put32(data, mini_fat + 4 * 2, 900)  # mini sector 900 of a 320-byte mini stream
    write("mini-chain-out-of-range.cfb", data)

    data, layout = build([("Contents", SMALL)])
    put32(data, (layout.mini_fat + 1) * 512 + 4 * 3, 1)
    write("looping-mini-chain.cfb", data)

    data, layout = build([("Alpha", SMALL), ("Contents", SMALL), ("Gamma", SMALL)])
    # The tree is Gamma(Alpha, Contents) in name order; let Contents point back at Alpha.
    put32(data, entry_field(layout, "Contents", 0x48), layout.ids["Alpha"])
    write("directory-sibling-cycle.cfb", data)

    data, layout = build([("Contents", SMALL)], storages=[("Storage", [("Inner", SMALL)])])
    put32(data, entry_field(layout, "Inner", 0x44), layout.ids["Storage"])
    write("directory-child-cycle.cfb", data)

    data, layout = build([("Contents", SMALL)])
    put32(data, entry_field(layout, "Contents", 0x44), 4000)
    write("sibling-out-of-range.cfb", data)

    data, layout = build([("Contents", SMALL)])
    struct.pack_into("<H", data, 0x1E, 12)
    write("bad-sector-shift.cfb", data)

    data, layout = build([("Contents", LARGE)], version=4)
    struct.pack_into("<H", data, 0x1E, 9)
    write("bad-sector-shift-v4.cfb", data)

    # The directory chain loops: the directory spans two sectors whose links point at each other.
    data, layout = build([("S%02d" % i, SMALL[:10]) for i in range(6)])
    put32(data, fat_entry(layout, layout.directory + 1), layout.directory)
    write("looping-directory-chain.cfb", data)

    data, layout = build([("Contents", LARGE)])
    put32(data, fat_entry(layout, layout.starts["Contents"] + 3), ENDOFCHAIN)
    write("fat-chain-ends-early.cfb", data)

    # A stream whose chain runs into the directory: the bytes would be the directory's.
    data, layout = build([("Contents", LARGE)])
    put32(data, fat_entry(layout, layout.starts["Contents"] + 5), layout.directory)
    write("stream-chain-into-directory.cfb", data)

    data, layout = build([("Contents", SMALL)])
    put32(data, entry_field(layout, "Root Entry", 0x78), 0x7FFFFF00)
    write("mini-stream-size-beyond-file.cfb", data)

    data, layout = build([("Contents", SMALL)])
    put32(data, 0x4C, 5000)
    write("fat-sector-out-of-range.cfb", data)

    data, layout = build([("Contents", SMALL)])
    struct.pack_into("<B", data, entry_field(layout, "Contents", 0x42), 0)
    write("unused-entry-in-tree.cfb", data)

    # Two entries whose names differ only in case: which one is "Contents" is anyone's guess.
    data, layout = build([("Contents", SMALL), ("CONTENTS", pattern(50, 5))])
    write("duplicate-names.cfb", data)

    data, layout = build([("Contents", SMALL)])
    struct.pack_into("<H", data, entry_field(layout, "Contents", 0x40), 66)
    write("name-length-too-long.cfb", data)


if __name__ == "__main__":
    os.chdir(os.path.dirname(os.path.abspath(__file__)))
    valid_files()
    damaged_files()
