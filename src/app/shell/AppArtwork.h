// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <QIcon>
#include <QImage>

namespace lutaris {

// The program's pictures, drawn in code so that they stay sharp and need no binary files: the
// program icon and the 16 × 15 images of the main toolbar's buttons.
class AppArtwork {
public:
    enum ToolbarImage { New, Open, Save, Cut, Copy, Paste, Print, About, ToolbarImageCount };

    static constexpr int kToolbarImageWidth = 16;
    static constexpr int kToolbarImageHeight = 15;

    static QIcon ProgramIcon();
    static QImage ProgramImage(int size);
    static QImage ToolbarButtonImage(ToolbarImage image);
    // The button image of a command on a toolbar (the main one or the in-place one); a null
    // image for a command that has no button.
    static QImage CommandButtonImage(int commandId);
};

}  // namespace lutaris
