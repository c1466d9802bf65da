// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lutaris {

// Menu 4, the menu of an object edited in place, as data for the container to merge into its
// own menu bar: Edit, View and Play, two group separators (empty title, no items) for the
// container's own menus, then Help. A submenu is written inline: an item with id
// kSubmenuStart and the submenu's title opens it, an item with id kSubmenuEnd closes it.
class InPlaceMenu {
public:
    static constexpr std::int32_t kSubmenuStart = -1;
    static constexpr std::int32_t kSubmenuEnd = -2;

    struct Item {
        std::int32_t id = 0;
        std::string text;
        bool enabled = false;
        bool checkable = false;
        bool checked = false;
        bool operator==(const Item&) const = default;
    };
    struct Menu {
        std::string title;
        std::vector<Item> items;
    };
    // What the items' state depends on.
    struct State {
        bool hasSelection = false;
        bool toolbarShown = true;
        // What Undo and Redo would take (a step kind of the document's history), if anything.
        bool canUndo = false;
        bool canRedo = false;
        std::int32_t undoKind = 0;
        std::int32_t redoKind = 0;
        // Play reads Stop while the document plays.
        bool playing = false;
        bool loop = false;
        bool soundWhileTyping = true;
        bool operator==(const State&) const = default;
    };

    static std::vector<Menu> Build(const State& state);
    // True for the commands of menu 4 and toolbar 4 that can run in this state (Cut and Copy
    // need a selection, Undo and Redo a step to take).
    static bool CanRun(std::int32_t commandId, const State& state);
    // True for every command id menu 4 or toolbar 4 shows.
    static bool Offers(std::int32_t commandId);
};

}  // namespace lutaris
