// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace lutaris {

// The frames' menus and command texts as plain tables, so that the menus Qt shows and the menu
// that goes to a container as data (in-place editing) read the same entries.
namespace menu_tables {

// Markers in a menu's command list.
inline constexpr std::int32_t kSeparator = 0;
inline constexpr std::int32_t kActionSubmenu = -1;
inline constexpr const char* kActionSubmenuTitle = "&Action";
inline constexpr const char* kPlayMenuTitle = "&Play";
// Play's text while the document plays: the same command stops it.
inline constexpr const char* kStopText = "&Stop\tSpace";

struct CommandText {
    std::int32_t id;
    const char* text;  // as the menu shows it: the part after "\t" names the key
};

// Every command of the frames' menus with its text, in menu 128's order.
std::span<const CommandText> Commands();
// The menu text of a command; null for ids no menu has.
const char* MenuText(std::int32_t commandId);

// What Undo and Redo call a step of the document's history (a command id or a step kind):
// the command's menu text without its mnemonic and key, "Typing", "Delete", "Drop", "Move";
// empty for an unnamed step.
std::string StepName(std::int32_t stepKind);
// The Undo or Redo item's text naming the step it takes ("&Undo Cut\tCtrl+Z"); the plain
// item without a name.
std::string StepItemText(std::int32_t commandId, std::int32_t stepKind);

// Menu 128.
std::span<const std::int32_t> FileMenu();
std::span<const std::int32_t> EditMenu();
// Menus 5 and 4 (the Edit menu of an object opened from a container, in a window of its own or
// in place).
std::span<const std::int32_t> EmbeddedFileMenu();
std::span<const std::int32_t> EmbeddedEditMenu();
// The "&Action" submenu of every Edit menu.
std::span<const std::int32_t> ActionMenu();
std::span<const std::int32_t> ViewMenu();
// Menu 4's View menu: the container has the status bar.
std::span<const std::int32_t> InPlaceViewMenu();
// The "&Play" menu of menus 128, 5 and 4, after View.
std::span<const std::int32_t> PlayMenu();
std::span<const std::int32_t> HelpMenu();

// Toolbar 4, the in-place toolbar: its buttons in order, with their separator.
std::span<const std::int32_t> InPlaceToolbar();

}  // namespace menu_tables
}  // namespace lutaris
