// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "model/DocumentHistory.h"

#include <type_traits>
#include <utility>

namespace lutaris::history {
namespace {

std::size_t HeldBytes(const std::vector<HeldItem>& items) {
    std::size_t bytes = items.capacity() * sizeof(HeldItem);
    for (const HeldItem& held : items) {
        if (held.held) bytes += sizeof(Tablature) + held.held->notes.capacity() * sizeof(TabNote);
    }
    return bytes;
}

}  // namespace

std::size_t PayloadBytes(const Change& change) {
    return std::visit(
        [](const auto& value) -> std::size_t {
            using T = std::decay_t<decltype(value)>;
            if constexpr (std::is_same_v<T, NoteStored>) {
                return 0;
            } else if constexpr (std::is_same_v<T, NotesReplaced>) {
                return (value.before.capacity() + value.after.capacity()) * sizeof(TabNote);
            } else if constexpr (std::is_same_v<T, ItemsChanged>) {
                return HeldBytes(value.items);
            } else if constexpr (std::is_same_v<T, OrderChanged>) {
                return (value.before.capacity() + value.after.capacity()) * sizeof(Tablature*);
            } else if constexpr (std::is_same_v<T, std::unique_ptr<SelectionReplaced>>) {
                return sizeof(SelectionReplaced) +
                       (value->before.items.capacity() + value->after.items.capacity()) *
                           sizeof(Tablature*);
            } else if constexpr (std::is_same_v<T, std::unique_ptr<ContentReplaced>>) {
                std::size_t bytes = sizeof(ContentReplaced) + value->path.capacity();
                for (const auto& item : value->items) {
                    bytes += sizeof(Tablature) + item->notes.capacity() * sizeof(TabNote);
                }
                return bytes;
            } else {
                return sizeof(*value);
            }
        },
        change);
}

void DocumentHistory::Clear() {
    undo_.clear();
    redo_.clear();
    bytes_ = 0;
    baseId_ = ++lastId_;
    cleanId_ = baseId_;
}

void DocumentHistory::Push(Step step) {
    for (const Step& dropped : redo_) bytes_ -= dropped.bytes;
    redo_.clear();
    bytes_ += step.bytes;
    undo_.push_back(std::move(step));
    while (bytes_ > capBytes_ && undo_.size() > 1) DropOldest();
}

void DocumentHistory::Grow(std::size_t bytes) {
    if (undo_.empty()) return;
    undo_.back().bytes += bytes;
    bytes_ += bytes;
    while (bytes_ > capBytes_ && undo_.size() > 1) DropOldest();
}

void DocumentHistory::DropOldest() {
    bytes_ -= undo_.front().bytes;
    // The state after the dropped step is where undoing now ends.
    baseId_ = undo_.front().id;
    undo_.pop_front();
}

Step* DocumentHistory::TakeUndo() {
    if (undo_.empty()) return nullptr;
    redo_.push_back(std::move(undo_.back()));
    undo_.pop_back();
    return &redo_.back();
}

Step* DocumentHistory::TakeRedo() {
    if (redo_.empty()) return nullptr;
    undo_.push_back(std::move(redo_.back()));
    redo_.pop_back();
    return &undo_.back();
}

}  // namespace lutaris::history
