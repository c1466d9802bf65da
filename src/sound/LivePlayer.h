// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "sound/ItemSound.h"
#include "sound/PlaySpan.h"
#include "sound/Sequencer.h"
#include "sound/SoundModule.h"

namespace lutaris {

class TabDocument;
class Tablature;

// Live playback for the editor: plays a document, hears its edits from the next step on, loops,
// and sounds typed notes. The document is only ever read on the caller's thread (the one that
// owns it): while playing, the caller calls Pump now and then (the play cursor's timer does, a
// few times a second is plenty), which queues the items about to sound, about two seconds
// ahead; a thread of the player's own sends the events to the synthesizer as they fall due.
// Should the caller stall for longer, playback waits at the end of what was queued.
class LivePlayer {
public:
    // Opens the synthesizer with its audio output, or says why not.
    using SynthOpener = std::function<std::unique_ptr<LiveSynth>(std::string* error)>;

    // The synthesizer is opened on the first Play or SoundNote, never before.
    explicit LivePlayer(SynthOpener opener);
    ~LivePlayer();
    LivePlayer(const LivePlayer&) = delete;
    LivePlayer& operator=(const LivePlayer&) = delete;

    // FluidSynth's module with `soundfont` (empty: the system's General MIDI soundfont) on the
    // output chosen.
    static SynthOpener FluidSynthOpener(std::string soundfont, AudioOutputChoice output);

    // Plays `span` of the document at `speed` times its tempo (a practice speed). False when
    // the synthesizer or its audio output cannot be opened; Error() then says why.
    bool Play(const TabDocument& document, const PlaySpan& span, double speed = 1.0);
    void Stop();
    // False again once the song has played to its end (without the loop).
    bool IsPlaying() const;
    // The loop goes round the span's loop (PlaySpan) until Stop.
    void SetLoop(const TabDocument& document, bool loop);
    bool Loop() const;
    void SetSpeed(double speed);
    // The item and column that sound now.
    PlayPosition Position() const;

    // Queues what is about to sound; call it while playing.
    void Pump(const TabDocument& document);
    // The notes of `item` changed: heard from the next step on.
    void ItemEdited(const Tablature* item);
    // Anything else changed (items added, removed or moved, the settings, the playback
    // settings): playback goes on from where it is, in the document as it is now.
    void DocumentChanged(const TabDocument& document);

    // Sounds a typed fret for a moment at its string's pitch. False when nothing can sound
    // (see Error()) or the note has no pitch.
    bool SoundNote(const TabDocument& document, std::int32_t string, std::int32_t fret,
                   std::int32_t action);

    // Why the last Play or SoundNote failed.
    std::string Error() const;
    // The audio output in use, and its buffering; empty and 0 before the first sound.
    std::string OutputName() const;
    double BufferMilliseconds() const;
    // From the last Play's call to its first note-on reaching the synthesizer, in microseconds.
    std::optional<std::int64_t> StartLatency() const;

    // How long a typed note sounds, and how far ahead the queue reaches.
    static constexpr std::int64_t kTypedNoteMicroseconds = 350'000;
    static constexpr std::int64_t kQueueAheadMicroseconds = 2'000'000;

private:
    // Forwards to the synthesizer and notes when the first note-on of a play went out.
    class TimingSink : public SoundSink {
    public:
        void Send(const SoundEvent& event) override;
        LiveSynth* synth = nullptr;
        std::atomic<std::int64_t> firstNoteOn{-1};
    };
    struct PendingOff {
        std::int64_t time;
        int channel;
        int key;
        int program;  // to return the channel to, or −1
    };

    static std::int64_t Now();
    bool OpenSynth();
    void Run();
    // Under the lock: queue items up to the queue's reach.
    void Feed(const TabDocument& document, std::int64_t now);
    // Under the lock: forget what is queued after the item playing and queue again.
    void Requeue(const TabDocument& document, std::int64_t now);
    std::int32_t LastPosition(const TabDocument& document) const;

    SynthOpener opener_;
    std::unique_ptr<LiveSynth> synth_;
    TimingSink timing_;

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::thread thread_;
    bool quit_ = false;

    Sequencer sequencer_{timing_};
    SoundSetup setup_;
    ItemSoundBuilder builder_{SoundSetup{}};
    PlaySpan span_;
    bool loop_ = false;
    double speed_ = 1.0;
    std::int32_t nextPosition_ = 0;
    std::int32_t nextFirstColumn_ = 0;
    std::vector<PendingOff> pendingOffs_;
    std::int64_t playCalled_ = 0;
    std::string error_;
};

}  // namespace lutaris
