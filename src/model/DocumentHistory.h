// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "model/PlaybackSettings.h"
#include "model/TabNote.h"
#include "model/TabSettings.h"
#include "model/Tablature.h"

namespace lutaris {
namespace history {

// Where the caret stood: enough to put it back exactly as it was.
struct CaretState {
    Tablature* tabItem = nullptr;
    TabNote current;
    TabNote previous;
};

// One note of one item stored, added (no `before`) or deleted (no `after`) at `index` of the
// item's notes. The note list keeps its order, so the index says where it goes back.
struct NoteStored {
    Tablature* item = nullptr;
    std::int32_t index = 0;
    std::optional<TabNote> before;
    std::optional<TabNote> after;
};

// All notes of one item at once (a column opened or closed): rare, and exact whatever the
// columns hold.
struct NotesReplaced {
    Tablature* item = nullptr;
    std::vector<TabNote> before;
    std::vector<TabNote> after;
};

// An item that one state has and the other has not. `held` owns it while it is out of the
// document, so that the same item (and every pointer the history keeps to it) comes back.
struct HeldItem {
    std::size_t listIndex = 0;
    std::int32_t position = 0;
    Tablature* item = nullptr;
    std::unique_ptr<Tablature> held;
};

// Items inserted (`removed` false) or removed, sorted by list index. The positions of the
// other items close up or open by the rule that positions stay 0 … n − 1 in reading order.
struct ItemsChanged {
    bool removed = false;
    std::vector<HeldItem> items;
};

// The reading order of the stretch from `from` on changed (a move).
struct OrderChanged {
    std::int32_t from = 0;
    std::vector<Tablature*> before;
    std::vector<Tablature*> after;
};

struct SelectionState {
    std::vector<Tablature*> items;
    std::int32_t copied = 0;
};

struct SelectionReplaced {
    SelectionState before;
    SelectionState after;
};

struct SettingsReplaced {
    TabSettings before;
    TabSettings after;
};

struct PlaybackReplaced {
    PlaybackSettings before;
    PlaybackSettings after;
};

// The whole content swapped for another (an import): what is not in the document now is held
// here, so that undo and redo are both a swap.
struct ContentReplaced {
    std::vector<std::unique_ptr<Tablature>> items;
    TabSettings settings;
    PlaybackSettings playback;
    std::string path;
};

using Change = std::variant<NoteStored, NotesReplaced, ItemsChanged, OrderChanged,
                            std::unique_ptr<SelectionReplaced>, std::unique_ptr<SettingsReplaced>,
                            std::unique_ptr<PlaybackReplaced>, std::unique_ptr<ContentReplaced>>;

// What a step did, for the Undo and Redo menu items: a command id, or one of these.
namespace step_kind {
constexpr std::int32_t kUnnamed = 0;
constexpr std::int32_t kTyping = -1;
constexpr std::int32_t kDelete = -2;
constexpr std::int32_t kDrop = -3;
constexpr std::int32_t kMove = -4;
}  // namespace step_kind

// One thing the person did, as Undo takes it back.
struct Step {
    std::int32_t kind = step_kind::kUnnamed;
    std::uint64_t id = 0;
    CaretState caretBefore;
    CaretState caretAfter;
    std::vector<Change> changes;
    // Set while the step types into one cell: the next digit there joins it.
    bool typing = false;
    std::size_t bytes = 0;
};

// Bytes a change keeps beyond its own slot in the step.
std::size_t PayloadBytes(const Change& change);

// The undo and redo stacks, capped by memory: the oldest steps go first. States are named by
// the id of the last step that made them (the base id before any step), so that the saved
// state can be recognised after any walk through the history.
class DocumentHistory {
public:
    static constexpr std::size_t kDefaultCapBytes = std::size_t{32} << 20;

    bool CanUndo() const { return !undo_.empty(); }
    bool CanRedo() const { return !redo_.empty(); }
    std::int32_t UndoKind() const { return undo_.empty() ? 0 : undo_.back().kind; }
    std::int32_t RedoKind() const { return redo_.empty() ? 0 : redo_.back().kind; }

    // The id of the state the document is in.
    std::uint64_t StateId() const { return undo_.empty() ? baseId_ : undo_.back().id; }
    void MarkClean() { cleanId_ = StateId(); }
    bool AtCleanState() const { return StateId() == cleanId_; }

    // Forgets everything; the state becomes the clean one.
    void Clear();

    std::uint64_t NextId() { return ++lastId_; }
    // Keeps a finished step (which empties the redo stack) and drops the oldest beyond the cap.
    void Push(Step step);
    // The last step, while it may still grow (typing into the same cell).
    Step* Top() { return undo_.empty() ? nullptr : &undo_.back(); }
    void Grow(std::size_t bytes);

    // Moves the step Undo takes back onto the redo stack and returns it (null: none).
    Step* TakeUndo();
    Step* TakeRedo();

    std::size_t Bytes() const { return bytes_; }
    std::size_t UndoCount() const { return undo_.size(); }
    void SetCapBytes(std::size_t cap) { capBytes_ = cap; }

private:
    void DropOldest();

    std::deque<Step> undo_;
    std::vector<Step> redo_;
    std::uint64_t baseId_ = 0;
    std::uint64_t lastId_ = 0;
    std::uint64_t cleanId_ = 0;
    std::size_t bytes_ = 0;
    std::size_t capBytes_ = kDefaultCapBytes;
};

}  // namespace history
}  // namespace lutaris
