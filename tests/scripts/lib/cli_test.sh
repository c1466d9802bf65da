# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 The Lutaris authors
# Sourced by the lutaris-cli script tests: the tool, a scratch folder to work in (removed on
# exit), and a check of a command's exit status that keeps its output for the next checks.
cli="$LUTARIS_BINARY_DIR/tools/lutaris-cli"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

expect_status() {  # expected status, then the command; output in out.txt and err.txt
    local expected=$1
    shift
    local status=0
    "$@" > out.txt 2> err.txt || status=$?
    if [ "$status" -ne "$expected" ]; then
        echo "expected status $expected, got $status: $*" >&2
        cat err.txt >&2
        exit 1
    fi
}
