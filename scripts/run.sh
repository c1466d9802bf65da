#!/usr/bin/env bash
# Sets up, builds and starts the editor. Arguments go to the editor (a document path, say).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh build
exec build/src/lutaris "$@"
