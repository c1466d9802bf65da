// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "sound/Sequencer.h"

#include <algorithm>
#include <cmath>

namespace lutaris {

void Sequencer::ChannelState::Apply(const SoundEvent& event) {
    switch (event.kind) {
        case SoundKind::NoteOn:
            keys.set(event.data1 & 0x7F, event.data2 != 0);
            break;
        case SoundKind::NoteOff:
            keys.reset(event.data1 & 0x7F);
            break;
        case SoundKind::PitchBend:
            wheel = event.BendValue();
            break;
        case SoundKind::Program:
            program = event.data1;
            break;
        case SoundKind::Controller:
            if (event.data1 == midi::kAllNotesOff) keys.reset();
            if (event.data1 == midi::kModulation) modulation = event.data2;
            if (event.data1 == midi::kResetAllControllers) {
                wheel = midi::kBendCenter;
                modulation = 0;
            }
            break;
    }
}

// A tick rarely lasts a whole number of microseconds (1041.67 at the default tempo): the
// conversions allow for the rounding, so that a tick is due exactly when TimeOf says.
constexpr double kTickSlack = 1e-6;

std::int64_t Sequencer::TickAt(std::int64_t now) const {
    return static_cast<std::int64_t>(
        std::floor((static_cast<double>(now) - origin_) / microsecondsPerTick_ + kTickSlack));
}

std::int64_t Sequencer::TimeOf(std::int64_t tick) const {
    return static_cast<std::int64_t>(
        std::ceil(origin_ + (static_cast<double>(tick) - kTickSlack) * microsecondsPerTick_));
}

void Sequencer::Send(const SoundEvent& event) {
    ChannelState& channel = channels_[event.channel & 0x0F];
    // An edit can end a note that never started (it came too late for its step).
    if (event.kind == SoundKind::NoteOff && !channel.keys.test(event.data1 & 0x7F)) return;
    channel.Apply(event);
    sink_.Send(event);
}

void Sequencer::Start(std::int64_t now, const SoundSetup& setup, double speed) {
    setup_ = setup;
    microsecondsPerTick_ = setup.MicrosecondsPerTick(speed);
    origin_ = static_cast<double>(now);
    playing_ = true;
    finished_ = false;
    entries_.clear();
    nextEvent_ = 0;
    endTick_ = 0;
    for (const SoundEvent& event : StartEvents(setup_)) Send(event);
}

void Sequencer::Append(const Tablature* item, std::int32_t position, std::int32_t firstColumn,
                       ItemSound sound) {
    Entry entry;
    entry.item = item;
    entry.position = position;
    entry.firstColumn = firstColumn;
    entry.sound = std::move(sound);
    entry.startTick = endTick_;
    endTick_ = entry.EndTick();
    entries_.push_back(std::move(entry));
}

void Sequencer::Finish() { finished_ = true; }

void Sequencer::Advance(std::int64_t now) {
    if (!playing_) return;
    std::int64_t tick = TickAt(now);
    if (!finished_ && tick > endTick_) {
        // Waiting for the next item: the clock holds where the queue ends.
        origin_ = static_cast<double>(now) - static_cast<double>(endTick_) * microsecondsPerTick_;
        tick = endTick_;
    }
    while (!entries_.empty()) {
        const Entry& entry = entries_.front();
        const auto& events = entry.sound.events;
        while (nextEvent_ < events.size() && entry.startTick + events[nextEvent_].tick <= tick) {
            SoundEvent event = events[nextEvent_++];
            event.tick += entry.startTick;
            Send(event);
        }
        if (nextEvent_ < events.size() || tick < entry.EndTick()) break;
        // The last item stays while the next is awaited, so that the position stays on it.
        if (entries_.size() == 1 && !finished_) break;
        entries_.pop_front();
        nextEvent_ = 0;
    }
    if (finished_ && entries_.empty()) Stop();
}

std::optional<std::int64_t> Sequencer::NextDue() const {
    if (!playing_) return std::nullopt;
    if (entries_.empty()) {
        if (finished_) return TimeOf(endTick_);
        return std::nullopt;
    }
    const Entry& entry = entries_.front();
    if (nextEvent_ < entry.sound.events.size()) {
        return TimeOf(entry.startTick + entry.sound.events[nextEvent_].tick);
    }
    if (entries_.size() == 1 && !finished_) return std::nullopt;
    return TimeOf(entry.EndTick());
}

void Sequencer::Stop() {
    if (!playing_) return;
    for (int channel = 0; channel < 16; ++channel) {
        for (int key = 0; key < 128; ++key) {
            if (channels_[channel].keys.test(static_cast<std::size_t>(key))) {
                Send(NoteOffEvent(0, channel, key));
            }
        }
    }
    for (const SoundEvent& event : StopEvents(setup_, 0)) Send(event);
    playing_ = false;
    entries_.clear();
    nextEvent_ = 0;
}

std::int64_t Sequencer::QueuedAhead(std::int64_t now) const {
    if (!playing_) return 0;
    return std::max<std::int64_t>(0, TimeOf(endTick_) - now);
}

PlayPosition Sequencer::Position(std::int64_t now) const {
    if (!playing_ || entries_.empty()) return {};
    // While the clock waits at the queue's end, the last column queued is the one that sounds.
    const std::int64_t tick = std::clamp<std::int64_t>(TickAt(now), entries_.front().startTick,
                                                       std::max<std::int64_t>(0, endTick_ - 1));
    for (const Entry& entry : entries_) {
        if (tick < entry.EndTick()) {
            const std::int64_t column =
                entry.firstColumn + (tick - entry.startTick) / kTicksPerStep;
            return {entry.item, entry.position, static_cast<std::int32_t>(column)};
        }
    }
    const Entry& last = entries_.back();
    return {last.item, last.position,
            static_cast<std::int32_t>(last.firstColumn + last.sound.steps - 1)};
}

void Sequencer::Shift(std::size_t after, std::int64_t ticks) {
    for (std::size_t i = after + 1; i < entries_.size(); ++i) entries_[i].startTick += ticks;
    endTick_ += ticks;
}

void Sequencer::Replace(std::int64_t now, const Tablature* item,
                        const std::function<ItemSound(std::int32_t firstColumn)>& build) {
    if (!playing_) return;
    const std::int64_t tick = std::min(TickAt(now), endTick_);
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        Entry& entry = entries_[i];
        if (entry.item != item) continue;
        const std::int64_t oldEnd = entry.EndTick();
        if (i == 0 && entry.startTick <= tick) {
            ReplacePlaying(entry, tick, build(entry.firstColumn));
        } else {
            entry.sound = build(entry.firstColumn);
        }
        Shift(i, entry.EndTick() - oldEnd);
    }
}

