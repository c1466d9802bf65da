// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <QObject>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "app/frame/FrameKind.h"

class QAction;
class QMenu;
class QMenuBar;

namespace lutaris {

class FrameActions;

// Menu 128 (or menu 5 of an object opened from a container) built from the frame's actions,
// and the recent-file entries of menu 128's File menu, which take the place of the grayed
// "Recent File" item while there are any.
class MainMenu : public QObject {
    Q_OBJECT
public:
    MainMenu(QMenuBar& menuBar, FrameActions& actions, FrameKind kind = FrameKind::StandAlone);

    void SetRecentFiles(const std::vector<std::string>& paths);
    const std::vector<QMenu*>& TopMenus() const { return topMenus_; }
    // Every menu, submenus included, for hover prompts.
    const std::vector<QMenu*>& AllMenus() const { return allMenus_; }

signals:
    void RecentFileChosen(int index);

private:
    QMenu* AddMenu(QMenuBar& menuBar, const char* title, std::span<const std::int32_t> commands);
    void FillMenu(QMenu& menu, std::span<const std::int32_t> commands);

    FrameActions& actions_;
    QMenu* fileMenu_ = nullptr;
    QAction* recentPlaceholder_ = nullptr;
    QAction* recentSeparator_ = nullptr;
    std::vector<QAction*> recentEntries_;
    std::vector<QMenu*> topMenus_;
    std::vector<QMenu*> allMenus_;
};

}  // namespace lutaris
