// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace lutaris {

class Prompter;

// Something that shows a document and redraws when told (a view, the embedded presentation).
class DocumentObserver {
public:
    virtual ~DocumentObserver() = default;
    virtual void OnDocumentUpdated() = 0;
};

// The document half of the document/view framework: path, title, modified flag, the views and
// the embedded items to update, and the new/open/save cycle with the "save changes?" question.
class DocumentBase {
public:
    // The caption of the framework's own message boxes (save changes, file errors).
    static constexpr const char* kCaption = "Lutaris";

    explicit DocumentBase(Prompter& prompter);
    virtual ~DocumentBase() = default;
    DocumentBase(const DocumentBase&) = delete;
    DocumentBase& operator=(const DocumentBase&) = delete;

    const std::string& GetPathName() const { return path_; }
    // "Untitled" for a document without a path, else the file name.
    std::string GetTitle() const;
    void SetPathName(const std::string& path) { path_ = path; }
    bool IsModified() const { return modified_; }
    // A document that knows its history may decide for itself what counts as modified.
    virtual void SetModifiedFlag(bool modified = true) { modified_ = modified; }

    void AddView(DocumentObserver* view);
    void RemoveView(DocumentObserver* view);
    void UpdateAllViews();
    void AddItem(DocumentObserver* item);
    void RemoveItem(DocumentObserver* item);
    void UpdateAllItems();

    // The framework's new-document step: clears the path and the modified flag.
    virtual bool OnNewDocument();
    virtual bool OnOpenDocument(const std::string& path) = 0;
    virtual bool OnSaveDocument(const std::string& path) = 0;

    // Asks "Save changes to TITLE?" when modified; false when the person cancels (or a save
    // that was asked for fails).
    bool SaveModified();
    // File > Save: saves to the path, or asks for one when the document has none.
    bool DoFileSave();
    // File > Save As (or Save without a path): asks for a path, then saves.
    bool DoSave(bool askForPath);
    // Saves under `path` and, when that worked, makes it the document's path.
    bool SaveToPath(const std::string& path);

    Prompter& GetPrompter() { return prompter_; }

    // Told the path of every save that made it the document's path, however the save was
    // reached (File > Save, Save As, or the "Save changes?" question before New, Open or
    // closing): the recent-file list hears of every one of them here.
    using SaveListener = std::function<void(const std::string& path)>;
    void SetSaveListener(SaveListener listener) { saveListener_ = std::move(listener); }

protected:
    void StoreModifiedFlag(bool modified) { modified_ = modified; }

private:
    Prompter& prompter_;
    SaveListener saveListener_;
    std::string path_;
    bool modified_ = false;
    std::vector<DocumentObserver*> views_;
    std::vector<DocumentObserver*> items_;
};

}  // namespace lutaris
