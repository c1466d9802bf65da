// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "sound/ItemSound.h"

#include <algorithm>
#include <cmath>

#include "model/PlaybackSettings.h"
#include "model/Tablature.h"
#include "sound/Velocity.h"

namespace lutaris {
namespace {

constexpr double kWholeStep = 2.0;
// A vibrato is the modulation wheel at half: General MIDI soundfonts turn it into a wobble of
// the pitch by a quarter tone (25 cents each way) at the instrument's own rate, in every player
// and without a stream of wheel messages.
constexpr int kVibratoModulation = 64;
// A muted note is a dead note a quarter step long; a blank-fret slide glides into its note
// over a quarter step, from a whole step away.
constexpr std::int64_t kMuteTicks = kTicksPerStep / 4;
constexpr std::int64_t kGlideInTicks = kTicksPerStep / 4;
// A slide with no note after it on its string slides off by a whole step.
constexpr double kSlideOff = 2.0;
// Wheel moves are drawn as steps twelve ticks apart (12 ms at the default tempo), 16 at most: a
// whole step then moves in steps of 12 cents or less, which the ear hears as a glide.
constexpr std::int64_t kRampSpacing = 12;
constexpr std::int64_t kMaxRampPoints = 16;

bool IsLegatoSource(std::int32_t action) {
    return action == HammerOn || action == PullOff || action == SlideUp || action == SlideDown;
}

bool IsSlide(std::int32_t action) { return action == SlideUp || action == SlideDown; }

int WheelValue(double semitones) {
    const long value =
        std::lround(midi::kBendCenter + semitones * midi::kBendCenter / kBendRangeSemitones);
    return static_cast<int>(std::clamp(value, 0L, 16383L));
}

// One string's channel as its notes are written: what sounds, the wheel, the program; each
// message is written only where it changes something.
class ChannelWriter {
public:
    ChannelWriter(std::vector<SoundEvent>& out, int channel, int program)
        : out_(out), channel_(channel), baseProgram_(program), program_(program) {}

    bool Sounding() const { return key_ >= 0; }
    int Key() const { return key_; }

