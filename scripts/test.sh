#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 The Lutaris authors
# Sets up, builds and runs the whole test suite: once as built normally, once built with
# AddressSanitizer and UndefinedBehaviorSanitizer, then every fuzz target for
# LUTARIS_FUZZ_SECONDS seconds (60 unless set; 0 skips fuzzing).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh build
ctest --test-dir build --output-on-failure --parallel "$(nproc)" --timeout 600
scripts/test-sanitized.sh
fuzz_seconds=${LUTARIS_FUZZ_SECONDS:-60}
if [ "$fuzz_seconds" -gt 0 ]; then
    fuzz/run "$fuzz_seconds"
fi
