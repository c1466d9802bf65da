// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "app/shell/MenuTables.h"

#include "model/CommandIds.h"
#include "model/DocumentHistory.h"

namespace lutaris::menu_tables {

namespace {

constexpr CommandText kCommands[] = {
    {ID_FILE_NEW, "&New\tCtrl+N"},
    {ID_FILE_OPEN, "&Open...\tCtrl+O"},
    {ID_FILE_SAVE, "&Save\tCtrl+S"},
    {ID_FILE_SAVE_AS, "Save &As..."},
    {ID_IMPORT_FILE, "&Import File"},
    {ID_EXPORT_FILE, "&Export File"},
    {ID_EXPORT_MIDI, "Export &MIDI..."},
    {ID_EXPORT_AUDIO, "Export &Audio..."},
    {ID_FILE_UPDATE, "&Update\tCtrl+S"},
    {ID_FILE_SAVE_COPY_AS, "Save Copy &As..."},
    {ID_FILE_PRINT, "&Print...\tCtrl+P"},
    {ID_FILE_PRINT_PREVIEW, "Print Pre&view"},
    {ID_FILE_PRINT_SETUP, "P&rint Setup..."},
    {ID_FILE_MRU_FILE1, "Recent File"},
    {ID_APP_EXIT, "E&xit"},
    {ID_EDIT_UNDO, "&Undo\tCtrl+Z"},
    {ID_EDIT_REDO, "&Redo\tCtrl+Y"},
    {ID_EDIT_CUT, "Cu&t\tCtrl+X"},
    {ID_EDIT_COPY, "&Copy\tCtrl+C"},
    {ID_COPY_AS_TEXT, "Copy as &Text"},
    {ID_EDIT_PASTE, "&Paste\tCtrl+V"},
    {ID_EDIT_SELECT_ALL, "Select &All\tCtrl+A"},
    {ID_ADD_TAB_ITEM, "&Add Tab Item\tShift+I"},
    {ID_INSERT_TAB_ITEM, "Insert &Tab Item\tCtrl+T"},
    {ID_INSERT_NOTE, "Insert &Note\tShift+Left"},
    {ID_INSERT_RANDOM_RIFF, "Insert &Random Riff\tCtrl+R"},
    {ID_TAB_SETTINGS, "&Tab Settings"},
    {ID_ACTION_BEND_UP, "&Bend Up\tB"},
    {ID_ACTION_BEND_RELEASE, "Bend Release\tR"},
    {ID_ACTION_SLIDE_UP, "Slide Up\t/"},
    {ID_ACTION_SLIDE_DOWN, "Slide Down\t\\"},
    {ID_ACTION_HAMMER_ON, "Hammer On\tH"},
    {ID_ACTION_PULL_OFF, "Pull Off\tP"},
    {ID_ACTION_MUTE, "Mute\tX"},
    {ID_ACTION_VIBRATO, "Vibrato\t~"},
    {ID_ACTION_TAP, "Tap\tT"},
    {ID_ACTION_OPTIONAL, "Optional\tO"},
    {ID_ACTION_HARMONIC, "Harmonic\tA"},
    {ID_ACTION_CLEAR, "Clear Action\tZ"},
    {ID_VIEW_TOOLBAR, "&Toolbar"},
    {ID_VIEW_STATUS_BAR, "&Status Bar"},
    {ID_PLAY, "&Play\tSpace"},
    {ID_PLAY_LOOP, "&Loop"},
    {ID_SOUND_WHILE_TYPING, "Sound Notes While &Typing"},
    {ID_PLAYBACK_SETTINGS, "Playback &Settings..."},
    {ID_APP_ABOUT, "&About Lutaris..."},
    // Keys of the accelerator table that no menu item shows: the view is never split.
    {ID_NEXT_PANE, "Next Pane"},
    {ID_PREV_PANE, "Previous Pane"},
};

constexpr std::int32_t kFileMenu[] = {
    ID_FILE_NEW,    ID_FILE_OPEN,          ID_FILE_SAVE,        ID_FILE_SAVE_AS, kSeparator,
    ID_IMPORT_FILE, ID_EXPORT_FILE,        ID_EXPORT_MIDI,      ID_EXPORT_AUDIO, kSeparator,
    ID_FILE_PRINT,  ID_FILE_PRINT_PREVIEW, ID_FILE_PRINT_SETUP, kSeparator,      ID_FILE_MRU_FILE1,
    kSeparator,     ID_APP_EXIT,
};
constexpr std::int32_t kEditMenu[] = {
    ID_EDIT_UNDO,          ID_EDIT_REDO,       kSeparator,
    ID_EDIT_CUT,           ID_EDIT_COPY,       ID_COPY_AS_TEXT,
    ID_EDIT_PASTE,         ID_EDIT_SELECT_ALL, kSeparator,
    ID_ADD_TAB_ITEM,       ID_INSERT_TAB_ITEM, ID_INSERT_NOTE,
    ID_INSERT_RANDOM_RIFF, kSeparator,         kActionSubmenu,
    ID_TAB_SETTINGS,
};
constexpr std::int32_t kActionMenu[] = {
    ID_ACTION_BEND_UP,   ID_ACTION_BEND_RELEASE, ID_ACTION_SLIDE_UP, ID_ACTION_SLIDE_DOWN,
    ID_ACTION_HAMMER_ON, ID_ACTION_PULL_OFF,     ID_ACTION_MUTE,     ID_ACTION_VIBRATO,
    ID_ACTION_TAP,       ID_ACTION_OPTIONAL,     ID_ACTION_HARMONIC, kSeparator,
    ID_ACTION_CLEAR,
};
constexpr std::int32_t kEmbeddedFileMenu[] = {
    ID_FILE_UPDATE,        ID_FILE_SAVE_COPY_AS, kSeparator, ID_FILE_PRINT,
    ID_FILE_PRINT_PREVIEW, ID_FILE_PRINT_SETUP,  kSeparator, ID_APP_EXIT,
};
constexpr std::int32_t kEmbeddedEditMenu[] = {
    ID_EDIT_UNDO,  ID_EDIT_REDO,       kSeparator, ID_EDIT_CUT,    ID_EDIT_COPY,
    ID_EDIT_PASTE, ID_EDIT_SELECT_ALL, kSeparator, kActionSubmenu, ID_TAB_SETTINGS,
};
constexpr std::int32_t kViewMenu[] = {ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR};
constexpr std::int32_t kInPlaceViewMenu[] = {ID_VIEW_TOOLBAR};
constexpr std::int32_t kPlayMenu[] = {ID_PLAY, ID_PLAY_LOOP, ID_SOUND_WHILE_TYPING, kSeparator,
                                      ID_PLAYBACK_SETTINGS};
constexpr std::int32_t kHelpMenu[] = {ID_APP_ABOUT};
constexpr std::int32_t kInPlaceToolbar[] = {ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, kSeparator,
                                            ID_APP_ABOUT};

}  // namespace

std::span<const CommandText> Commands() { return kCommands; }

const char* MenuText(std::int32_t commandId) {
    for (const CommandText& command : kCommands)
        if (command.id == commandId) return command.text;
    return nullptr;
}

std::string StepName(std::int32_t stepKind) {
    namespace kind = history::step_kind;
    switch (stepKind) {
        case kind::kTyping:
            return "Typing";
        case kind::kDelete:
            return "Delete";
        case kind::kDrop:
            return "Drop";
        case kind::kMove:
            return "Move";
        default:
            break;
    }
    const char* text = stepKind > 0 ? MenuText(stepKind) : nullptr;
    if (text == nullptr) return {};
    std::string name;
    for (const char* c = text; *c != '\0' && *c != '\t'; ++c) {
        if (*c != '&') name += *c;
    }
    if (name.ends_with("...")) name.resize(name.size() - 3);
    return name;
}

std::string StepItemText(std::int32_t commandId, std::int32_t stepKind) {
    const std::string text = MenuText(commandId);
    const std::string name = StepName(stepKind);
    if (name.empty()) return text;
    const auto tab = text.find('\t');
    if (tab == std::string::npos) return text + " " + name;
    return text.substr(0, tab) + " " + name + text.substr(tab);
}

std::span<const std::int32_t> FileMenu() { return kFileMenu; }
std::span<const std::int32_t> EditMenu() { return kEditMenu; }
std::span<const std::int32_t> EmbeddedFileMenu() { return kEmbeddedFileMenu; }
std::span<const std::int32_t> EmbeddedEditMenu() { return kEmbeddedEditMenu; }
std::span<const std::int32_t> ActionMenu() { return kActionMenu; }
std::span<const std::int32_t> ViewMenu() { return kViewMenu; }
std::span<const std::int32_t> InPlaceViewMenu() { return kInPlaceViewMenu; }
std::span<const std::int32_t> PlayMenu() { return kPlayMenu; }
std::span<const std::int32_t> HelpMenu() { return kHelpMenu; }
std::span<const std::int32_t> InPlaceToolbar() { return kInPlaceToolbar; }

}  // namespace lutaris::menu_tables
