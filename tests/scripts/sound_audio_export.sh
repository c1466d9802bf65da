#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 The Lutaris authors
# Audio export heard through numpy: fret 5 on the top string sounds A4 at 440 Hz, a bend rises
# a whole step, every file type is written, and a failure writes nothing and keeps the old file.
set -euo pipefail
tab="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/lib/sound_tab.py"
source "$(dirname "${BASH_SOURCE[0]}")/lib/cli_test.sh"
python=/usr/bin/python3
if ! "$python" -c "import numpy" 2>/dev/null; then
    echo "python3-numpy is not installed (scripts/setup.sh installs it)"
    exit 77
fi
soundfont=""
for candidate in /usr/share/sounds/sf3/default-GM.sf3 /usr/share/sounds/sf2/default-GM.sf2 \
    /usr/share/sounds/sf2/TimGM6mb.sf2; do
    if [ -r "$candidate" ]; then soundfont=$candidate; break; fi
done
if [ -z "$soundfont" ]; then
    echo "no General MIDI soundfont (timgm6mb-soundfont; scripts/setup.sh installs it)"
    exit 77
fi

# A4: fret 5 on the top string, for two seconds (30 steps a minute); and a bent A4.
"$python" "$tab" a4.ltf "5,0,0,0"
"$python" "$tab" bend.ltf "5,0,0,8 5,0,3,0"
"$cli" audio a4.ltf a4.wav --tempo 30
"$cli" audio bend.ltf bend.wav --tempo 30 --soundfont "$soundfont"

"$python" - a4.wav bend.wav <<'PY'
import sys
import wave
import numpy as np

def samples(path):
    with wave.open(path) as w:
        assert w.getframerate() == 44100 and w.getnchannels() == 2 and w.getsampwidth() == 2
        data = np.frombuffer(w.readframes(w.getnframes()), dtype="<i2").astype(float)
    return data.reshape(-1, 2).mean(axis=1) / 32768

def strongest(x, rate=44100):
    x = x * np.hanning(len(x))
    size = 1 << (len(x) * 8 - 1).bit_length()  # zero-padded for a fine grid
    spectrum = np.abs(np.fft.rfft(x, size))
    k = int(np.argmax(spectrum[1:])) + 1
    a, b, c = np.log(spectrum[k - 1:k + 2])
    shift = 0.5 * (a - c) / (a - 2 * b + c)  # the peak between the bins
    return (k + shift) * rate / size

def cents(f, reference):
    return 1200 * np.log2(f / reference)

a4 = samples(sys.argv[1])
assert len(a4) >= 44100 * 4 - 64, len(a4)  # two seconds of note, two to die away
assert np.max(np.abs(a4)) > 0.05
f = strongest(a4[2000:2000 + 44100])
print(f"A4: strongest frequency {f:.2f} Hz, {cents(f, 440):+.2f} cents")
assert abs(cents(f, 440)) < 5, f

# The bend: A4 for a moment, B4 (493.88 Hz) once it has risen over the note's first half.
bend = samples(sys.argv[2])
early = strongest(bend[500:500 + 4096])
late = strongest(bend[int(44100 * 3.2):int(44100 * 3.2) + 16384])
print(f"bend: {early:.1f} Hz at its start, {late:.1f} Hz after rising")
assert abs(cents(early, 440)) < 40, early
assert abs(cents(late, 493.88)) < 10, late
PY

# FLAC and Ogg Vorbis, by the extension in any case.
"$cli" audio a4.ltf a4.flac
"$cli" audio a4.ltf a4.OGG
test "$(head -c 4 a4.flac)" = "fLaC"
test "$(head -c 4 a4.OGG)" = "OggS"

# Never a silent file: failures exit 1 (2 for wrong usage), say why and leave the target as
# it was.
printf 'old' > keep.wav
expect_status 1 "$cli" audio a4.ltf keep.wav --soundfont missing.sf2
grep -q 'missing.sf2' err.txt
test "$(cat keep.wav)" = "old"
printf 'not a soundfont' > bad.sf2
expect_status 1 "$cli" audio a4.ltf keep.wav --soundfont bad.sf2
grep -q 'could not be loaded' err.txt
test "$(cat keep.wav)" = "old"
"$python" "$tab" empty.ltf ""
expect_status 1 "$cli" audio empty.ltf empty.wav
grep -q 'no note to sound' err.txt
test ! -e empty.wav
expect_status 2 "$cli" audio a4.ltf a4.mp3
test ! -e a4.mp3
expect_status 1 "$cli" audio a4.ltf missing/a4.wav
test ! -e missing
ls -a | grep -q lutaris-save && { echo "a temporary file was left behind" >&2; exit 1; }
echo "audio export checked"
