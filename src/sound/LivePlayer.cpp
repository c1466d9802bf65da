// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "sound/LivePlayer.h"

#include <algorithm>

#include "model/PlaybackSettings.h"
#include "model/TabDocument.h"
#include "sound/SoundfontLocator.h"

namespace lutaris {
namespace {

// Enough items queued per Pump even at the highest tempo and speed; the rest come next time.
constexpr int kMaxItemsPerFeed = 256;

}  // namespace

void LivePlayer::TimingSink::Send(const SoundEvent& event) {
    if (synth) synth->Send(event);
    if (event.kind == SoundKind::NoteOn && firstNoteOn.load(std::memory_order_relaxed) < 0) {
        firstNoteOn.store(Now(), std::memory_order_relaxed);
    }
}

LivePlayer::LivePlayer(SynthOpener opener) : opener_(std::move(opener)) {}

LivePlayer::~LivePlayer() {
    {
        std::lock_guard lock(mutex_);
        sequencer_.Stop();
        quit_ = true;
    }
    wake_.notify_all();
    if (thread_.joinable()) thread_.join();
}

LivePlayer::SynthOpener LivePlayer::FluidSynthOpener(std::string soundfont,
                                                     AudioOutputChoice output) {
    return [soundfont = std::move(soundfont),
            output = std::move(output)](std::string* error) -> std::unique_ptr<LiveSynth> {
        const auto path = ResolveSoundfont(soundfont, error);
        if (!path) return nullptr;
        SoundModule* module = LoadSoundModule(error);
        if (!module) return nullptr;
        return module->OpenLiveSynth(*path, output, error);
    };
}

std::int64_t LivePlayer::Now() {
    return std::chrono::duration_cast<std::chrono::microseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

bool LivePlayer::OpenSynth() {
    if (synth_) return true;
    std::string error;
    auto synth = opener_(&error);
    std::lock_guard lock(mutex_);
    if (!synth) {
        error_ = error.empty() ? "The synthesizer could not be started." : error;
        return false;
    }
    synth_ = std::move(synth);
    timing_.synth = synth_.get();
    thread_ = std::thread([this] { Run(); });
    return true;
}

void LivePlayer::Run() {
    std::unique_lock lock(mutex_);
    while (!quit_) {
        const std::int64_t now = Now();
        sequencer_.Advance(now);
        std::optional<std::int64_t> next = sequencer_.NextDue();
        for (auto off = pendingOffs_.begin(); off != pendingOffs_.end();) {
            if (off->time <= now) {
                timing_.Send(NoteOffEvent(0, off->channel, off->key));
                if (off->program >= 0) timing_.Send(ProgramEvent(0, off->channel, off->program));
                off = pendingOffs_.erase(off);
            } else {
                next = std::min(next.value_or(off->time), off->time);
                ++off;
            }
        }
        if (next) {
            wake_.wait_until(
                lock, std::chrono::steady_clock::time_point(std::chrono::microseconds(*next)));
        } else {
            wake_.wait(lock);
        }
    }
}

std::int32_t LivePlayer::LastPosition(const TabDocument& document) const {
    const auto end = static_cast<std::int32_t>(document.tabItems.size()) - 1;
    return span_.toEnd ? end : std::min(span_.last, end);
}

void LivePlayer::Feed(const TabDocument& document, std::int64_t now) {
    for (int fed = 0; fed < kMaxItemsPerFeed && sequencer_.Playing() && !sequencer_.Finished();
         ++fed) {
        // The first item always; the next ones while the queue reaches less than its reach.
        if (fed > 0 && sequencer_.QueuedAhead(now) >= kQueueAheadMicroseconds) break;
        if (nextPosition_ > LastPosition(document)) {
            if (!loop_) {
                sequencer_.Finish();
                break;
            }
            nextPosition_ = std::min(span_.loopFirst, LastPosition(document));
            nextFirstColumn_ = 0;
        }
        const Tablature* item = document.ItemAtPosition(nextPosition_);
        if (!item) {
            sequencer_.Finish();
            break;
        }
        sequencer_.Append(item, nextPosition_, nextFirstColumn_,
                          builder_.Build(*item, nextFirstColumn_));
        ++nextPosition_;
        nextFirstColumn_ = 0;
    }
}

bool LivePlayer::Play(const TabDocument& document, const PlaySpan& span, double speed) {
    const std::int64_t called = Now();
    Stop();
    if (!OpenSynth()) return false;
    {
        std::lock_guard lock(mutex_);
        error_.clear();
        playCalled_ = called;
        timing_.firstNoteOn.store(-1);
        setup_ = SoundSetup::For(*document.settings, document.playback);
        builder_ = ItemSoundBuilder(setup_);
        span_ = span;
        speed_ = speed;
        nextPosition_ = span.first;
        nextFirstColumn_ = span.firstColumn;
        const std::int64_t now = Now();
        sequencer_.Start(now, setup_, speed_);
        Feed(document, now);
        // What sounds at once goes out from here, without waiting for the thread.
        sequencer_.Advance(now);
    }
    wake_.notify_all();
    return true;
}

void LivePlayer::Stop() {
    {
        std::lock_guard lock(mutex_);
        sequencer_.Stop();
    }
    wake_.notify_all();
}

bool LivePlayer::IsPlaying() const {
    std::lock_guard lock(mutex_);
    return sequencer_.Playing();
}

void LivePlayer::Requeue(const TabDocument& document, std::int64_t now) {
    const PlayPosition playing = sequencer_.Position(now);
    if (sequencer_.DropQueued(now)) {
        nextPosition_ = playing.itemPosition + 1;
        nextFirstColumn_ = 0;
    }
    Feed(document, now);
}

void LivePlayer::SetLoop(const TabDocument& document, bool loop) {
    {
        std::lock_guard lock(mutex_);
        if (loop_ == loop) return;
        loop_ = loop;
        if (sequencer_.Playing()) Requeue(document, Now());
    }
    wake_.notify_all();
}

bool LivePlayer::Loop() const {
    std::lock_guard lock(mutex_);
    return loop_;
}

void LivePlayer::SetSpeed(double speed) {
    {
        std::lock_guard lock(mutex_);
        speed_ = speed;
        sequencer_.ChangeSetup(Now(), setup_, speed_);
    }
    wake_.notify_all();
}

PlayPosition LivePlayer::Position() const {
    std::lock_guard lock(mutex_);
    return sequencer_.Position(Now());
}

void LivePlayer::Pump(const TabDocument& document) {
    {
        std::lock_guard lock(mutex_);
        if (!sequencer_.Playing()) return;
        Feed(document, Now());
    }
    wake_.notify_all();
}

void LivePlayer::ItemEdited(const Tablature* item) {
    {
        std::lock_guard lock(mutex_);
        if (!sequencer_.Playing() || !item) return;
        sequencer_.Replace(Now(), item, [&](std::int32_t firstColumn) {
            return builder_.Build(*item, firstColumn);
        });
    }
    wake_.notify_all();
}

void LivePlayer::DocumentChanged(const TabDocument& document) {
    {
        std::lock_guard lock(mutex_);
        if (!sequencer_.Playing()) return;
        const std::int64_t now = Now();
        const SoundSetup setup = SoundSetup::For(*document.settings, document.playback);
        if (!(setup == setup_)) {
            setup_ = setup;
            builder_ = ItemSoundBuilder(setup_);
            sequencer_.ChangeSetup(now, setup_, speed_);
        }
        const PlayPosition playing = sequencer_.Position(now);
        const Tablature* current = sequencer_.DropQueued(now);
        if (current) {
            // Only compared until found among the document's items: it may be gone.
            const auto found =
                std::find_if(document.tabItems.begin(), document.tabItems.end(),
                             [&](const auto& item) { return item.get() == current; });
            if (found != document.tabItems.end()) {
                const Tablature& item = **found;
                sequencer_.Replace(now, current, [&](std::int32_t firstColumn) {
                    return builder_.Build(item, firstColumn);
                });
                sequencer_.Renumber([&](const Tablature*, std::int32_t) { return item.position; });
                nextPosition_ = item.position + 1;
            } else {
                // The playing item was removed: it falls silent at the next step, and the item
                // now in its place follows.
                sequencer_.Replace(now, current, [](std::int32_t) { return ItemSound{0, {}}; });
                nextPosition_ = playing.itemPosition;
            }
            nextFirstColumn_ = 0;
        }
        Feed(document, now);
    }
    wake_.notify_all();
}

bool LivePlayer::SoundNote(const TabDocument& document, std::int32_t string, std::int32_t fret,
                           std::int32_t action) {
    const SoundSetup setup = SoundSetup::For(*document.settings, document.playback);
    const auto note = TypedNoteFor(setup, string, fret, action);
    if (!note) return false;
    if (!OpenSynth()) return false;
    {
        std::lock_guard lock(mutex_);
        timing_.Send(ProgramEvent(0, note->channel, note->program));
        if (!sequencer_.Playing())
            timing_.Send(PitchBendEvent(0, note->channel, midi::kBendCenter));
        timing_.Send(NoteOnEvent(0, note->channel, note->key, note->velocity));
        // A harmonic borrows the channel's program; playback finds its own back after.
        const int restore = note->program != setup.program ? setup.program : -1;
        pendingOffs_.push_back({Now() + kTypedNoteMicroseconds, note->channel, note->key, restore});
    }
    wake_.notify_all();
    return true;
}

std::string LivePlayer::Error() const {
    std::lock_guard lock(mutex_);
    return error_;
}

std::string LivePlayer::OutputName() const {
    std::lock_guard lock(mutex_);
    return synth_ ? synth_->OutputName() : std::string();
}

double LivePlayer::BufferMilliseconds() const {
    std::lock_guard lock(mutex_);
    return synth_ ? synth_->BufferMilliseconds() : 0.0;
}

std::optional<std::int64_t> LivePlayer::StartLatency() const {
    std::lock_guard lock(mutex_);
    const std::int64_t at = timing_.firstNoteOn.load();
    if (at < 0) return std::nullopt;
    return at - playCalled_;
}

}  // namespace lutaris
