// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include "app/frame/CMainFrame.h"
#include "app/frame/FrameActions.h"
#include "app/frame/FrameStatusBar.h"
#include "app/shell/PlaybackController.h"
#include "app/shell/PlaybackSettingsDlg.h"
#include "compound/CompoundFileWriter.h"
#include "edit/qt/CCorvaneView.h"
#include "model/CommandIds.h"
#include "model/ReadingOrder.h"
#include "platform/files/DocumentClassId.h"
#include "sound/LivePlayer.h"
#include "sound/MidiFileWriter.h"
#include "sound/SoundfontLocator.h"
#include "support/ContentsBuilder.h"
#include "support/DocumentFixture.h"

namespace lutaris {
namespace {

std::vector<char> ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Sets an environment variable for the fixture's lifetime (the controller reads the audio
// output's choice when it is made).
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const std::optional<std::string>& value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        if (value)
            setenv(name, value->c_str(), 1);
        else
            unsetenv(name);
    }
    ~ScopedEnvironment() {
        if (old_)
            setenv(name_, old_->c_str(), 1);
        else
            unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

// A window on a two-item tab, its sound going to FluidSynth's file driver: what would sound is
// written to a WAV file in real time, so that nothing here needs a sound card.
class PlaybackTest : public test::DocumentTest {
protected:
    PlaybackTest() {
        for (int column = 0; column < 4; ++column) {
            doc.tabItems[0]->AppendNote(test::Note(column + 1, 0, column));
        }
        Tablature* second = AddItems(1);
        for (int column = 0; column < 4; ++column) second->AppendNote(test::Note(5, 2, column));
        // 50 ms a step: the tab plays in half a second.
        doc.SetPlayback([&] {
            PlaybackSettings values = doc.playback;
            values.tempo = 1200;
            return values;
        }());
        doc.SetModifiedFlag(false);
        frame.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&frame));
        frame.View().setFocus();
        frame.View().OnInitialUpdate();
    }
    QAction* Action(int id) { return frame.Actions().Action(id); }
    PlaybackController& Playback() { return frame.Playback(); }

    ScopedEnvironment driver_{"LUTARIS_AUDIO_DRIVER", "file"};
    ScopedEnvironment file_{"LUTARIS_AUDIO_FILE", (dir / "played.wav").string()};
    CMainFrame frame{doc};
};

TEST_F(PlaybackTest, NothingIsLoadedBeforeTheFirstSound) {
    EXPECT_EQ(Playback().Player(), nullptr);
    EXPECT_FALSE(Playback().IsPlaying());
    EXPECT_EQ(Action(ID_PLAY)->text(), QStringLiteral("&Play\tSpace"));
}

