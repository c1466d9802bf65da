// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "sound/SoundEvent.h"
#include "sound/SoundSetup.h"

namespace lutaris {

class Tablature;

// A Standard MIDI File of format 1 with 480 ticks to the quarter note: a first track with the
// tempo, then one track per sounding string holding that string's channel. Events go in as
// they come (in time order) and are encoded at once, so the file's bytes are all that is kept.
// The bytes depend only on the events.
class MidiFileBuilder {
public:
    explicit MidiFileBuilder(const SoundSetup& setup);

    void Add(const SoundEvent& event) { Add(event, event.tick); }
    // The event at `tick` instead of its own.
    void Add(const SoundEvent& event, std::int64_t tick);
    // Ends every track at `tick`; nothing may be added after.
    void Finish(std::int64_t tick);

    // The file as consecutive pieces (header and tracks), valid while the builder lives.
    std::vector<std::span<const std::uint8_t>> Pieces() const;
    std::vector<std::uint8_t> Bytes() const;

private:
    struct Track {
        std::vector<std::uint8_t> header;  // "MTrk" and the length, once finished
        std::vector<std::uint8_t> body;
        std::int64_t lastTick = 0;
        std::uint8_t runningStatus = 0;
    };
    void Delta(Track& track, std::int64_t tick);
    void Meta(Track& track, std::int64_t tick, std::uint8_t type,
              std::span<const std::uint8_t> data);

    std::vector<std::uint8_t> header_;
    std::vector<Track> tracks_;
    int trackOfChannel_[16];
};

// The document's event list as a MIDI file's bytes, and written to `path` safely (the old file
// is left as it was on failure; throws FileWriteError).
std::vector<std::uint8_t> MidiFileBytes(std::span<Tablature* const> itemsInReadingOrder,
                                        const SoundSetup& setup);
void WriteMidiFile(const std::string& path, std::span<Tablature* const> itemsInReadingOrder,
                   const SoundSetup& setup);

}  // namespace lutaris
