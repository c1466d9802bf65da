// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "app/inplace/InPlaceMenu.h"

#include <algorithm>
#include <span>

#include "app/shell/MenuTables.h"
#include "model/CommandIds.h"

namespace lutaris {

namespace {

bool IsEnabled(std::int32_t commandId, const InPlaceMenu::State& state) {
    switch (commandId) {
        case ID_EDIT_UNDO:
            return state.canUndo;
        case ID_EDIT_REDO:
            return state.canRedo;
        case ID_EDIT_CUT:
        case ID_EDIT_COPY:
            return state.hasSelection;
        default:
            return true;
    }
}

void Fill(std::vector<InPlaceMenu::Item>& items, std::span<const std::int32_t> commands,
          const InPlaceMenu::State& state) {
    for (const std::int32_t command : commands) {
        if (command == menu_tables::kSeparator) {
            items.push_back({});
        } else if (command == menu_tables::kActionSubmenu) {
            items.push_back(
                {InPlaceMenu::kSubmenuStart, menu_tables::kActionSubmenuTitle, true, false, false});
            Fill(items, menu_tables::ActionMenu(), state);
            items.push_back({InPlaceMenu::kSubmenuEnd, {}, false, false, false});
        } else {
            InPlaceMenu::Item item{command, menu_tables::MenuText(command),
                                   IsEnabled(command, state), false, false};
            if (command == ID_EDIT_UNDO && state.canUndo) {
                item.text = menu_tables::StepItemText(command, state.undoKind);
            } else if (command == ID_EDIT_REDO && state.canRedo) {
                item.text = menu_tables::StepItemText(command, state.redoKind);
            }
            const auto check = [&item](bool checked) {
                item.checkable = true;
                item.checked = checked;
            };
            if (command == ID_VIEW_TOOLBAR) check(state.toolbarShown);
            if (command == ID_PLAY_LOOP) check(state.loop);
            if (command == ID_SOUND_WHILE_TYPING) check(state.soundWhileTyping);
            if (command == ID_PLAY && state.playing) item.text = menu_tables::kStopText;
            items.push_back(std::move(item));
        }
    }
}

InPlaceMenu::Menu MakeMenu(const char* title, std::span<const std::int32_t> commands,
                           const InPlaceMenu::State& state) {
    InPlaceMenu::Menu menu{title, {}};
    Fill(menu.items, commands, state);
    return menu;
}

bool Contains(std::span<const std::int32_t> commands, std::int32_t commandId) {
    return std::find(commands.begin(), commands.end(), commandId) != commands.end();
}

}  // namespace

std::vector<InPlaceMenu::Menu> InPlaceMenu::Build(const State& state) {
    std::vector<Menu> menus;
    menus.push_back(MakeMenu("&Edit", menu_tables::EmbeddedEditMenu(), state));
    menus.push_back(MakeMenu("&View", menu_tables::InPlaceViewMenu(), state));
    menus.push_back(MakeMenu(menu_tables::kPlayMenuTitle, menu_tables::PlayMenu(), state));
    menus.push_back({});  // the container's groups go between these two
    menus.push_back({});
    menus.push_back(MakeMenu("&Help", menu_tables::HelpMenu(), state));
    return menus;
}

bool InPlaceMenu::Offers(std::int32_t commandId) {
    if (commandId == menu_tables::kSeparator || commandId == menu_tables::kActionSubmenu)
        return false;
    return Contains(menu_tables::EmbeddedEditMenu(), commandId) ||
           Contains(menu_tables::ActionMenu(), commandId) ||
           Contains(menu_tables::InPlaceViewMenu(), commandId) ||
           Contains(menu_tables::PlayMenu(), commandId) ||
           Contains(menu_tables::HelpMenu(), commandId) ||
           Contains(menu_tables::InPlaceToolbar(), commandId);
}

bool InPlaceMenu::CanRun(std::int32_t commandId, const State& state) {
    return Offers(commandId) && IsEnabled(commandId, state);
}

}  // namespace lutaris
