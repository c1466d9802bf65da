#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 The Lutaris authors
# MIDI export read back by an independent reader (Debian's python3-mido): format, tempo,
# program, the wheel's range, one channel per string, the notes and the techniques' events;
# the options; a document's own playback settings; failures that write nothing.
set -euo pipefail
tab="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/lib/sound_tab.py"
source "$(dirname "${BASH_SOURCE[0]}")/lib/cli_test.sh"
python=/usr/bin/python3  # the one Debian's python3-mido is installed for
if ! "$python" -c "import mido" 2>/dev/null; then
    echo "python3-mido is not installed (scripts/setup.sh installs it)"
    exit 77
fi

# Item 0: A4 and the low E as a chord, A4 hammered on to B4 at column 2, a bend on the B string
# at column 1; item 1: a harmonic at the 12th fret on the G string. Actions: 8 bend up,
# 10 hammer-on, 14 harmonic.
"$python" "$tab" song.ltf "5,0,0,10 0,5,0,0 7,1,1,8 7,0,2,0" "12,2,0,14"
"$cli" midi song.ltf song.mid
"$cli" midi song.ltf again.mid
cmp song.mid again.mid  # the bytes depend only on the input

"$python" - song.mid <<'PY'
import sys
import mido

song = mido.MidiFile(sys.argv[1])
assert song.type == 1, song.type
assert song.ticks_per_beat == 480, song.ticks_per_beat
assert len(song.tracks) == 7, len(song.tracks)
tempos = [m.tempo for m in song.tracks[0] if m.type == "set_tempo"]
assert tempos == [500000], tempos  # 240 steps a minute = 120 quarter notes

def absolute(track):
    time = 0
    for message in track:
        time += message.time
        yield time, message

events = [(t, m) for track in song.tracks[1:] for t, m in absolute(track)]
channels = {m.channel for _, m in events if hasattr(m, "channel")}
assert channels == {0, 1, 2, 3, 4, 5}, channels  # one per string, never the drums' 9
for track, channel in zip(song.tracks[1:], range(6)):
    assert all(m.channel == channel for m in track if hasattr(m, "channel")), channel
    controls = [(m.control, m.value) for m in track if m.type == "control_change"]
    # Controllers reset, then RPN 0 (the wheel's range) set to twelve semitones.
    assert controls[:5] == [(121, 0), (101, 0), (100, 0), (6, 12), (38, 0)], controls
    # At the end: all notes off, controllers reset, the wheel centred.
    assert controls[-2:] == [(123, 0), (121, 0)], controls
    last_wheel = [m.pitch for m in track if m.type == "pitchwheel"][-1]
    assert last_wheel == 0, (channel, last_wheel)
    programs = [m.program for m in track if m.type == "program_change"]
    assert programs[0] == 25, programs

ons = sorted((t, m.channel, m.note) for t, m in events if m.type == "note_on" and m.velocity)
# The hammered B4 at tick 480 sounds without a new note: the wheel carries it.
assert ons == [(0, 0, 69), (0, 5, 40), (240, 1, 66), (720, 2, 67)], ons
wheel = [(t, m.channel, m.pitch) for t, m in events if m.type == "pitchwheel" and t > 0]
assert (480, 0, 1365) in wheel, wheel  # a whole step on the ±12 semitone wheel
bend = [p for t, c, p in wheel if c == 1 and 240 < t <= 480]
assert bend == sorted(bend) and bend[-1] == 1365, bend  # the bend rises over its first half
assert all(c in (0, 1) for t, c, p in wheel if t < 720), wheel  # no other string bends
offs = sorted((t, m.channel, m.note) for t, m in events
              if m.type == "note_off" or (m.type == "note_on" and not m.velocity))
# Each rings to the end of its item.
assert offs[:3] == [(720, 0, 69), (720, 1, 66), (720, 5, 40)], offs
# The harmonic: its program, then the instrument again.
g = [(t, m.program) for t, m in absolute(song.tracks[3]) if m.type == "program_change"]
assert g == [(0, 25), (720, 31), (960, 25)], g
PY

# The options: a slower tempo and a drop D tuning (the low string's E2 becomes D2).
"$cli" midi song.ltf slow.mid --tempo 120 --tuning D2,A2,D3,G3,B3,E4
"$python" - slow.mid <<'PY'
import sys
import mido
song = mido.MidiFile(sys.argv[1])
assert [m.tempo for m in song.tracks[0] if m.type == "set_tempo"] == [1000000]
assert [m.note for m in song.tracks[6] if m.type == "note_on" and m.velocity] == [38]
PY

# A document's own playback settings travel in a second stream beside Contents, which readers
# that know only Contents pass over, and export uses them.
cat > set.txt <<'SCRIPT'
open song.ltf
playback 300 24 D2,A2,D3,G3,B3,E4
save tuned.ltf
SCRIPT
"$cli" run set.txt
"$python" - tuned.ltf <<'PY'
import sys
import olefile
ole = olefile.OleFileIO(sys.argv[1])
assert sorted(s[0] for s in ole.listdir()) == ["Contents", "Playback"], ole.listdir()
assert ole.openstream("Contents").read()[:11] == b"Lutaris_0.2"
PY
"$cli" midi tuned.ltf tuned.mid
"$python" - tuned.mid <<'PY'
import sys
import mido
song = mido.MidiFile(sys.argv[1])
assert [m.tempo for m in song.tracks[0] if m.type == "set_tempo"] == [400000]
assert [m.program for m in song.tracks[1] if m.type == "program_change"][0] == 24
assert [m.note for m in song.tracks[6] if m.type == "note_on" and m.velocity] == [38]
PY
# The command line still wins over the document.
"$cli" midi tuned.ltf tempo.mid --tempo 240
"$python" -c "import mido,sys; assert [m.tempo for m in mido.MidiFile('tempo.mid').tracks[0] if m.type == 'set_tempo'] == [500000]"

# Failures say why, exit 1 (2 for wrong usage) and write nothing.
expect_status 1 "$cli" midi song.ltf missing/out.mid
grep -q "^lutaris-cli: missing/out.mid: " err.txt
test ! -e missing
expect_status 1 "$cli" midi song.ltf five.mid --tuning A1,D2,G2,B2,E3
test "$(cat err.txt)" = "lutaris-cli: song.ltf: --tuning names 5 strings, but the document has 6"
test ! -e five.mid
expect_status 2 "$cli" midi song.ltf bad.mid --tuning E2,X2
expect_status 2 "$cli" midi song.ltf bad.mid --tempo 5
expect_status 2 "$cli" midi song.ltf
test ! -e bad.mid
printf 'Lutaris_0.3' > other.ltf
expect_status 1 "$cli" midi other.ltf other.mid
test ! -e other.mid
echo "MIDI export checked"
