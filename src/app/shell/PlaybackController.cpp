// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "app/shell/PlaybackController.h"

#include <QAction>
#include <QWidget>
#include <utility>

#include "app/shell/MenuTables.h"
#include "app/shell/PlaybackSettingsDlg.h"
#include "document/CCorvaneDoc.h"
#include "edit/qt/CCorvaneView.h"
#include "model/CommandIds.h"
#include "model/TabCursor.h"
#include "platform/keys/VirtualKeyCodes.h"
#include "platform/prompt/Prompter.h"
#include "sound/LivePlayer.h"
#include "sound/PlaySpan.h"

namespace lutaris {

namespace {

// The digits of the top row and of the keypad: the keys that type a fret.
bool TypesFret(int virtualKey) {
    return (virtualKey >= vk::Digit0 && virtualKey <= vk::Digit9) ||
           (virtualKey >= vk::Numpad0 && virtualKey <= vk::Numpad9);
}

}  // namespace

PlaybackController::PlaybackController(CCorvaneDoc& document, CCorvaneView& view, QWidget* window)
    : QObject(window),
      document_(document),
      view_(view),
      window_(window),
      output_(AudioOutputChoice::FromEnvironment()),
      contents_(document.ContentsGeneration()) {
    choices_.audioDriver = output_.driver;
    editSettings_ = [this](PlaybackChoices& choices) {
        return PlaybackSettingsDlg::Edit(choices, window_);
    };
    timer_.setInterval(kTickMilliseconds);
    connect(&timer_, &QTimer::timeout, this, &PlaybackController::Tick);
    connect(&view_, &CCorvaneView::CaretKeyHandled, this, &PlaybackController::OnCaretKey);
    document_.AddView(this);
}

PlaybackController::~PlaybackController() {
    document_.RemoveView(this);
    // The player's thread ends with it, every note stopped.
    player_.reset();
}

LivePlayer& PlaybackController::EnsurePlayer() {
    if (!player_) {
        player_ =
            std::make_unique<LivePlayer>(LivePlayer::FluidSynthOpener(choices_.soundfont, output_));
        player_->SetLoop(document_, loop_);
    }
    return *player_;
}

bool PlaybackController::OnCommand(int commandId) {
    switch (commandId) {
        case ID_PLAY:
            if (playing_)
                Stop();
            else
                Play();
            return true;
        case ID_PLAY_LOOP:
            loop_ = !loop_;
            if (player_) player_->SetLoop(document_, loop_);
            emit StateChanged();
            return true;
        case ID_SOUND_WHILE_TYPING:
            soundWhileTyping_ = !soundWhileTyping_;
            emit StateChanged();
            return true;
        case ID_PLAYBACK_SETTINGS:
            EditSettings();
            return true;
        case ID_EXPORT_MIDI:
            SoundExportCommands(document_).ExportMidi();
            return true;
        case ID_EXPORT_AUDIO:
            SoundExportCommands(document_).ExportAudio(choices_.soundfont);
            return true;
        default:
            return false;
    }
}

void PlaybackController::ShowState(QAction* play, QAction* loop, QAction* soundWhileTyping) const {
    if (play)
        play->setText(QString::fromLatin1(playing_ ? menu_tables::kStopText
                                                   : menu_tables::MenuText(ID_PLAY)));
    if (loop) loop->setChecked(loop_);
    if (soundWhileTyping) soundWhileTyping->setChecked(soundWhileTyping_);
}

void PlaybackController::Play() {
    LivePlayer& player = EnsurePlayer();
    typedNoteFailed_ = false;
    if (!player.Play(document_, PlaySpan::ForDocument(document_), choices_.speedPercent / 100.0)) {
        document_.GetPrompter().ShowMessage(player.Error(), DocumentBase::kCaption,
                                            MessageIcon::Exclamation, MessageButtons::Ok);
        return;
    }
    playing_ = true;
    view_.FollowPlayCursor();
    timer_.start();
    Tick();
    emit StateChanged();
}

void PlaybackController::Stop() {
    timer_.stop();
    if (player_) player_->Stop();
    view_.HidePlayCursor();
    if (!std::exchange(playing_, false)) return;
    emit StateChanged();
}

void PlaybackController::Tick() {
    if (!player_) return;
    player_->Pump(document_);
    if (!player_->IsPlaying()) {
        Stop();
        return;
    }
    const PlayPosition position = player_->Position();
    view_.ShowPlayCursor(position.item, position.itemPosition, position.column);
}

void PlaybackController::OnCaretKey(int virtualKey) {
    if (!soundWhileTyping_ || typedNoteFailed_ || !TypesFret(virtualKey)) return;
    const TabCursor* cursor = document_.cursor.get();
    if (cursor == nullptr || cursor->tabItem == nullptr) return;
    const TabNote& note = cursor->current;
    LivePlayer& player = EnsurePlayer();
    if (player.SoundNote(document_, note.string, note.fret, note.action)) return;
    // A note without a pitch sounds nothing and is no failure.
    const std::string error = player.Error();
    if (error.empty()) return;
    typedNoteFailed_ = true;
    // The first sentence says what failed; the status bar has one line.
    const std::size_t end = error.find(". ");
    emit StatusMessage(
        QString::fromStdString(end == std::string::npos ? error : error.substr(0, end + 1)));
}

void PlaybackController::EditSettings() {
    PlaybackChoices choices = choices_;
    choices.playback = document_.playback;
    choices.numberOfStrings = document_.settings->numberOfStrings;
    if (!editSettings_ || !editSettings_(choices)) return;
    const bool newSynth =
        choices.soundfont != choices_.soundfont || choices.audioDriver != choices_.audioDriver;
    const bool newSpeed = choices.speedPercent != choices_.speedPercent;
    choices_.speedPercent = choices.speedPercent;
    choices_.soundfont = choices.soundfont;
    choices_.audioDriver = choices.audioDriver;
    if (newSynth) {
        // Another soundfont or output: the next sound opens them afresh.
        Stop();
        output_.driver = choices_.audioDriver;
        player_.reset();
        typedNoteFailed_ = false;
    } else if (newSpeed && player_) {
        player_->SetSpeed(choices_.speedPercent / 100.0);
    }
    if (!(choices.playback == document_.playback))
        ReplacePlaybackSettings(document_, choices.playback);
}

void PlaybackController::OnDocumentUpdated() {
    ShowPlaybackNotice();
    const bool otherContents =
        std::exchange(contents_, document_.ContentsGeneration()) != document_.ContentsGeneration();
    if (!playing_ || !player_) return;
    // Another document in the window (new, opened, imported): the old one stops.
    if (otherContents)
        Stop();
    else
        player_->DocumentChanged(document_);  // heard from the next step on
}

void PlaybackController::ShowPlaybackNotice() {
    const std::string notice = document_.TakePlaybackNotice();
    if (!notice.empty()) emit StatusMessage(QString::fromStdString(notice));
}

}  // namespace lutaris
