#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 The Lutaris authors
# Recovery copies under a real kill, on a virtual X server: frets typed through the window, the
# editor killed with SIGKILL, a second editor that must not take the first one's copy while it
# runs, then a start that offers the copy (beside a damaged one) and recovers it: the notes,
# the original path and the modified flag come back. Set RECOVERY_SCREENSHOT to a PNG path to
# keep a picture of the dialog.
set -euo pipefail
editor="$LUTARIS_BINARY_DIR/src/lutaris"
cli="$LUTARIS_BINARY_DIR/tools/lutaris-cli"
source "$(dirname "${BASH_SOURCE[0]}")/lib/bus_display_test.sh"
require_tools "the kill test" xvfb-run xdotool openbox xwininfo
export XDG_STATE_HOME="$work/state"
# The interval is a setting: one second here instead of thirty.
mkdir -p "$XDG_CONFIG_HOME/Local AppWizard-Generated Applications"
printf '[Settings]\nRecoveryInterval=1\n' \
    > "$XDG_CONFIG_HOME/Local AppWizard-Generated Applications/Lutaris.conf"
"$cli" new song.ltf
cp song.ltf song-as-saved.ltf

cat > inside.sh <<'INSIDE'
set -euo pipefail
editor=$1
folder="$XDG_STATE_HOME/lutaris/recovery"
fail() { echo "$*" >&2; cat editor-*.txt >&2 2> /dev/null || true; exit 1; }
openbox > /dev/null 2>&1 &
sleep 1
start() {  # a name for the log, then the arguments
    local name=$1
    shift
    env -u QT_QPA_PLATFORM "$editor" "$@" > /dev/null 2> "editor-$name.txt" &
    echo $!
}
window() {  # pid, exact title: the window's id once it shows
    for _ in $(seq 150); do
        local id
        id=$(xdotool search --all --onlyvisible --pid "$1" --name "^$2\$" 2> /dev/null | head -1 || true)
        if [ -n "$id" ]; then echo "$id"; return 0; fi
        kill -0 "$1" 2> /dev/null || break
        sleep 0.2
    done
    fail "no window \"$2\" of process $1"
}
copies() { ls "$folder" 2> /dev/null | grep -c "\.$1\$" || true; }

# A types into song.ltf: 12 on the top string, then 7 beside it.
a=$(start a song.ltf)
w=$(window "$a" "song.ltf - Lutaris")
xdotool windowfocus --sync "$w"
xdotool key --delay 80 1 2 Right 7 Right
# Soon after the change, and again after the last one, a copy is written.
for _ in $(seq 50); do [ "$(copies info)" = 1 ] && break; sleep 0.2; done
sleep 2.5
[ "$(copies ltf)" = 1 ] && [ "$(copies info)" = 1 ] || fail "A wrote no recovery copy"
copy=$(ls "$folder" | grep '\.info$')
case "$copy" in "$a"-*) ;; *) fail "the copy $copy is not named after its owner $a" ;; esac

# B starts while A runs: it offers nothing and takes nothing of A's.
b=$(start b)
window "$b" "Untitled - Lutaris" > /dev/null
sleep 1.5
if xdotool search --all --onlyvisible --pid "$b" --name "^Recover Documents\$" > /dev/null 2>&1; then
    fail "B offered the copy of A, which still runs"
fi
kill "$b"; wait "$b" 2> /dev/null || true
[ -e "$folder/$copy" ] || fail "B took the copy of A"

# A is killed: its copy stays, the document on disk is as it was saved.
kill -9 "$a"; wait "$a" 2> /dev/null || true
[ -e "$folder/$copy" ] || fail "the copy went with A"
cmp -s song.ltf song-as-saved.ltf || fail "the killed editor changed song.ltf"

# A damaged copy of another program that ended: a cut document with a sound info.
dead=4194000
while kill -0 "$dead" 2> /dev/null; do dead=$((dead + 1)); done
head -c 700 "$folder/${copy%.info}.ltf" > "$folder/$dead-1-1.ltf"
printf 'Lutaris recovery 1\npid %s\nstart 1\ntime 1765287000\npath %s/cut.ltf\ntitle cut.ltf\n' \
    "$dead" "$PWD" > "$folder/$dead-1-1.info"

# C starts: one dialog lists both, the damaged one as such; Recover takes A's copy.
c=$(start c)
d=$(window "$c" "Recover Documents")
sleep 1
if [ -n "${RECOVERY_SCREENSHOT:-}" ] && command -v import > /dev/null; then
    import -window root "$RECOVERY_SCREENSHOT"
fi
xdotool windowfocus --sync "$d"
xdotool key alt+r
# The recovered work is unsaved: the title marks it.
w=$(window "$c" "\\*song.ltf - Lutaris")
[ -e "$folder/$dead-1-1.ltf" ] || fail "Recover removed the damaged copy"
for _ in $(seq 50); do [ ! -e "$folder/$copy" ] && break; sleep 0.2; done
[ ! -e "$folder/$copy" ] || fail "the recovered copy was left behind"
cmp -s song.ltf song-as-saved.ltf || fail "recovering wrote song.ltf before it was saved"

# The document is modified: closing asks to save, and Yes saves to the original path.
xdotool windowfocus --sync "$w"
xdotool key alt+F4
q=$(window "$c" "Lutaris")
xdotool windowfocus --sync "$q"
xdotool key alt+y
for _ in $(seq 50); do kill -0 "$c" 2> /dev/null || break; sleep 0.2; done
kill -0 "$c" 2> /dev/null && fail "C did not exit after saving"
# A normal exit leaves none of its own copies; the damaged one waits for a choice.
[ "$(ls "$folder")" = "$(printf '%s\n' "$dead-1-1.info" "$dead-1-1.ltf")" ] \
    || fail "the recovery folder holds $(ls "$folder")"

# D: the damaged copy alone is offered; Discard deletes it.
d_pid=$(start d)
d=$(window "$d_pid" "Recover Documents")
xdotool windowfocus --sync "$d"
xdotool key alt+d
for _ in $(seq 50); do [ -z "$(ls "$folder")" ] && break; sleep 0.2; done
[ -z "$(ls "$folder")" ] || fail "Discard left $(ls "$folder")"
kill "$d_pid"
INSIDE

xvfb-run -a -n "$((100 + RANDOM % 800))" -s "-screen 0 1024x768x24" \
    bash inside.sh "$editor"

# What was saved is what was typed before the kill.
"$cli" dump song.ltf > saved.json
/usr/bin/python3 - saved.json <<'PY'
import json, sys
doc = json.load(open(sys.argv[1]))
notes = [note[:3] for item in doc["items"] for note in item["notes"]]
assert notes == [[12, 0, 0], [7, 0, 1]], notes
assert doc["modified"] is False
PY
echo "recovered after a kill: 12 and 7 saved to song.ltf"
