// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <QDialog>

namespace lutaris {

// "About Lutaris": the program's icon, name, version and build.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
    int DoModal() { return exec(); }

    // Help > About of every frame: shows the box for its command and says true; false for any
    // other command.
    static bool RunCommand(int commandId);
};

}  // namespace lutaris
