#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 The Lutaris authors
# Sets up, builds and starts the editor. Arguments go to the editor (a document path, say).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh build
if [ -x build/src/lutaris ]; then
    exec build/src/lutaris "$@"
fi
# The editor window is still being built; until it lands the command-line tool is what the
# program can show.
echo "run: the editor window is not built in this version yet." >&2
if [ -x build/tools/lutaris-cli ]; then
    exec build/tools/lutaris-cli --help
fi
echo "run: the core library and its tests are built; see README.md." >&2
