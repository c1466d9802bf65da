#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 The Lutaris authors
# Live play from the command line: on a machine without sound (as CI) it fails at once with one
# message naming every audio output tried, and hangs nowhere; FluidSynth's file driver plays the
# song in real time into a file instead.
set -euo pipefail
tab="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/lib/sound_tab.py"
source "$(dirname "${BASH_SOURCE[0]}")/lib/cli_test.sh"
python=/usr/bin/python3
if [ ! -r /usr/share/sounds/sf2/TimGM6mb.sf2 ] && [ ! -r /usr/share/sounds/sf2/default-GM.sf2 ] &&
    [ ! -r /usr/share/sounds/sf3/default-GM.sf3 ]; then
    echo "no General MIDI soundfont (timgm6mb-soundfont; scripts/setup.sh installs it)"
    exit 77
fi
"$python" "$tab" song.ltf "5,0,0,0 7,0,1,8 0,5,1,0" "3,1,0,0"

# No sound card, no sound server: the outputs are tried in order and the failure says so.
status=0
start=$(date +%s)
env -u LUTARIS_AUDIO_DRIVER timeout 60 "$cli" play song.ltf > out.txt 2> err.txt || status=$?
if [ "$status" -eq 0 ]; then
    echo "this machine has an audio output ($(cat err.txt)); the failure is not checked"
else
    test "$status" -eq 1 || { echo "play ended with $status" >&2; cat err.txt >&2; exit 1; }
    grep -q "^lutaris-cli: song.ltf: No audio output could be opened (tried pulseaudio, alsa, jack and sdl2)." err.txt ||
        { cat err.txt >&2; exit 1; }
    test $(($(date +%s) - start)) -lt 30
    # One message, no library chatter around it.
    test "$(wc -l < err.txt)" -eq 1 || { cat err.txt >&2; exit 1; }
fi

# The file driver: three steps at 240 a minute, in real time, into a WAV file.
start=$(date +%s%N)
LUTARIS_AUDIO_DRIVER=file LUTARIS_AUDIO_FILE=played.wav timeout 60 "$cli" play song.ltf
elapsed_ms=$((($(date +%s%N) - start) / 1000000))
test "$elapsed_ms" -ge 700 || { echo "played in $elapsed_ms ms: not in real time" >&2; exit 1; }
"$python" - played.wav <<'PY'
import struct
import sys
import wave
with wave.open(sys.argv[1]) as w:
    assert w.getframerate() == 44100, w.getframerate()
    frames = w.readframes(w.getnframes())
samples = struct.unpack(f"<{len(frames) // 2}h", frames)
assert len(samples) > 44100, len(samples)
assert max(abs(s) for s in samples) > 1000
PY
LUTARIS_AUDIO_DRIVER=file expect_status 1 "$cli" play song.ltf
grep -q "LUTARIS_AUDIO_FILE" err.txt
expect_status 2 "$cli" play
echo "play checked"