void Sequencer::ReplacePlaying(Entry& entry, std::int64_t tick, ItemSound sound) {
    // What was to sound before the next step stays; from there the new sound takes over, and
    // the channels are brought to where the new sound has them at that step: a note the edit
    // removed ends, a note it keeps rings on, the wheel and the program follow.
    const std::int64_t boundary = ((tick - entry.startTick) / kTicksPerStep + 1) * kTicksPerStep;
    auto& old = entry.sound.events;
    const auto keep = static_cast<std::size_t>(
        std::lower_bound(old.begin(), old.end(), boundary,
                         [](const SoundEvent& e, std::int64_t t) { return e.tick < t; }) -
        old.begin());
    ChannelState was[16];
    ChannelState will[16];
    for (int c = 0; c < 16; ++c) was[c].program = will[c].program = setup_.program;
    for (std::size_t i = 0; i < keep; ++i) was[old[i].channel & 0x0F].Apply(old[i]);
    std::size_t from = 0;
    while (from < sound.events.size() && sound.events[from].tick < boundary) {
        will[sound.events[from].channel & 0x0F].Apply(sound.events[from]);
        ++from;
    }
    old.resize(keep);
    for (int c = 0; c < 16; ++c) {
        for (int key = 0; key < 128; ++key) {
            const auto k = static_cast<std::size_t>(key);
            if (was[c].keys.test(k) && !will[c].keys.test(k)) {
                old.push_back(NoteOffEvent(boundary, c, key));
            }
        }
        if (was[c].wheel != will[c].wheel) {
            old.push_back(PitchBendEvent(boundary, c, will[c].wheel));
        }
        if (was[c].modulation != will[c].modulation) {
            old.push_back(ControllerEvent(boundary, c, midi::kModulation, will[c].modulation));
        }
        if (was[c].program != will[c].program) {
            old.push_back(ProgramEvent(boundary, c, will[c].program));
        }
    }
    old.insert(old.end(), sound.events.begin() + static_cast<std::ptrdiff_t>(from),
               sound.events.end());
    entry.sound.steps = std::max(sound.steps, boundary / kTicksPerStep);
}

const Tablature* Sequencer::DropQueued(std::int64_t now) {
    finished_ = false;
    if (entries_.empty()) return nullptr;
    const bool begun = entries_.front().startTick <= TickAt(now);
    const std::size_t keep = begun ? 1 : 0;
    if (!begun) endTick_ = entries_.front().startTick;
    entries_.resize(keep);
    if (begun) endTick_ = entries_.front().EndTick();
    if (!begun) nextEvent_ = 0;
    return begun ? entries_.front().item : nullptr;
}

void Sequencer::Renumber(
    const std::function<std::int32_t(const Tablature*, std::int32_t old)>& position) {
    for (Entry& entry : entries_) entry.position = position(entry.item, entry.position);
}

void Sequencer::ChangeSetup(std::int64_t now, const SoundSetup& setup, double speed) {
    const double tick = (static_cast<double>(now) - origin_) / microsecondsPerTick_;
    const bool sameSound = setup.tuning == setup_.tuning && setup.program == setup_.program;
    setup_ = setup;
    microsecondsPerTick_ = setup.MicrosecondsPerTick(speed);
    origin_ = static_cast<double>(now) - tick * microsecondsPerTick_;
    if (!playing_ || sameSound) return;
    for (const SoundEvent& event : StartEvents(setup_)) Send(event);
}

}  // namespace lutaris
