// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <functional>
#include <string>

namespace lutaris {

class TabDocument;

// The File commands of one document: New, Open with its "Save changes?" question, Save, Save
// As and Save Copy As, with the file dialogs of document files. The stand-alone editor, the
// window of an opened object and the command-line tool's scripts all run them here. Questions,
// dialogs and messages go to the document's prompter.
class FileCommands {
public:
    // Decides whether the document may be replaced by a new or an opened one.
    using ReplaceCheck = std::function<bool()>;
    // Told the path of every file the document was opened from or saved as (the recent files).
    using FileHandler = std::function<void(const std::string& path)>;

    // How an open ended: done, the person kept the document (a cancelled question or dialog),
    // or it failed (the person was told why).
    enum class Outcome { Done, Kept, Failed };

    explicit FileCommands(TabDocument& document);
    ~FileCommands();
    FileCommands(const FileCommands&) = delete;
    FileCommands& operator=(const FileCommands&) = delete;

    // Without one, the document asks "Save changes to TITLE?" when it is modified.
    void SetReplaceCheck(ReplaceCheck check) { replaceCheck_ = std::move(check); }
    void SetFileHandler(FileHandler handler) { fileHandler_ = std::move(handler); }

    // File > New; false when the document was kept.
    bool New();
    // File > Open: the Open dialog, then OpenFile.
    Outcome Open();
    // Asks about the document's changes, then opens `path` into it.
    Outcome OpenFile(const std::string& path);
    // Opens `path` without asking (the document has nothing to lose). After a failure the
    // document is as it was.
    bool Load(const std::string& path);
    // File > Save: to the document's path, or to one the Save As dialog asks for.
    bool Save();
    // File > Save As.
    bool SaveAs();
    // Saves under `path` and makes it the document's path.
    bool SaveTo(const std::string& path);
    // File > Save Copy As: writes the document to a file the dialog asks for; the document
    // keeps its path, its modified flag and (an embedded object) its container.
    bool SaveCopyAs();

private:
    bool MayReplace();

    TabDocument& document_;
    ReplaceCheck replaceCheck_;
    FileHandler fileHandler_;
};

}  // namespace lutaris
