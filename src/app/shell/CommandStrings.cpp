// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "app/shell/CommandStrings.h"

#include "model/CommandIds.h"

namespace lutaris {

namespace {

struct PromptString {
    int id;
    const char* text;  // status prompt, then "\n" and the tooltip
};

constexpr PromptString kPrompts[] = {
    {ID_FILE_NEW, "Create a new document\nNew"},
    {ID_FILE_OPEN, "Open an existing document\nOpen"},
    {ID_FILE_SAVE, "Save the active document\nSave"},
    {ID_FILE_SAVE_AS, "Save the active document with a new name\nSave As"},
    {ID_FILE_PRINT_SETUP, "Change the printer and printing options\nPrint Setup"},
    {ID_FILE_PRINT, "Print the active document\nPrint"},
    {ID_FILE_PRINT_PREVIEW, "Display full pages\nPrint Preview"},
    {ID_FILE_UPDATE, "Update the container to show any changes\nUpdate"},
    {ID_FILE_SAVE_COPY_AS, "Save a copy of the active document with a new name\nSave Copy"},
    {ID_EDIT_UNDO, "Undo the last action\nUndo"},
    {ID_EDIT_REDO, "Redo the previously undone action\nRedo"},
    {ID_EDIT_CUT, "Cut the selection and put it on the Clipboard\nCut"},
    {ID_EDIT_COPY, "Copy the selection and put it on the Clipboard\nCopy"},
    {ID_EDIT_PASTE, "Insert Clipboard contents\nPaste"},
    {ID_EDIT_SELECT_ALL, "Select the entire document\nSelect All"},
    {ID_APP_ABOUT, "Display program information, version number and copyright\nAbout"},
    {ID_APP_EXIT, "Quit the application; prompts to save documents\nExit"},
    {ID_VIEW_TOOLBAR, "Show or hide the toolbar\nToggle ToolBar"},
    {ID_VIEW_STATUS_BAR, "Show or hide the status bar\nToggle StatusBar"},
    {ID_TAB_SETTINGS, "Set user options for tablature"},
    {ID_COPY_AS_TEXT, "Copy the selected TAB as text."},
    {ID_PLAY, "Play the tab from the caret, or the selected items; stop playing\nPlay"},
    {ID_PLAY_LOOP, "Play the selected items, or the whole tab, over and over\nLoop"},
    {ID_SOUND_WHILE_TYPING,
     "Sound each typed fret at its string's pitch\nSound Notes While Typing"},
    {ID_PLAYBACK_SETTINGS,
     "Set the tuning, tempo, instrument, soundfont and audio output\nPlayback Settings"},
    {ID_EXPORT_MIDI, "Write the tab as a Standard MIDI File\nExport MIDI"},
    {ID_EXPORT_AUDIO, "Write the tab as a WAV, FLAC or Ogg Vorbis audio file\nExport Audio"},
};

constexpr int kRecentFileCommands = 16;

}  // namespace

CommandPrompt PromptForCommand(int commandId) {
    if (commandId >= ID_FILE_MRU_FILE1 && commandId < ID_FILE_MRU_FILE1 + kRecentFileCommands)
        return {QStringLiteral("Open this document"), QString()};
    for (const PromptString& prompt : kPrompts) {
        if (prompt.id != commandId) continue;
        const QString text = QString::fromLatin1(prompt.text);
        const qsizetype newline = text.indexOf(u'\n');
        if (newline < 0) return {text, QString()};
        return {text.left(newline), text.mid(newline + 1)};
    }
    return {};
}

}  // namespace lutaris
