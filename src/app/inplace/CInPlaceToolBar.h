// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

namespace lutaris {

// Toolbar 4, which the container builds on its own frame from this data: the buttons in
// order with their tooltips, status prompts and 16 × 15 images, and whether it is shown.
// Its commands come back to the in-place frame, its owner.
class CInPlaceToolBar {
public:
    struct Button {
        int id = 0;  // 0 for a separator
        QString tooltip;
        QString prompt;
        QByteArray png;  // empty for a separator
    };

    // Loads the buttons; false when an image could not be made.
    bool Create();
    const std::vector<Button>& Buttons() const { return buttons_; }
    bool IsShown() const { return shown_; }
    void SetShown(bool shown) { shown_ = shown; }

private:
    std::vector<Button> buttons_;
    bool shown_ = true;
};

}  // namespace lutaris
