// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "platform/document/DocumentBase.h"

#include <algorithm>
#include <filesystem>

#include "platform/prompt/DocumentFileDialogs.h"
#include "platform/prompt/Prompter.h"

namespace lutaris {
namespace {

void AddOnce(std::vector<DocumentObserver*>& observers, DocumentObserver* observer) {
    if (observer != nullptr &&
        std::find(observers.begin(), observers.end(), observer) == observers.end()) {
        observers.push_back(observer);
    }
}

void Remove(std::vector<DocumentObserver*>& observers, DocumentObserver* observer) {
    observers.erase(std::remove(observers.begin(), observers.end(), observer), observers.end());
}

void NotifyAll(const std::vector<DocumentObserver*>& observers) {
    // A copy: an observer may detach itself (or another) while it is told.
    const auto snapshot = observers;
    for (auto* observer : snapshot) observer->OnDocumentUpdated();
}

}  // namespace

DocumentBase::DocumentBase(Prompter& prompter) : prompter_(prompter) {}

std::string DocumentBase::GetTitle() const {
    if (path_.empty()) return "Untitled";
    return std::filesystem::path(path_).filename().string();
}

void DocumentBase::AddView(DocumentObserver* view) { AddOnce(views_, view); }
void DocumentBase::RemoveView(DocumentObserver* view) { Remove(views_, view); }
void DocumentBase::UpdateAllViews() { NotifyAll(views_); }
void DocumentBase::AddItem(DocumentObserver* item) { AddOnce(items_, item); }
void DocumentBase::RemoveItem(DocumentObserver* item) { Remove(items_, item); }
void DocumentBase::UpdateAllItems() { NotifyAll(items_); }

bool DocumentBase::OnNewDocument() {
    path_.clear();
    modified_ = false;
    return true;
}

bool DocumentBase::SaveModified() {
    if (!modified_) return true;
    const auto answer =
        prompter_.ShowMessage("Save changes to " + GetTitle() + "?", kCaption,
                              MessageIcon::Exclamation, MessageButtons::YesNoCancel);
    switch (answer) {
        case MessageAnswer::Yes:
            return DoFileSave();
        case MessageAnswer::No:
            return true;
        case MessageAnswer::Ok:
        case MessageAnswer::Cancel:
            return false;
    }
    return false;
}

bool DocumentBase::DoFileSave() { return DoSave(path_.empty()); }

bool DocumentBase::DoSave(bool askForPath) {
    std::string path = path_;
    if (askForPath || path.empty()) {
        // Offer the current name; an untitled document offers its title as the name.
        const auto chosen = prompter_.ChooseSaveFile(DocumentSaveDialog(GetTitle()));
        if (!chosen || chosen->empty()) return false;
        path = *chosen;
    }
    return SaveToPath(path);
}

bool DocumentBase::SaveToPath(const std::string& path) {
    if (!OnSaveDocument(path)) return false;
    path_ = path;
    if (saveListener_) saveListener_(path_);
    return true;
}

}  // namespace lutaris