TEST_F(PlaybackTest, PlayMovesTheCursorAcrossTheColumnsAndEndsWithTheTab) {
    if (!FindSoundfont()) GTEST_SKIP() << "no General MIDI soundfont (timgm6mb-soundfont)";
    doc.cursor->tabItem = doc.ItemAtPosition(0);
    doc.cursor->current.column = 0;
    Action(ID_PLAY)->trigger();
    ASSERT_TRUE(Playback().IsPlaying()) << prompter.Messages().size();
    EXPECT_EQ(Action(ID_PLAY)->text(), QStringLiteral("&Stop\tSpace"));
    EXPECT_EQ(Playback().Player()->OutputName(), "file");

    std::set<int> lefts;
    const CCorvaneView& view = frame.View();
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            if (const auto area = view.PlayCursor()) lefts.insert(area->left);
            return !Playback().IsPlaying();
        },
        5000));
    // Eight columns in two items side by side; a tick may miss one, never most.
    EXPECT_GE(lefts.size(), 5u);
    const int second = doc.ItemAtPosition(1)->GetLastOrigin().x;
    EXPECT_LT(*lefts.begin(), second);
    EXPECT_GT(*lefts.rbegin(), second);
    EXPECT_FALSE(view.PlayCursor().has_value());
    EXPECT_EQ(Action(ID_PLAY)->text(), QStringLiteral("&Play\tSpace"));
    EXPECT_TRUE(prompter.Messages().empty());
    // Playing changes nothing in the document.
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(PlaybackTest, SpaceStartsAndStopsAndTheLoopKeepsPlaying) {
    if (!FindSoundfont()) GTEST_SKIP() << "no General MIDI soundfont (timgm6mb-soundfont)";
    Action(ID_PLAY_LOOP)->trigger();
    EXPECT_TRUE(Action(ID_PLAY_LOOP)->isChecked());
    EXPECT_TRUE(Playback().Loop());
    QTest::keyClick(&frame.View(), Qt::Key_Space);
    ASSERT_TRUE(Playback().IsPlaying());
    // Twice the tab's length, and it still plays.
    QTest::qWait(1000);
    EXPECT_TRUE(Playback().IsPlaying());
    EXPECT_TRUE(frame.View().PlayCursor().has_value());
    QTest::keyClick(&frame.View(), Qt::Key_Space);
    EXPECT_FALSE(Playback().IsPlaying());
    EXPECT_FALSE(frame.View().PlayCursor().has_value());
    EXPECT_EQ(doc.tabItems[0]->NoteCount(), 4);  // Space typed nothing
}

TEST_F(PlaybackTest, ATypedFretSoundsAndLoadsTheSynthesizerOnlyThen) {
    if (!FindSoundfont()) GTEST_SKIP() << "no General MIDI soundfont (timgm6mb-soundfont)";
    Action(ID_SOUND_WHILE_TYPING)->trigger();
    EXPECT_FALSE(Action(ID_SOUND_WHILE_TYPING)->isChecked());
    QTest::keyClick(&frame.View(), Qt::Key_3);
    EXPECT_EQ(Playback().Player(), nullptr);
    Action(ID_SOUND_WHILE_TYPING)->trigger();
    QTest::keyClick(&frame.View(), Qt::Key_3);
    ASSERT_NE(Playback().Player(), nullptr);
    EXPECT_EQ(Playback().Player()->OutputName(), "file");
    EXPECT_TRUE(Playback().Player()->Error().empty());
}

TEST_F(PlaybackTest, EditingWhilePlayingKeepsPlaying) {
    if (!FindSoundfont()) GTEST_SKIP() << "no General MIDI soundfont (timgm6mb-soundfont)";
    doc.SetPlayback([&] {
        PlaybackSettings values = doc.playback;
        values.tempo = 240;
        return values;
    }());  // two seconds
    Action(ID_PLAY)->trigger();
    ASSERT_TRUE(Playback().IsPlaying());
    QTest::qWait(100);
    QTest::keyClick(&frame.View(), Qt::Key_9);
    frame.OnCommand(ID_INSERT_TAB_ITEM);
    QTest::qWait(100);
    EXPECT_TRUE(Playback().IsPlaying());
    // A new document stops what was playing.
    doc.SetModifiedFlag(false);
    ASSERT_TRUE(doc.OnNewDocument());
    doc.UpdateAllViews();
    EXPECT_FALSE(Playback().IsPlaying());
}

TEST_F(PlaybackTest, ExportMidiThroughTheMenuWritesThePlayersEvents) {
    const auto path = dir / "menu.mid";
    prompter.QueueFile(path.string());
    Action(ID_EXPORT_MIDI)->trigger();
    const std::vector<std::uint8_t> expected = MidiFileBytes(
        ItemsInReadingOrder(doc.tabItems), SoundSetup::For(*doc.settings, doc.playback));
    const std::vector<char> written = ReadBytes(path);
    EXPECT_EQ(std::vector<std::uint8_t>(written.begin(), written.end()), expected);
    EXPECT_TRUE(prompter.Messages().empty());
    EXPECT_EQ(Playback().Player(), nullptr);  // exporting opens no audio output
}

