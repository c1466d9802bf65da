// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
// Reads a compound file with the npm package "cfb" and checks it against what we meant to write:
//   node cfb-read.js FILE EXPECTED_CONTENTS CLASS_ID_HEX [NAME=EXPECTED ...]
// each NAME=EXPECTED a further stream and the file of its bytes. Exits non-zero, saying why,
// when the class id, the stream list or the bytes differ.
'use strict';
const fs = require('fs');
const CFB = require('cfb');

const [file, expectedPath, classId, ...otherArgs] = process.argv.slice(2);
const others = otherArgs.map((arg) => arg.split('='));
const fail = (why) => {
    console.error(`cfb: ${file}: ${why}`);
    process.exit(1);
};

let container;
try {
    container = CFB.read(fs.readFileSync(file), { type: 'buffer' });
} catch (error) {
    fail(`refused: ${error.message}`);
}
const root = container.FileIndex[0];
if ((root.clsid || '').toString('hex').toUpperCase() !== classId.toUpperCase()) {
    fail(`class id ${root.clsid && root.clsid.toString('hex')} instead of ${classId}`);
}
const streams = container.FileIndex.filter((entry) => entry.type === 2).map((entry) => entry.name);
const names = ['Contents', ...others.map(([name]) => name)];
if (JSON.stringify(streams.sort()) !== JSON.stringify(names.sort())) {
    fail(`streams ${JSON.stringify(streams)}`);
}
for (const [name, otherPath] of others) {
    const content = Buffer.from(CFB.find(container, name).content || []);
    if (!content.equals(fs.readFileSync(otherPath))) fail(`"${name}" differs`);
}
const entry = CFB.find(container, 'Contents');
const actual = Buffer.from(entry.content || []);
const expected = fs.readFileSync(expectedPath);
if (!actual.equals(expected)) fail(`"Contents" has ${actual.length} bytes that differ from the ${expected.length} expected`);
