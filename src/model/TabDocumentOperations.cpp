// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
// The document's operations: every change of the content goes through here, keeps the
// document's invariants, tells the view's layout what moved and is recorded for Undo.
#include <algorithm>
#include <limits>
#include <type_traits>
#include <unordered_set>
#include <utility>

#include "model/TabCursor.h"
#include "model/TabDocument.h"

namespace lutaris {

using history::Change;
using history::HeldItem;

namespace {

constexpr std::int32_t kInt32Max = std::numeric_limits<std::int32_t>::max();

bool SameCaret(const history::CaretState& a, const history::CaretState& b) {
    return a.tabItem == b.tabItem && a.current == b.current && a.previous == b.previous;
}

bool IsSelectionChange(const Change& change) {
    return std::holds_alternative<std::unique_ptr<history::SelectionReplaced>>(change);
}

// The positions the held items take (or took), ascending.
std::vector<std::int32_t> HeldPositions(const std::vector<HeldItem>& items) {
    std::vector<std::int32_t> positions;
    positions.reserve(items.size());
    for (const HeldItem& held : items) positions.push_back(held.position);
    std::sort(positions.begin(), positions.end());
    return positions;
}

// Calls `run(first, count)` for each run of consecutive positions, ascending or descending.
template <typename Run>
void ForEachRun(const std::vector<std::int32_t>& sorted, bool descending, Run run) {
    std::vector<std::pair<std::int32_t, std::int32_t>> runs;
    for (std::size_t i = 0; i < sorted.size();) {
        std::size_t j = i + 1;
        while (j < sorted.size() && sorted[j] == sorted[j - 1] + 1) ++j;
        runs.emplace_back(static_cast<std::int32_t>(i), static_cast<std::int32_t>(j - i));
        i = j;
    }
    if (descending) std::reverse(runs.begin(), runs.end());
    for (const auto& [index, count] : runs) run(index, count);
}

}  // namespace

// ---- steps ---------------------------------------------------------------------------------

void TabDocument::BeginStep(std::int32_t kind) {
    if (stepDepth_++ > 0) return;
    openStep_.emplace();
    openStep_->kind = kind;
    openStep_->caretBefore = CaretNow();
    openStepEdits_ = false;
}

void TabDocument::MarkTypingStep() {
    if (openStep_) openStep_->typing = true;
}

void TabDocument::EndStep() {
    if (stepDepth_ == 0 || --stepDepth_ > 0) return;
    history::Step step = std::move(*openStep_);
    openStep_.reset();
    const bool edits = std::exchange(openStepEdits_, false);
    // A selection made or a caret moved is not a change of the document.
    if (!edits) {
        RefreshModifiedFlag();
        return;
    }
    step.caretAfter = CaretNow();
    step.bytes = sizeof(history::Step) + step.changes.capacity() * sizeof(Change);
    for (const Change& change : step.changes) step.bytes += history::PayloadBytes(change);

    // The digits of one fret typed into one cell are one step, for as long as the caret stays
    // in that cell and the state before them is not the saved one.
    history::Step* top = history_.Top();
    if (step.typing && top != nullptr && top->typing && !history_.CanRedo() &&
        !history_.AtCleanState() && SameCaret(top->caretAfter, step.caretBefore) &&
        step.changes.size() == 1 && !top->changes.empty()) {
        auto* added = std::get_if<history::NoteStored>(&step.changes.front());
        auto* last = std::get_if<history::NoteStored>(&top->changes.back());
        if (added != nullptr && last != nullptr && added->item == last->item &&
            added->index == last->index && last->after && added->before) {
            last->after = added->after;
            top->caretAfter = step.caretAfter;
            RefreshModifiedFlag();
            return;
        }
    }
    step.id = history_.NextId();
    history_.Push(std::move(step));
    RefreshModifiedFlag();
}

void TabDocument::Record(Change change) {
    if (!openStep_) return;  // operations open their own step; never reached
    if (!IsSelectionChange(change)) openStepEdits_ = true;
    openStep_->changes.push_back(std::move(change));
}

history::CaretState TabDocument::CaretNow() const {
    if (!cursor_) return {};
    return {cursor_->tabItem, cursor_->current, cursor_->previous};
}

void TabDocument::RestoreCaret(const history::CaretState& caret) {
    if (!cursor_ || caret.tabItem == nullptr) return;
    cursor_->tabItem = caret.tabItem;
    cursor_->current = caret.current;
    cursor_->previous = caret.previous;
}

void TabDocument::RefreshModifiedFlag() {
    StoreModifiedFlag(forcedModified_ || !history_.AtCleanState() || openStepEdits_);
}

void TabDocument::SetModifiedFlag(bool modified) {
    if (modified) {
        forcedModified_ = true;
    } else {
        forcedModified_ = false;
        history_.MarkClean();
    }
    RefreshModifiedFlag();
}

// While a step is open, what it will be once closed: the views hear of a change from inside
// the step, and the menus they update must already offer to undo it.
bool TabDocument::CanUndo() const { return openStepEdits_ || history_.CanUndo(); }
bool TabDocument::CanRedo() const { return !openStepEdits_ && history_.CanRedo(); }
std::int32_t TabDocument::UndoKind() const {
    if (openStepEdits_) return openStep_->kind;
    return history_.CanUndo() ? history_.UndoKind() : 0;
}
std::int32_t TabDocument::RedoKind() const { return CanRedo() ? history_.RedoKind() : 0; }

void TabDocument::ClearHistory() {
    history_.Clear();
    forcedModified_ = false;
    RefreshModifiedFlag();
}

bool TabDocument::Undo() {
    if (stepDepth_ > 0) return false;
    history::Step* step = history_.TakeUndo();
    if (step == nullptr) return false;
    for (auto change = step->changes.rbegin(); change != step->changes.rend(); ++change) {
        Replay(*change, false);
    }
    RestoreCaret(step->caretBefore);
    FinishReplay();
    return true;
}

bool TabDocument::Redo() {
    if (stepDepth_ > 0) return false;
    history::Step* step = history_.TakeRedo();
    if (step == nullptr) return false;
    for (Change& change : step->changes) Replay(change, true);
    RestoreCaret(step->caretAfter);
    FinishReplay();
    return true;
}

void TabDocument::FinishReplay() {
    LayoutNothingMoved();
    RefreshModifiedFlag();
    UpdateAllItems();
    UpdateAllViews();
}

void TabDocument::Replay(Change& change, bool forward) {
    std::visit(
        [&](auto& value) {
            using T = std::decay_t<decltype(value)>;
            if constexpr (std::is_same_v<T, history::NoteStored>) {
                auto& notes = value.item->notes;
                const auto& from = forward ? value.before : value.after;
                const auto& to = forward ? value.after : value.before;
                const auto at = notes.begin() + value.index;
                if (from && to) {
                    *at = *to;
                } else if (to) {
                    notes.insert(at, *to);
                } else {
                    notes.erase(at);
                }
                LayoutItemEdited(value.item);
            } else if constexpr (std::is_same_v<T, history::NotesReplaced>) {
                value.item->notes = forward ? value.after : value.before;
                LayoutItemEdited(value.item);
            } else if constexpr (std::is_same_v<T, history::ItemsChanged>) {
                if (value.removed == forward) {
                    TakeItems(value.items);
                } else {
                    PutItems(value.items);
                }
            } else if constexpr (std::is_same_v<T, history::OrderChanged>) {
                PlaceStretch(value.from, forward ? value.after : value.before);
            } else if constexpr (std::is_same_v<T, std::unique_ptr<history::SelectionReplaced>>) {
                const history::SelectionState& state = forward ? value->after : value->before;
                selection_ = state.items;
                copied_ = state.copied;
            } else if constexpr (std::is_same_v<T, std::unique_ptr<history::SettingsReplaced>>) {
                settings_->CopyFrom(forward ? value->after : value->before);
                DiscardLayout();
            } else if constexpr (std::is_same_v<T, std::unique_ptr<history::PlaybackReplaced>>) {
                playback_ = forward ? value->after : value->before;
            } else {
                SwapContent(*value);
            }
        },
        change);
}

// ---- items ---------------------------------------------------------------------------------

void TabDocument::TakeItems(std::vector<HeldItem>& items) {
    if (items.empty()) return;
    // One pass over the list, whatever the number of items taken.
    std::vector<std::unique_ptr<Tablature>> kept;
    kept.reserve(tabItems_.size() - std::min(tabItems_.size(), items.size()));
    std::unordered_set<const Tablature*> taken;
    for (const HeldItem& held : items) taken.insert(held.item);
    auto next = items.begin();
    for (auto& item : tabItems_) {
        if (taken.contains(item.get())) {
            while (next != items.end() && next->item != item.get()) ++next;
            if (next == items.end())
                next = std::find_if(items.begin(), items.end(),
                                    [&](auto& h) { return h.item == item.get(); });
            next->held = std::move(item);
            ++next;
        } else {
            kept.push_back(std::move(item));
        }
    }
    tabItems_ = std::move(kept);
    const std::vector<std::int32_t> positions = HeldPositions(items);
    for (auto& item : tabItems_) {
        const auto below = std::lower_bound(positions.begin(), positions.end(), item->position) -
                           positions.begin();
        item->position -= static_cast<std::int32_t>(below);
    }
    std::erase_if(selection_, [&](const Tablature* item) { return taken.contains(item); });
    ForEachRun(positions, true, [&](std::int32_t index, std::int32_t count) {
        ItemsReplaced(positions[static_cast<std::size_t>(index)], count, {});
    });
    positionIndex_.Invalidate();
}

void TabDocument::PutItems(std::vector<HeldItem>& items) {
    if (items.empty()) return;
    const std::vector<std::int32_t> positions = HeldPositions(items);
    // The k-th held position, less k, is the first position of the items still here that it
    // pushes on.
    std::vector<std::int32_t> pushes(positions.size());
    for (std::size_t k = 0; k < positions.size(); ++k) {
        pushes[k] = positions[k] - static_cast<std::int32_t>(k);
    }
    for (auto& item : tabItems_) {
        const auto pushed =
            std::upper_bound(pushes.begin(), pushes.end(), item->position) - pushes.begin();
        item->position += static_cast<std::int32_t>(pushed);
    }
    std::vector<std::unique_ptr<Tablature>> merged;
    merged.reserve(tabItems_.size() + items.size());
    auto next = items.begin();
    auto rest = tabItems_.begin();
    while (next != items.end() || rest != tabItems_.end()) {
        if (next != items.end() && (next->listIndex <= merged.size() || rest == tabItems_.end())) {
            next->held->position = next->position;
            merged.push_back(std::move(next->held));
            ++next;
        } else {
            merged.push_back(std::move(*rest));
            ++rest;
        }
    }
    tabItems_ = std::move(merged);
    positionIndex_.Invalidate();
    std::vector<Tablature*> byPosition;
    byPosition.reserve(items.size());
    for (const HeldItem& held : items) byPosition.push_back(held.item);
    std::sort(byPosition.begin(), byPosition.end(),
              [](const Tablature* a, const Tablature* b) { return a->position < b->position; });
    ForEachRun(positions, false, [&](std::int32_t index, std::int32_t count) {
        ItemsReplaced(positions[static_cast<std::size_t>(index)], 0,
                      std::span<Tablature* const>(byPosition.data() + index,
                                                  static_cast<std::size_t>(count)));
    });
}

Tablature* TabDocument::InsertTabItemAt(std::int32_t position) {
    Step scope(*this, history::step_kind::kUnnamed);
    if (static_cast<std::size_t>(position) < tabItems_.size()) {
        for (auto& item : tabItems_) {
            if (item->position >= position && item->position < kInt32Max) ++item->position;
        }
    }
    auto item = std::make_unique<Tablature>(settings_.get());
    item->position = position;
    tabItems_.push_back(std::move(item));
    Tablature* inserted = tabItems_.back().get();
    history::ItemsChanged change;
    change.items.push_back({tabItems_.size() - 1, position, inserted, nullptr});
    Record(std::move(change));
    ItemsReplaced(position, 0, std::span<Tablature* const>(&inserted, 1));
    return inserted;
}

void TabDocument::AddTabItemAndFocus() {
    Step scope(*this, history::step_kind::kUnnamed);
    cursor_->tabItem = InsertTabItemAt(static_cast<std::int32_t>(tabItems_.size()));
    UpdateStepAsDescribed();
}

void TabDocument::RemoveTabItems(const std::vector<Tablature*>& items) {
    const std::unordered_set<const Tablature*> removing(items.begin(), items.end());
    history::ItemsChanged change;
    change.removed = true;
    for (std::size_t i = 0; i < tabItems_.size(); ++i) {
        Tablature* item = tabItems_[i].get();
        if (removing.contains(item)) change.items.push_back({i, item->position, item, nullptr});
    }
    if (change.items.empty()) return;
    Step scope(*this, history::step_kind::kUnnamed);
    SetSelection({}, 0);
    TakeItems(change.items);
    Record(std::move(change));
}

void TabDocument::ReorderTabItems(std::int32_t from, std::vector<Tablature*> order) {
    history::OrderChanged change;
    change.from = from;
    change.before.reserve(order.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        change.before.push_back(ItemAtPosition(from + static_cast<std::int32_t>(i)));
    }
    if (change.before == order) return;
    Step scope(*this, history::step_kind::kUnnamed);
    PlaceStretch(from, order);
    change.after = std::move(order);
    Record(std::move(change));
}

void TabDocument::PlaceStretch(std::int32_t from, const std::vector<Tablature*>& order) {
    for (std::size_t i = 0; i < order.size(); ++i) {
        order[i]->position = from + static_cast<std::int32_t>(i);
    }
    ItemsReplaced(from, static_cast<std::int32_t>(order.size()), order);
}

// ---- notes ---------------------------------------------------------------------------------

void TabDocument::SetNote(Tablature& item, const TabNote& note) {
    Step scope(*this, history::step_kind::kUnnamed);
    if (TabNote* existing = item.FindNote(note.column, note.string)) {
        TabNote stored = *existing;
        stored.fret = note.fret;
        stored.reserved = note.reserved;
        stored.action = note.action;
        if (stored == *existing) return;
        Record(history::NoteStored{&item, static_cast<std::int32_t>(existing - item.notes.data()),
                                   *existing, stored});
        *existing = stored;
    } else if (note.action != NoNote) {
        Record(history::NoteStored{&item, item.NoteCount(), std::nullopt, note});
        item.notes.push_back(note);
    } else {
        return;
    }
    LayoutItemEdited(&item);
}

void TabDocument::DeleteNote(Tablature& item, std::int32_t index) {
    if (index < 0 || index >= item.NoteCount()) return;
    Step scope(*this, history::step_kind::kUnnamed);
    const auto at = item.notes.begin() + index;
    Record(history::NoteStored{&item, index, *at, std::nullopt});
    item.notes.erase(at);
    LayoutItemEdited(&item);
}

void TabDocument::ReplaceNotes(Tablature& item, std::vector<TabNote> notes) {
    if (notes == item.notes) return;
    Step scope(*this, history::step_kind::kUnnamed);
    Record(history::NotesReplaced{&item, item.notes, notes});
    item.notes = std::move(notes);
    LayoutItemEdited(&item);
}

// ---- settings, selection, content ----------------------------------------------------------

void TabDocument::ReplaceSettings(const TabSettings& values) {
    if (values == *settings_) return;
    Step scope(*this, history::step_kind::kUnnamed);
    Record(
        std::make_unique<history::SettingsReplaced>(history::SettingsReplaced{*settings_, values}));
    settings_->CopyFrom(values);
    DiscardLayout();
}

void TabDocument::SetPlayback(const PlaybackSettings& values) {
    Step scope(*this, history::step_kind::kUnnamed);
    if (!(values == playback_)) {
        Record(std::make_unique<history::PlaybackReplaced>(
            history::PlaybackReplaced{playback_, values}));
        playback_ = values;
    }
    UpdateStep();
}

void TabDocument::SetSelection(std::vector<Tablature*> items, std::int32_t copiedFlag) {
    if (items == selection_ && copiedFlag == copied_) return;
    // Outside a step a selection is not remembered: only the steps put one back.
    if (openStep_) {
        Record(std::make_unique<history::SelectionReplaced>(
            history::SelectionReplaced{{selection_, copied_}, {items, copiedFlag}}));
    }
    selection_ = std::move(items);
    copied_ = copiedFlag;
}

void TabDocument::ReplaceContent(const TabSettings& values,
                                 std::vector<std::unique_ptr<Tablature>> items) {
    if (items.empty()) return;
    Step scope(*this, history::step_kind::kUnnamed);
    SetSelection({}, 0);
    auto held = std::make_unique<history::ContentReplaced>();
    held->items = std::move(items);
    held->settings = values;
    held->path.clear();
    SwapContent(*held);
    Record(std::move(held));
    Tablature* first = tabItems_.front().get();
    cursor_->tabItem = first;
    cursor_->current.string = 0;
    cursor_->current.column = 0;
    cursor_->previous = cursor_->current;
    if (const TabNote* note = first->FindNote(0, 0)) {
        cursor_->LoadNote(note->fret, note->action);
        cursor_->current.reserved = note->reserved;
    } else {
        cursor_->ResetNotes();
    }
}

void TabDocument::SwapContent(history::ContentReplaced& other) {
    std::swap(tabItems_, other.items);
    std::swap(*settings_, other.settings);
    std::swap(playback_, other.playback);
    std::string path = GetPathName();
    SetPathName(other.path);
    other.path = std::move(path);
    selection_.clear();
    ++contentsGeneration_;
    InvalidatePositionIndex();
}

}  // namespace lutaris
