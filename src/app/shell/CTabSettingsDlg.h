// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <QDialog>
#include <array>

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace lutaris {

struct TabSettings;

// "Tablature Settings": edits six of the eight layout values of the record handed to it with
// SetSettings. It writes the record only when it ends with OK.
class CTabSettingsDlg : public QDialog {
    Q_OBJECT
public:
    // Control ids of the dialog template; the widgets carry them as object names ("1002").
    enum ControlId {
        IDOK = 1,
        IDCANCEL = 2,
        IDC_NOTES = 1001,
        IDC_FIRST_EDIT = 1002,
        IDC_TEXT_OPAQUE = 1007
    };

    explicit CTabSettingsDlg(QWidget* parent = nullptr);

    void SetSettings(TabSettings* settings) { settings_ = settings; }
    // Runs the dialog modally: IDOK or IDCANCEL (also for Esc and the close box).
    int DoModal();

    // Fills the boxes from the record; true lets the focus go to the first control, OK.
    bool OnInitDialog();
    // Stores the boxes and closes with OK, or, while a box holds something that is not a
    // whole number in its range, names the box and its range and puts the focus on it.
    void OnOK();

    QLineEdit* EditBox(int index) const { return edits_.at(index); }
    QCheckBox* TextOpaqueBox() const { return textOpaque_; }
    QPushButton* OkButton() const { return ok_; }
    QPushButton* CancelButton() const { return cancel_; }

    void accept() override { OnOK(); }

protected:
    // Tells the person why OK did not close the dialog.
    virtual void ShowProblem(const QString& message);

private:
    TabSettings* settings_ = nullptr;
    QPushButton* ok_;
    QPushButton* cancel_;
    QPlainTextEdit* notes_;
    std::array<QLineEdit*, 5> edits_{};
    QCheckBox* textOpaque_;
};

}  // namespace lutaris