TEST_F(PlaybackTest, ExportAudioThroughTheMenuByTheExtension) {
    if (!FindSoundfont()) GTEST_SKIP() << "no General MIDI soundfont (timgm6mb-soundfont)";
    prompter.QueueFile((dir / "menu.wav").string());
    Action(ID_EXPORT_AUDIO)->trigger();
    prompter.QueueFile((dir / "menu.flac").string());
    Action(ID_EXPORT_AUDIO)->trigger();
    ASSERT_TRUE(prompter.Messages().empty()) << prompter.Messages()[0].text;
    const std::vector<char> wav = ReadBytes(dir / "menu.wav");
    ASSERT_GT(wav.size(), 44u);
    EXPECT_EQ(std::string(wav.begin(), wav.begin() + 4), "RIFF");
    EXPECT_EQ(std::string(wav.begin() + 8, wav.begin() + 12), "WAVE");
    const std::vector<char> flac = ReadBytes(dir / "menu.flac");
    ASSERT_GT(flac.size(), 4u);
    EXPECT_EQ(std::string(flac.begin(), flac.begin() + 4), "fLaC");

    prompter.QueueFile((dir / "menu.mp3").string());
    Action(ID_EXPORT_AUDIO)->trigger();
    ASSERT_EQ(prompter.Messages().size(), 1u);
    EXPECT_FALSE(std::filesystem::exists(dir / "menu.mp3"));
}

TEST_F(PlaybackTest, SettingsChangeTheDocumentOnlyWhenTheyChange) {
    int shown = 0;
    Playback().SetSettingsEditor([&](PlaybackChoices& choices) {
        ++shown;
        EXPECT_EQ(choices.numberOfStrings, 6);
        EXPECT_EQ(choices.playback.tempo, 1200);
        return true;  // OK without a change
    });
    frame.OnCommand(ID_PLAYBACK_SETTINGS);
    EXPECT_EQ(shown, 1);
    EXPECT_FALSE(doc.IsModified());

    Playback().SetSettingsEditor([](PlaybackChoices& choices) {
        choices.playback.tempo = 300;
        choices.playback.tuning = {64, 59, 55, 50, 45, 38};
        choices.speedPercent = 50;
        return true;
    });
    frame.OnCommand(ID_PLAYBACK_SETTINGS);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.playback.tempo, 300);
    EXPECT_EQ(doc.playback.tuning, (std::vector<std::int32_t>{64, 59, 55, 50, 45, 38}));
    // The practice speed is the editor's, not the document's.
    EXPECT_EQ(Playback().EditorChoices().speedPercent, 50);
    EXPECT_FALSE(doc.PlaybackBytes().empty());

    doc.SetModifiedFlag(false);
    Playback().SetSettingsEditor([](PlaybackChoices& choices) {
        choices.playback.tempo = 100;
        return false;  // Cancel
    });
    frame.OnCommand(ID_PLAYBACK_SETTINGS);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.playback.tempo, 300);
}

TEST_F(PlaybackTest, AnUnreadablePlaybackStreamIsToldOnceInTheStatusBar) {
    const auto contents =
        test::ContentsBuilder().DefaultHeader().Int(1).Item(0, {test::Note(3, 1, 0)}).Bytes();
    const auto damaged = test::ContentsBuilder().Raw("Lutaris_Playback").Ints({1, 240}).Bytes();
    const CompoundStream streams[] = {{"Contents", contents}, {"Playback", damaged}};
    test::WriteFileBytes(dir / "song.ltf", WriteCompoundFile(kDocumentClassId, streams));
    const QSize size = frame.size();
    ASSERT_TRUE(doc.OnOpenDocument((dir / "song.ltf").string()));
    EXPECT_EQ(frame.StatusPanes().MessageText().toStdString(), TabDocument::kPlaybackUnreadable);
    // A message longer than the pane is cut; the window keeps its size.
    QApplication::processEvents();
    EXPECT_EQ(frame.size(), size);
    EXPECT_LE(frame.minimumSizeHint().width(), size.width());
    frame.StatusPanes().ShowIdle();
    doc.UpdateAllViews();
    EXPECT_EQ(frame.StatusPanes().MessageText(), QStringLiteral("Ready"));
    EXPECT_TRUE(prompter.Messages().empty());
}

