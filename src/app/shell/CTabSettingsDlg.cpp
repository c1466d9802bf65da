// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "app/shell/CTabSettingsDlg.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>

#include "app/shell/DialogUnits.h"
#include "model/SettingsDialogEntry.h"
#include "model/TabSettings.h"

namespace lutaris {

namespace {

struct EditPlace {
    int y;
    int labelWidth;
    const char* label;
};

// Edit boxes 1002 … 1006 in template order, each with the label that follows it.
constexpr EditPlace kEdits[] = {
    {7, 55, "Horizontal Space"}, {24, 47, "Vertical Space"},  {41, 32, "Text Float"},
    {59, 40, "String Count"},    {77, 54, "Next Line Space"},
};

}  // namespace

CTabSettingsDlg::CTabSettingsDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Tablature Settings"));
    setFont(DialogUnits::DialogFont());
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    const DialogUnits units(font());
    setFixedSize(units.X(235), units.Y(124));

    // Created in template order, which is also the tab order.
    ok_ = new QPushButton(QStringLiteral("OK"), this);
    ok_->setObjectName(QString::number(IDOK));
    ok_->setGeometry(units.Rect(121, 103, 50, 14));
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &CTabSettingsDlg::accept);

    cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    cancel_->setObjectName(QString::number(IDCANCEL));
    cancel_->setGeometry(units.Rect(178, 103, 50, 14));
    connect(cancel_, &QPushButton::clicked, this, &CTabSettingsDlg::reject);

    notes_ = new QPlainTextEdit(this);
    notes_->setObjectName(QString::number(IDC_NOTES));
    notes_->setGeometry(units.Rect(109, 7, 119, 89));
    notes_->setReadOnly(true);
    notes_->setTabChangesFocus(true);
    notes_->setFocusPolicy(Qt::StrongFocus);

    QWidget* previous = notes_;
    setTabOrder(ok_, cancel_);
    setTabOrder(cancel_, notes_);
    for (int i = 0; i < 5; ++i) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString::number(IDC_FIRST_EDIT + i));
        edit->setGeometry(units.Rect(7, kEdits[i].y, 34, 14));
        edits_[i] = edit;
        auto* label = new QLabel(QString::fromLatin1(kEdits[i].label), this);
        units.PlaceText(*label, 47, kEdits[i].y + 3, kEdits[i].labelWidth, 8);
        setTabOrder(previous, edit);
        previous = edit;
    }

    textOpaque_ = new QCheckBox(QStringLiteral("TextOpaque"), this);
    textOpaque_->setObjectName(QString::number(IDC_TEXT_OPAQUE));
    textOpaque_->setGeometry(units.Rect(33, 95, 55, 10));
    setTabOrder(previous, textOpaque_);
}

int CTabSettingsDlg::DoModal() {
    OnInitDialog();
    return exec() == QDialog::Accepted ? IDOK : IDCANCEL;
}

bool CTabSettingsDlg::OnInitDialog() {
    if (settings_ != nullptr) {
        const SettingsDialogEntry entry = SettingsDialogEntry::FromSettings(*settings_);
        for (int i = 0; i < 5; ++i) edits_[i]->setText(QString::fromStdString(entry.texts[i]));
        textOpaque_->setChecked(entry.textOpaque);
    }
    ok_->setFocus(Qt::OtherFocusReason);
    return true;
}

void CTabSettingsDlg::OnOK() {
    SettingsDialogEntry entry;
    for (int i = 0; i < 5; ++i) entry.texts[i] = edits_[i]->text().toStdString();
    entry.textOpaque = textOpaque_->isChecked();
    // A value that cannot draw a tablature never reaches the document: the dialog stays open
    // on the box that holds it.
    if (const std::optional<SettingsEntryProblem> problem = entry.FirstProblem()) {
        QLineEdit* box = edits_[problem->box];
        ShowProblem(QString::fromStdString(problem->message));
        box->setFocus(Qt::OtherFocusReason);
        box->selectAll();
        return;
    }
    if (settings_ != nullptr) {
        entry.Normalize();
        entry.ApplyTo(*settings_);
    }
    QDialog::accept();
}

void CTabSettingsDlg::ShowProblem(const QString& message) {
    QMessageBox::warning(this, windowTitle(), message);
}

}  // namespace lutaris
