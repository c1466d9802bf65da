// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <QObject>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <memory>

#include "edit/SoundCommands.h"
#include "platform/document/DocumentBase.h"
#include "sound/SoundModule.h"

class QAction;
class QWidget;

namespace lutaris {

class CCorvaneDoc;
class CCorvaneView;
class LivePlayer;

// The Play menu and the sound exports of one window: plays the document with the play cursor
// in its view, sounds typed frets, keeps the editor's own playback choices (practice speed,
// soundfont, audio output) and runs Playback Settings. The synthesizer and its soundfont are
// loaded on the first play or sounded note, never before.
class PlaybackController : public QObject, public DocumentObserver {
    Q_OBJECT
public:
    // Runs Playback Settings on the choices; true when they were changed with OK.
    using SettingsEditor = std::function<bool(PlaybackChoices& choices)>;

    PlaybackController(CCorvaneDoc& document, CCorvaneView& view, QWidget* window);
    ~PlaybackController() override;

    // Runs the Play menu's commands and the sound exports; false for any other id.
    bool OnCommand(int commandId);

    bool IsPlaying() const { return playing_; }
    bool Loop() const { return loop_; }
    bool SoundWhileTyping() const { return soundWhileTyping_; }
    const PlaybackChoices& EditorChoices() const { return choices_; }
    // Play's text and the check marks, on a frame's actions.
    void ShowState(QAction* play, QAction* loop, QAction* soundWhileTyping) const;

    void SetSettingsEditor(SettingsEditor editor) { editSettings_ = std::move(editor); }
    // The player, once something has sounded; null before.
    LivePlayer* Player() const { return player_.get(); }

    void OnDocumentUpdated() override;

    // How often the play cursor moves and the queue is topped up while playing.
    static constexpr int kTickMilliseconds = 25;

signals:
    // Playing, the loop or sounding typed notes changed.
    void StateChanged();
    // A line for the status bar.
    void StatusMessage(const QString& text);

private:
    LivePlayer& EnsurePlayer();
    void Play();
    void Stop();
    void Tick();
    void OnCaretKey(int virtualKey);
    void EditSettings();
    // Says once that an opened file's playback settings could not be read.
    void ShowPlaybackNotice();

    CCorvaneDoc& document_;
    CCorvaneView& view_;
    QWidget* window_;
    std::unique_ptr<LivePlayer> player_;
    AudioOutputChoice output_;
    PlaybackChoices choices_;
    SettingsEditor editSettings_;
    QTimer timer_;
    bool playing_ = false;
    bool loop_ = false;
    bool soundWhileTyping_ = true;
    // A typed note that found no audio output said so once; the next Play tries again.
    bool typedNoteFailed_ = false;
    std::uint64_t contents_ = 0;
};

}  // namespace lutaris
