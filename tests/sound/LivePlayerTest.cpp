// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include <chrono>
#include <mutex>
#include <thread>

#include "model/TabCursor.h"
#include "sound/LivePlayer.h"
#include "support/SoundItem.h"
#include "support/TabDocumentFixture.h"

namespace lutaris {
namespace {

using namespace std::chrono_literals;
using test::Note;

// A synthesizer that keeps what it is sent, from any thread.
class RecordingSynth : public LiveSynth {
public:
    struct Log {
        std::mutex mutex;
        std::vector<SoundEvent> events;
    };
    explicit RecordingSynth(std::shared_ptr<Log> log) : log_(std::move(log)) {}
    void Send(const SoundEvent& event) override {
        std::lock_guard lock(log_->mutex);
        log_->events.push_back(event);
    }
    std::string OutputName() const override { return "test"; }
    double BufferMilliseconds() const override { return 0; }

private:
    std::shared_ptr<Log> log_;
};

class LivePlayerTest : public test::TabDocumentTest {
protected:
    LivePlayerTest() {
        // 2000 steps a minute: a step lasts 30 ms.
        PlaybackSettings fast;
        fast.tempo = 2000;
        doc.SetPlayback(fast);
    }

    void SetTempo(std::int32_t tempo) {
        PlaybackSettings values = doc.playback;
        values.tempo = tempo;
        doc.SetPlayback(values);
    }

    std::vector<SoundEvent> Sent(SoundKind kind) {
        std::lock_guard lock(log->mutex);
        return test::OfKind(log->events, kind);
    }
    // Pumps as the editor's timer would until `done` or two seconds have passed.
    bool PumpUntil(const std::function<bool()>& done) {
        const auto end = std::chrono::steady_clock::now() + 2s;
        while (std::chrono::steady_clock::now() < end) {
            player.Pump(doc);
            if (done()) return true;
            std::this_thread::sleep_for(2ms);
        }
        return false;
    }

