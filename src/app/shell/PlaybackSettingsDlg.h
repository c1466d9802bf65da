// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <QDialog>
#include <vector>

#include "edit/SoundCommands.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace lutaris {

// "Playback Settings": the tuning of each string (or a preset for the tab's string count), the
// tempo, the practice speed, the instrument, the soundfont and the audio output. OK keeps what
// was chosen in the choices handed in; a pitch that is not one leaves the dialog open.
class PlaybackSettingsDlg : public QDialog {
    Q_OBJECT
public:
    explicit PlaybackSettingsDlg(const PlaybackChoices& choices, QWidget* parent = nullptr);

    // What OK kept, the document's values with their defaults unset.
    const PlaybackChoices& Choices() const { return choices_; }

    // Runs the dialog on `choices`; true (and `choices` changed) when it ended with OK.
    static bool Edit(PlaybackChoices& choices, QWidget* parent);

    QComboBox* PresetBox() const { return preset_; }
    QLineEdit* StringBox(int string) const { return strings_.at(string); }
    int StringBoxes() const { return static_cast<int>(strings_.size()); }
    QSpinBox* TempoBox() const { return tempo_; }
    QSpinBox* SpeedBox() const { return speed_; }
    QComboBox* InstrumentBox() const { return instrument_; }
    QLineEdit* SoundfontBox() const { return soundfont_; }
    QComboBox* OutputBox() const { return output_; }
    QLabel* ProblemLabel() const { return problem_; }

    void accept() override;

private:
    void ApplyPreset(int index);
    void BrowseSoundfont();

    PlaybackChoices choices_;
    QComboBox* preset_;
    std::vector<QLineEdit*> strings_;
    QSpinBox* tempo_;
    QSpinBox* speed_;
    QComboBox* instrument_;
    QLineEdit* soundfont_;
    QComboBox* output_;
    QLabel* problem_;
};

}  // namespace lutaris