// A machine without sound (as CI): Play tells once what was tried and nothing hangs.
class NoAudioTest : public test::DocumentTest {
protected:
    ScopedEnvironment driver_{"LUTARIS_AUDIO_DRIVER", std::nullopt};
    ScopedEnvironment pulse_{"PULSE_SERVER", "unix:/nonexistent/pulse"};
    CMainFrame frame{doc};
};

TEST_F(NoAudioTest, PlayShowsOneMessageNamingTheOutputsTried) {
    if (!FindSoundfont()) GTEST_SKIP() << "no General MIDI soundfont (timgm6mb-soundfont)";
    doc.tabItems[0]->AppendNote(test::Note(5, 0, 0));
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    frame.OnCommand(ID_PLAY);
    if (frame.Playback().IsPlaying()) {
        frame.OnCommand(ID_PLAY);
        GTEST_SKIP() << "this machine has an audio output: "
                     << frame.Playback().Player()->OutputName();
    }
    ASSERT_EQ(prompter.Messages().size(), 1u);
    EXPECT_EQ(prompter.Messages()[0].text.rfind(
                  "No audio output could be opened (tried pulseaudio, alsa, jack and sdl2).", 0),
              0u)
        << prompter.Messages()[0].text;
    EXPECT_EQ(frame.Actions().Action(ID_PLAY)->text(), QStringLiteral("&Play\tSpace"));
    EXPECT_FALSE(frame.View().PlayCursor().has_value());

    // A typed note says so in the status bar, once.
    const QString window = QStringLiteral("%1x%2").arg(frame.width()).arg(frame.height());
    QTest::keyClick(&frame.View(), Qt::Key_7);
    EXPECT_EQ(frame.StatusPanes().MessageText(),
              QStringLiteral("No audio output could be opened (tried pulseaudio, alsa, jack and "
                             "sdl2)."));
    // However long the message, the window keeps its size.
    QApplication::processEvents();
    EXPECT_EQ(QStringLiteral("%1x%2").arg(frame.width()).arg(frame.height()), window);
    frame.StatusPanes().ShowIdle();
    QTest::keyClick(&frame.View(), Qt::Key_Right);
    QTest::keyClick(&frame.View(), Qt::Key_8);
    EXPECT_EQ(frame.StatusPanes().MessageText(), QStringLiteral("Ready"));
    EXPECT_EQ(prompter.Messages().size(), 1u);

    // Export needs no audio output.
    prompter.QueueFile((dir / "quiet.wav").string());
    frame.OnCommand(ID_EXPORT_AUDIO);
    EXPECT_EQ(prompter.Messages().size(), 1u) << prompter.Messages().back().text;
    EXPECT_TRUE(std::filesystem::exists(dir / "quiet.wav"));
}

// The dialog itself.
class PlaybackSettingsDlgTest : public ::testing::Test {
protected:
    PlaybackChoices Choices(std::int32_t strings) {
        PlaybackChoices choices;
        choices.numberOfStrings = strings;
        return choices;
    }
};

TEST_F(PlaybackSettingsDlgTest, ShowsTheDefaultsAndKeepsThemUnset) {
    PlaybackSettingsDlg dialog(Choices(6));
    ASSERT_EQ(dialog.StringBoxes(), 6);
    EXPECT_EQ(dialog.StringBox(0)->text(), QStringLiteral("E4"));
    EXPECT_EQ(dialog.StringBox(5)->text(), QStringLiteral("E2"));
    EXPECT_EQ(dialog.TempoBox()->value(), 240);
    EXPECT_EQ(dialog.SpeedBox()->minimum(), 25);
    EXPECT_EQ(dialog.SpeedBox()->maximum(), 200);
    EXPECT_EQ(dialog.InstrumentBox()->currentData().toInt(), PlaybackSettings::kSteelGuitar);
    EXPECT_EQ(dialog.InstrumentBox()->count(), 16);
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(dialog.Choices().playback.IsDefaultFor(6));
    EXPECT_TRUE(dialog.Choices().playback.tuning.empty());
    EXPECT_EQ(dialog.Choices().playback.program, PlaybackSettings::kDefaultProgram);
}