    void Wheel(std::int64_t tick, double semitones) {
        const int value = WheelValue(semitones);
        if (value == wheel_) return;
        out_.push_back(PitchBendEvent(tick, channel_, value));
        wheel_ = value;
    }
    // From `from` (the wheel's place at t0) to `to` at t1, in even steps.
    void Ramp(std::int64_t t0, std::int64_t t1, double from, double to) {
        const std::int64_t points =
            std::clamp<std::int64_t>((t1 - t0) / kRampSpacing, 1, kMaxRampPoints);
        for (std::int64_t i = 1; i <= points; ++i) {
            Wheel(t0 + (t1 - t0) * i / points,
                  from + (to - from) * static_cast<double>(i) / static_cast<double>(points));
        }
    }
    void Modulation(std::int64_t tick, int value) {
        if (value == modulation_) return;
        out_.push_back(ControllerEvent(tick, channel_, midi::kModulation, value));
        modulation_ = value;
    }
    void Program(std::int64_t tick, int program) {
        if (program == program_) return;
        out_.push_back(ProgramEvent(tick, channel_, program));
        program_ = program;
    }
    void On(std::int64_t tick, int key, int velocity) {
        out_.push_back(NoteOnEvent(tick, channel_, key, velocity));
        key_ = key;
    }
    void Off(std::int64_t tick) {
        if (!Sounding()) return;
        out_.push_back(NoteOffEvent(tick, channel_, key_));
        key_ = -1;
    }
    // The channel at rest again.
    void Finish(std::int64_t tick) {
        Off(tick);
        Modulation(tick, 0);
        Wheel(tick, 0);
        Program(tick, baseProgram_);
    }

private:
    std::vector<SoundEvent>& out_;
    int channel_;
    int baseProgram_;
    int program_;
    int key_ = -1;
    int wheel_ = midi::kBendCenter;
    int modulation_ = 0;
};

}  // namespace

std::int64_t ItemSteps(const Tablature& item, std::int32_t firstColumn) {
    return std::max<std::int64_t>(1, std::int64_t{item.MaxColumn()} + 1 - firstColumn);
}

ItemSound ItemSoundBuilder::Build(const Tablature& item, std::int32_t firstColumn) {
    ItemSound sound;
    Build(item, firstColumn, sound);
    return sound;
}

void ItemSoundBuilder::Build(const Tablature& item, std::int32_t firstColumn, ItemSound& out) {
    out.steps = ItemSteps(item, firstColumn);
    out.events.clear();
    placed_.clear();
    const std::int32_t strings = setup_.Strings();
    for (std::size_t i = 0; i < item.notes.size(); ++i) {
        const TabNote& note = item.notes[i];
        if (note.string < 0 || note.string >= strings || note.column < firstColumn) continue;
        placed_.push_back({note.string, note.column - firstColumn, i, note.fret, note.action});
    }
    std::sort(placed_.begin(), placed_.end(), [](const Placed& a, const Placed& b) {
        if (a.string != b.string) return a.string < b.string;
        if (a.column != b.column) return a.column < b.column;
        return a.index < b.index;
    });
    const std::int64_t itemEnd = out.steps * kTicksPerStep;
    std::size_t begin = 0;
    while (begin < placed_.size()) {
        std::size_t end = begin;
        while (end < placed_.size() && placed_[end].string == placed_[begin].string) ++end;
        // One string's notes, one per column: of two in a cell the later in the list sounds,
        // as it is the one drawn on top.
        voices_.clear();
        int glideIn = 0;
        const int open = setup_.tuning[static_cast<std::size_t>(placed_[begin].string)];
        for (std::size_t i = begin; i < end; ++i) {
            if (i + 1 < end && placed_[i + 1].column == placed_[i].column) continue;
            const Placed& note = placed_[i];
            const auto key = SoundingKey(open, note.fret, note.action);
            if (!key) {
                // A note without a pitch makes no sound and cuts none; a blank-fret slide
                // glides into the string's next note.
                if (note.fret == BlankFret && IsSlide(note.action)) {
                    glideIn = note.action == SlideUp ? 1 : -1;
                }
                continue;
            }
            const std::int64_t start = std::int64_t{note.column} * kTicksPerStep;
            if (!voices_.empty()) voices_.back().end = start;
            voices_.push_back({start, itemEnd, *key, note.action, glideIn});
            glideIn = 0;
        }
        BuildString(placed_[begin].string, itemEnd, out.events);
        begin = end;
    }
    // Each string's events are in time order; merged, the order within a tick stays.
    std::stable_sort(out.events.begin(), out.events.end(),
                     [](const SoundEvent& a, const SoundEvent& b) { return a.tick < b.tick; });
}

void ItemSoundBuilder::BuildString(int string, std::int64_t itemEnd, std::vector<SoundEvent>& out) {
    ChannelWriter channel(out, SoundSetup::ChannelOf(string), setup_.program);
    for (std::size_t k = 0; k < voices_.size(); ++k) {
        const Voice& voice = voices_[k];
        const std::int32_t action = voice.action;
        const bool bend = action == BendUp || action == BendRelease;
        const double reach = bend ? kWholeStep : 0;
        // After a hammer-on, a pull-off or a slide the string sounds on without a new attack,
        // its pitch carried by the wheel, as far as the wheel reaches.
        const bool legato = k > 0 && channel.Sounding() && IsLegatoSource(voices_[k - 1].action) &&
                            action != Harmonic && action != Mute &&
                            std::abs(voice.key - channel.Key()) + reach <= kBendRangeSemitones;
        double base = 0;
        if (legato) {
            base = voice.key - channel.Key();
        } else {
            channel.Off(voice.start);
            channel.Program(voice.start, action == Harmonic ? PlaybackSettings::kGuitarHarmonics
                                                            : setup_.program);
        }
        const bool glide = !legato && voice.glideIn != 0 && !bend;
        double first = base + (action == BendRelease ? kWholeStep : 0);
        if (glide) first -= voice.glideIn * kWholeStep;
        channel.Wheel(voice.start, first);
        channel.Modulation(voice.start, action == Vibrato ? kVibratoModulation : 0);
        if (!legato) channel.On(voice.start, voice.key, VelocityOf(action));

        const std::int64_t length = voice.end - voice.start;
        if (glide) {
            channel.Ramp(voice.start, voice.start + std::min(kGlideInTicks, length / 2), first,
                         base);
        }
        const std::int64_t half = voice.start + length / 2;
        switch (action) {
            case BendUp:
                channel.Ramp(voice.start, half, base, base + kWholeStep);
                break;
            case BendRelease:
                channel.Ramp(voice.start, half, base + kWholeStep, base);
                break;
            case Mute:
                channel.Off(voice.start + std::min(kMuteTicks, length));
                break;
            case SlideUp:
            case SlideDown: {
                // Into the next note on the string, which starts where this one ends.
                double target = base + (action == SlideUp ? kSlideOff : -kSlideOff);
                if (k + 1 < voices_.size()) {
                    target = std::clamp<double>(voices_[k + 1].key - channel.Key(),
                                                -kBendRangeSemitones, kBendRangeSemitones);
                }
                channel.Ramp(half, voice.end, base, target);
                break;
            }
            default:
                break;
        }
    }
    channel.Finish(itemEnd);
}

std::vector<SoundEvent> StartEvents(const SoundSetup& setup) {
    std::vector<SoundEvent> events;
    for (int string = 0; string < setup.Strings(); ++string) {
        const int channel = SoundSetup::ChannelOf(string);
        events.push_back(ControllerEvent(0, channel, midi::kResetAllControllers, 0));
        events.push_back(PitchBendEvent(0, channel, midi::kBendCenter));
        events.push_back(ControllerEvent(0, channel, midi::kRpnCoarse, 0));
        events.push_back(ControllerEvent(0, channel, midi::kRpnFine, 0));
        events.push_back(ControllerEvent(0, channel, midi::kDataEntry, kBendRangeSemitones));
        events.push_back(ControllerEvent(0, channel, midi::kDataEntryFine, 0));
        // Deselect the parameter, so that a stray data entry changes nothing.
        events.push_back(ControllerEvent(0, channel, midi::kRpnCoarse, 127));
        events.push_back(ControllerEvent(0, channel, midi::kRpnFine, 127));
        events.push_back(ControllerEvent(0, channel, midi::kVolume, 100));
        events.push_back(ProgramEvent(0, channel, setup.program));
    }
    return events;
}

std::vector<SoundEvent> StopEvents(const SoundSetup& setup, std::int64_t tick) {
    std::vector<SoundEvent> events;
    for (int string = 0; string < setup.Strings(); ++string) {
        const int channel = SoundSetup::ChannelOf(string);
        events.push_back(ControllerEvent(tick, channel, midi::kAllNotesOff, 0));
        events.push_back(ControllerEvent(tick, channel, midi::kResetAllControllers, 0));
        events.push_back(PitchBendEvent(tick, channel, midi::kBendCenter));
    }
    return events;
}

}  // namespace lutaris
