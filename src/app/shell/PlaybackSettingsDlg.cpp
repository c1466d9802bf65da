// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "app/shell/PlaybackSettingsDlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QVBoxLayout>
#include <optional>

#include "sound/SoundModule.h"
#include "sound/SoundfontLocator.h"
#include "sound/Tunings.h"

namespace lutaris {

namespace {

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

PlaybackSettingsDlg::PlaybackSettingsDlg(const PlaybackChoices& choices, QWidget* parent)
    : QDialog(parent), choices_(choices) {
    setWindowTitle(QStringLiteral("Playback Settings"));
    // Wide enough for a soundfont's path under the system's sounds folder.
    setMinimumWidth(460);
    const std::int32_t strings = choices_.numberOfStrings;
    auto* layout = new QVBoxLayout(this);

    // The tuning: a preset of the tab's string count, then each string top first, as the tab
    // shows them.
    auto* tuningForm = new QFormLayout;
    preset_ = new QComboBox(this);
    preset_->addItem(QStringLiteral("(as below)"));
    for (const TuningPreset& preset : TuningPresets()) {
        if (preset.lowToHigh.size() == static_cast<std::size_t>(std::max(0, strings)))
            preset_->addItem(Text(preset.name), Text(preset.name));
    }
    tuningForm->addRow(QStringLiteral("&Tuning:"), preset_);
    const std::vector<std::int32_t> tuning = choices_.playback.TuningFor(strings);
    // A tuning is kept for as many strings as an instrument can have.
    const bool storable =
        strings > 0 && static_cast<std::size_t>(strings) <= PlaybackSettings::kMaxTuningStrings;
    for (std::size_t string = 0; string < tuning.size(); ++string) {
        auto* box = new QLineEdit(QString::fromStdString(PitchName(tuning[string])), this);
        box->setEnabled(storable);
        box->setMaxLength(4);
        strings_.push_back(box);
        tuningForm->addRow(QStringLiteral("String %1:").arg(string + 1), box);
        connect(box, &QLineEdit::textEdited, this, [this] { preset_->setCurrentIndex(0); });
    }
    preset_->setEnabled(storable && preset_->count() > 1);
    auto* tuningPane = new QWidget;
    tuningPane->setLayout(tuningForm);
    auto* scroll = new QScrollArea(this);
    scroll->setWidget(tuningPane);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    layout->addWidget(scroll);
    connect(preset_, &QComboBox::activated, this, &PlaybackSettingsDlg::ApplyPreset);

    auto* form = new QFormLayout;
    tempo_ = new QSpinBox(this);
    tempo_->setRange(PlaybackSettings::kMinTempo, PlaybackSettings::kMaxTempo);
    tempo_->setValue(choices_.playback.tempo);
    tempo_->setSuffix(QStringLiteral(" steps a minute"));
    form->addRow(QStringLiteral("T&empo:"), tempo_);
    speed_ = new QSpinBox(this);
    speed_->setRange(PlaybackChoices::kMinSpeedPercent, PlaybackChoices::kMaxSpeedPercent);
    speed_->setSingleStep(5);
    speed_->setSuffix(QStringLiteral(" %"));
    speed_->setValue(choices_.speedPercent);
    form->addRow(QStringLiteral("&Practice speed:"), speed_);
    instrument_ = new QComboBox(this);
    for (std::int32_t program = PlaybackSettings::kFirstFrettedProgram;
         program <= PlaybackSettings::kLastFrettedProgram; ++program) {
        instrument_->addItem(Text(FrettedProgramName(program)), program);
    }
    instrument_->setCurrentIndex(instrument_->findData(choices_.playback.ProgramFor(strings)));
    form->addRow(QStringLiteral("&Instrument:"), instrument_);

    soundfont_ = new QLineEdit(QString::fromStdString(choices_.soundfont), this);
    const std::optional<std::string> system = FindSoundfont();
    soundfont_->setPlaceholderText(system ? QString::fromStdString(*system)
                                          : QStringLiteral("(no General MIDI soundfont found)"));
    auto* browse = new QPushButton(QStringLiteral("&Browse..."), this);
    connect(browse, &QPushButton::clicked, this, &PlaybackSettingsDlg::BrowseSoundfont);
    auto* soundfontRow = new QHBoxLayout;
    soundfontRow->addWidget(soundfont_, 1);
    soundfontRow->addWidget(browse);
    auto* soundfontLabel = new QLabel(QStringLiteral("&Soundfont:"), this);
    soundfontLabel->setBuddy(soundfont_);
    form->addRow(soundfontLabel, soundfontRow);

    output_ = new QComboBox(this);
    output_->addItem(QStringLiteral("The first that opens"), QString());
    for (const std::string& driver : DefaultAudioDrivers())
        output_->addItem(QString::fromStdString(driver), QString::fromStdString(driver));
    const int chosen = output_->findData(QString::fromStdString(choices_.audioDriver));
    if (chosen < 0) {  // a driver named outside the dialog (the environment) stays chosen
        output_->addItem(QString::fromStdString(choices_.audioDriver),
                         QString::fromStdString(choices_.audioDriver));
        output_->setCurrentIndex(output_->count() - 1);
    } else {
        output_->setCurrentIndex(chosen);
    }
    form->addRow(QStringLiteral("Audio &output:"), output_);
    layout->addLayout(form);

    problem_ = new QLabel(this);
    problem_->setStyleSheet(QStringLiteral("color: #b00000"));
    problem_->hide();
    layout->addWidget(problem_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void PlaybackSettingsDlg::ApplyPreset(int index) {
    if (index <= 0) return;
    const QString name = preset_->itemData(index).toString();
    for (const TuningPreset& preset : TuningPresets()) {
        if (Text(preset.name) != name) continue;
        const std::vector<std::int32_t> topFirst = preset.TopFirst();
        for (std::size_t string = 0; string < strings_.size() && string < topFirst.size(); ++string)
            strings_[string]->setText(QString::fromStdString(PitchName(topFirst[string])));
    }
}

void PlaybackSettingsDlg::BrowseSoundfont() {
    const QString path = QFileDialog::getOpenFileName(
        this, QStringLiteral("Soundfont"), QString::fromStdString(std::string(kSystemSoundsFolder)),
        QStringLiteral("Soundfonts (*.sf2 *.sf3);;All Files (*)"));
    if (!path.isEmpty()) soundfont_->setText(path);
}

void PlaybackSettingsDlg::accept() {
    PlaybackSettings values = choices_.playback;
    if (!strings_.empty() && strings_.front()->isEnabled()) {
        std::vector<std::int32_t> tuning;
        for (std::size_t string = 0; string < strings_.size(); ++string) {
            const std::string text = strings_[string]->text().trimmed().toStdString();
            const std::optional<std::int32_t> pitch = ParsePitchName(text);
            if (!pitch) {
                problem_->setText(
                    QStringLiteral("String %1: \"%2\" is not a pitch such as E2 or F#3.")
                        .arg(string + 1)
                        .arg(QString::fromStdString(text)));
                problem_->show();
                strings_[string]->setFocus();
                strings_[string]->selectAll();
                return;
            }
            tuning.push_back(*pitch);
        }
        values.tuning = std::move(tuning);
    }
    values.tempo = tempo_->value();
    values.program = instrument_->currentData().toInt();
    choices_.playback = StoredPlayback(std::move(values), choices_.numberOfStrings);
    choices_.speedPercent = speed_->value();
    choices_.soundfont = soundfont_->text().trimmed().toStdString();
    choices_.audioDriver = output_->currentData().toString().toStdString();
    QDialog::accept();
}

bool PlaybackSettingsDlg::Edit(PlaybackChoices& choices, QWidget* parent) {
    PlaybackSettingsDlg dialog(choices, parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    choices = dialog.Choices();
    return true;
}

}  // namespace lutaris
