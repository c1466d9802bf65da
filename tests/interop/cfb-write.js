// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
// Writes a compound file with the npm package "cfb": a root storage with the given class id
// holding a stream "Contents" with the bytes of a given file.
//   node cfb-write.js OUT CONTENTS_FILE CLASS_ID_HEX
'use strict';
const fs = require('fs');
const CFB = require('cfb');

const [out, contentsPath, classId] = process.argv.slice(2);
const container = CFB.utils.cfb_new({ CLSID: classId });
CFB.utils.cfb_add(container, 'Contents', fs.readFileSync(contentsPath));
fs.writeFileSync(out, CFB.write(container, { type: 'buffer' }));
