// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "app/frame/MainMenu.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "app/frame/FrameActions.h"
#include "app/frame/RecentFileList.h"
#include "app/shell/MenuTables.h"
#include "model/CommandIds.h"

namespace lutaris {

using menu_tables::kActionSubmenu;
using menu_tables::kSeparator;

MainMenu::MainMenu(QMenuBar& menuBar, FrameActions& actions, FrameKind kind)
    : QObject(&menuBar), actions_(actions) {
    const bool embedded = kind == FrameKind::Embedded;
    fileMenu_ = AddMenu(menuBar, "&File",
                        embedded ? menu_tables::EmbeddedFileMenu() : menu_tables::FileMenu());
    AddMenu(menuBar, "&Edit", embedded ? menu_tables::EmbeddedEditMenu() : menu_tables::EditMenu());
    AddMenu(menuBar, "&View", menu_tables::ViewMenu());
    AddMenu(menuBar, menu_tables::kPlayMenuTitle, menu_tables::PlayMenu());
    AddMenu(menuBar, "&Help", menu_tables::HelpMenu());
    if (embedded) return;  // no recent files
    recentPlaceholder_ = actions_.Action(ID_FILE_MRU_FILE1);
    const QList<QAction*> fileActions = fileMenu_->actions();
    recentSeparator_ = fileActions.at(fileActions.indexOf(recentPlaceholder_) + 1);
}

QMenu* MainMenu::AddMenu(QMenuBar& menuBar, const char* title,
                         std::span<const std::int32_t> commands) {
    QMenu* menu = menuBar.addMenu(QString::fromLatin1(title));
    FillMenu(*menu, commands);
    topMenus_.push_back(menu);
    return menu;
}

void MainMenu::FillMenu(QMenu& menu, std::span<const std::int32_t> commands) {
    allMenus_.push_back(&menu);
    for (const int command : commands) {
        if (command == kSeparator) {
            menu.addSeparator();
        } else if (command == kActionSubmenu) {
            QMenu* submenu = menu.addMenu(QString::fromLatin1(menu_tables::kActionSubmenuTitle));
            FillMenu(*submenu, menu_tables::ActionMenu());
        } else {
            menu.addAction(actions_.Action(command));
        }
    }
}

void MainMenu::SetRecentFiles(const std::vector<std::string>& paths) {
    if (recentPlaceholder_ == nullptr) return;
    for (QAction* entry : recentEntries_) {
        fileMenu_->removeAction(entry);
        entry->deleteLater();
    }
    recentEntries_.clear();
    recentPlaceholder_->setVisible(paths.empty());
    for (std::size_t i = 0; i < paths.size(); ++i) {
        auto* entry =
            new QAction(QString::fromStdString(RecentFileList::MenuText(i, paths[i])), fileMenu_);
        entry->setStatusTip(recentPlaceholder_->statusTip());
        entry->setData(static_cast<int>(i));
        const int index = static_cast<int>(i);
        connect(entry, &QAction::triggered, this, [this, index] { emit RecentFileChosen(index); });
        fileMenu_->insertAction(recentSeparator_, entry);
        recentEntries_.push_back(entry);
    }
}

}  // namespace lutaris
