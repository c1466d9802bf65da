// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace lutaris {

struct TabSettings;

enum class MessageIcon { None, Error, Information, Exclamation, Question };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Cancel, Yes, No };

// One entry of a file dialog's filter list: the text shown and its patterns ("*.txt").
struct FileFilter {
    std::string text;
    std::vector<std::string> patterns;
};

struct FileDialogOptions {
    std::string title;             // empty: the platform's default title
    std::string defaultExtension;  // without the dot; empty for none
    std::string initialName;
    std::vector<FileFilter> filters;
    bool overwritePrompt = false;
};

// Everything through which a document asks a person something: message boxes (no owner
// window), the Open and Save As dialogs and the settings dialog. The Qt implementation shows
// real dialogs; the scripted one answers from a queue, for tests and the command-line tool.
class Prompter {
public:
    virtual ~Prompter() = default;

    virtual MessageAnswer ShowMessage(const std::string& text, const std::string& caption,
                                      MessageIcon icon, MessageButtons buttons) = 0;
    // The chosen path, or nothing when cancelled.
    virtual std::optional<std::string> ChooseOpenFile(const FileDialogOptions& options) = 0;
    virtual std::optional<std::string> ChooseSaveFile(const FileDialogOptions& options) = 0;
    // Runs the "Tablature Settings" dialog on `scratch`; true when it ended with OK (and then
    // `scratch` holds what was typed).
    virtual bool EditSettings(TabSettings& scratch) = 0;
};

}  // namespace lutaris