TEST_F(PlaybackSettingsDlgTest, PresetsOfTheTabsStringCountFillTheStrings) {
    PlaybackSettingsDlg guitar(Choices(6));
    QStringList names;
    for (int i = 1; i < guitar.PresetBox()->count(); ++i) names << guitar.PresetBox()->itemText(i);
    EXPECT_EQ(names, (QStringList{"Standard", "Drop D", "DADGAD", "Open G"}));
    emit guitar.PresetBox()->activated(names.indexOf(QStringLiteral("DADGAD")) + 1);
    EXPECT_EQ(guitar.StringBox(0)->text(), QStringLiteral("D4"));
    EXPECT_EQ(guitar.StringBox(1)->text(), QStringLiteral("A3"));
    EXPECT_EQ(guitar.StringBox(5)->text(), QStringLiteral("D2"));
    guitar.TempoBox()->setValue(480);
    guitar.accept();
    EXPECT_EQ(guitar.Choices().playback.tuning,
              (std::vector<std::int32_t>{62, 57, 55, 50, 45, 38}));
    EXPECT_EQ(guitar.Choices().playback.tempo, 480);

    PlaybackSettingsDlg bass(Choices(4));
    ASSERT_EQ(bass.PresetBox()->count(), 2);
    EXPECT_EQ(bass.PresetBox()->itemText(1), QStringLiteral("Bass"));
    EXPECT_EQ(bass.InstrumentBox()->currentData().toInt(), PlaybackSettings::kFingerBass);
    PlaybackSettingsDlg seven(Choices(7));
    EXPECT_EQ(seven.StringBox(6)->text(), QStringLiteral("B1"));
}

TEST_F(PlaybackSettingsDlgTest, ANameThatIsNoPitchKeepsTheDialogOpen) {
    PlaybackChoices choices = Choices(6);
    choices.playback.tempo = 300;
    PlaybackSettingsDlg dialog(choices);
    dialog.StringBox(2)->setText(QStringLiteral("H3"));
    dialog.SpeedBox()->setValue(75);
    dialog.accept();
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.ProblemLabel()->isHidden());
    EXPECT_TRUE(dialog.ProblemLabel()->text().contains(QStringLiteral("String 3")));
    EXPECT_EQ(dialog.Choices().speedPercent, 100);  // nothing kept yet
    dialog.StringBox(2)->setText(QStringLiteral("F#3"));
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Choices().playback.tuning[2], 54);
    EXPECT_EQ(dialog.Choices().playback.tempo, 300);
    EXPECT_EQ(dialog.Choices().speedPercent, 75);
}

TEST_F(PlaybackSettingsDlgTest, TheEditorsChoicesComeBackAsChosen) {
    PlaybackChoices choices = Choices(6);
    choices.audioDriver = "file";  // named outside the dialog
    PlaybackSettingsDlg dialog(choices);
    EXPECT_EQ(dialog.OutputBox()->currentText(), QStringLiteral("file"));
    dialog.SoundfontBox()->setText(QStringLiteral(" /x/font.sf2 "));
    dialog.OutputBox()->setCurrentIndex(dialog.OutputBox()->findText(QStringLiteral("alsa")));
    dialog.accept();
    EXPECT_EQ(dialog.Choices().soundfont, "/x/font.sf2");
    EXPECT_EQ(dialog.Choices().audioDriver, "alsa");
}

}  // namespace
}  // namespace lutaris