    std::shared_ptr<RecordingSynth::Log> log = std::make_shared<RecordingSynth::Log>();
    int opened = 0;
    LivePlayer player{[this](std::string*) {
        ++opened;
        return std::make_unique<RecordingSynth>(log);
    }};
};

TEST_F(LivePlayerTest, OpensTheSynthesizerOnlyWhenFirstNeeded) {
    EXPECT_EQ(opened, 0);
    EXPECT_FALSE(player.IsPlaying());
    EXPECT_EQ(player.Position(), PlayPosition{});
    EXPECT_EQ(player.OutputName(), "");
}

TEST_F(LivePlayerTest, TheFirstNoteGoesOutBeforePlayReturns) {
    doc.tabItems[0]->AppendNote(Note(5, 0, 0));
    ASSERT_TRUE(player.Play(doc, PlaySpan::ForDocument(doc)));
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(Sent(SoundKind::NoteOn), std::vector{NoteOnEvent(0, 0, 69, 96)});
    ASSERT_TRUE(player.StartLatency().has_value());
    EXPECT_GE(*player.StartLatency(), 0);
    EXPECT_EQ(player.OutputName(), "test");
}

TEST_F(LivePlayerTest, PlaysFromTheCaretToTheEndAndStopsByItself) {
    doc.tabItems[0]->AppendNote(Note(1, 0, 0));
    doc.tabItems[0]->AppendNote(Note(2, 0, 3));
    AddItems(1);
    doc.tabItems[1]->AppendNote(Note(3, 0, 0));
    doc.cursor->current.column = 2;  // past the first note
    ASSERT_TRUE(player.Play(doc, PlaySpan::ForDocument(doc)));
    ASSERT_TRUE(PumpUntil([&] { return !player.IsPlaying(); }));
    const auto ons = Sent(SoundKind::NoteOn);
    ASSERT_EQ(ons.size(), 2u);
    EXPECT_EQ(ons[0].data1, 66);
    EXPECT_EQ(ons[1].data1, 67);
    // Every note ended.
    EXPECT_EQ(Sent(SoundKind::NoteOff).size(), 2u);
}

TEST_F(LivePlayerTest, LoopsTheSelectionUntilStopped) {
    AddItems(2);
    for (int i = 0; i < 3; ++i) doc.tabItems[i]->AppendNote(Note(i, 1, 0));
    doc.SetSelection({doc.tabItems[1].get(), doc.tabItems[2].get()}, 0);
    player.SetLoop(doc, true);
    ASSERT_TRUE(player.Play(doc, PlaySpan::ForDocument(doc)));
    ASSERT_TRUE(PumpUntil([&] { return Sent(SoundKind::NoteOn).size() >= 5; }));
    EXPECT_TRUE(player.IsPlaying());
    player.Stop();
    EXPECT_FALSE(player.IsPlaying());
    const auto ons = Sent(SoundKind::NoteOn);
    for (std::size_t i = 0; i < 5; ++i) EXPECT_EQ(ons[i].data1, 60 + i % 2) << i;
}

TEST_F(LivePlayerTest, AnEditWhilePlayingIsHeard) {
    SetTempo(240);  // 250 ms a step: time to edit
    doc.tabItems[0]->AppendNote(Note(0, 0, 0));
    doc.tabItems[0]->AppendNote(Note(0, 0, 3));
    ASSERT_TRUE(player.Play(doc, PlaySpan::ForDocument(doc)));
    doc.tabItems[0]->AppendNote(Note(7, 2, 2));
    player.ItemEdited(doc.tabItems[0].get());
    ASSERT_TRUE(PumpUntil([&] { return Sent(SoundKind::NoteOn).size() >= 3; }));
    const auto ons = Sent(SoundKind::NoteOn);
    EXPECT_EQ(ons[1], NoteOnEvent(480, 2, 62, 96));
    player.Stop();
}

TEST_F(LivePlayerTest, RemovingThePlayingItemGoesOnWithTheNext) {
    SetTempo(240);
    doc.tabItems[0]->AppendNote(Note(0, 0, 0));
    doc.tabItems[0]->AppendNote(Note(0, 0, 8));
    AddItems(1);
    doc.tabItems[1]->AppendNote(Note(5, 1, 0));
    ASSERT_TRUE(player.Play(doc, PlaySpan::ForDocument(doc)));
    // The first item is cut out: the second moves to position 0.
    const Tablature* gone = doc.tabItems[0].get();
    doc.cursor->tabItem = doc.tabItems[1].get();
    doc.RemoveTabItems({doc.tabItems[0].get()});
    player.DocumentChanged(doc);
    ASSERT_TRUE(PumpUntil([&] { return Sent(SoundKind::NoteOn).size() >= 2; }));
    EXPECT_EQ(Sent(SoundKind::NoteOn)[1].data1, 64);
    EXPECT_EQ(Sent(SoundKind::NoteOff)[0].data1, 64);  // the removed note ended first
    EXPECT_NE(player.Position().item, gone);
    player.Stop();
}

TEST_F(LivePlayerTest, ATypedNoteSoundsBrieflyAtItsStringsPitch) {
    ASSERT_TRUE(player.SoundNote(doc, 1, 3, Harmonic));
    EXPECT_FALSE(player.SoundNote(doc, 9, 3, Normal));  // no such string
    EXPECT_FALSE(player.SoundNote(doc, 0, BlankFret, SlideUp));
    const auto ons = Sent(SoundKind::NoteOn);
    ASSERT_EQ(ons.size(), 1u);
    EXPECT_EQ(ons[0].channel, 1);
    EXPECT_EQ(ons[0].data1, 59 + 31);
    EXPECT_EQ(Sent(SoundKind::Program).front(), ProgramEvent(0, 1, 31));
    const auto end = std::chrono::steady_clock::now() + 2s;
    while (Sent(SoundKind::NoteOff).empty() && std::chrono::steady_clock::now() < end) {
        std::this_thread::sleep_for(5ms);
    }
    EXPECT_EQ(Sent(SoundKind::NoteOff), std::vector{NoteOffEvent(0, 1, 90)});
    // The channel's own instrument comes back after the harmonic.
    EXPECT_EQ(Sent(SoundKind::Program).back(), ProgramEvent(0, 1, 25));
}

TEST(LivePlayer, SaysWhyWhenNothingCanSound) {
    ScriptedSettingsPrompter prompter;
    TabDocument document(prompter);
    document.OnNewDocument();
    document.tabItems[0]->AppendNote(test::Note(5, 0, 0));
    int tries = 0;
    LivePlayer player([&](std::string* error) -> std::unique_ptr<LiveSynth> {
        ++tries;
        *error = "No audio output could be opened (tried nothing).";
        return nullptr;
    });
    EXPECT_FALSE(player.Play(document, PlaySpan::ForDocument(document)));
    EXPECT_EQ(player.Error(), "No audio output could be opened (tried nothing).");
    EXPECT_FALSE(player.IsPlaying());
    EXPECT_FALSE(player.SoundNote(document, 0, 5, Normal));
    EXPECT_EQ(tries, 2);  // each attempt tries again: a sound server may have come up since
}

}  // namespace
}  // namespace lutaris
