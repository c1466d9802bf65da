// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "model/DocumentHistory.h"
#include "model/DocumentMessages.h"
#include "model/PlaybackSettings.h"
#include "model/PositionIndex.h"
#include "model/TabSettings.h"
#include "model/Tablature.h"
#include "platform/document/DocumentBase.h"

namespace lutaris {

class Archive;
class Clipboard;
class Prompter;
class TabCursor;

// Thrown by a load whose stream does not start with the magic text. The person has already
// been told ("This is not a Lutaris file"); whoever catches it only has to fail quietly.
class DocumentRejectedError : public std::runtime_error {
public:
    DocumentRejectedError() : std::runtime_error(document_messages::kNotLutarisFile) {}
};

// The tablature document: one settings record, the tab items (list order is creation or load
// order; reading order is each item's `position`), the view's selection, the `copied` flag and
// the caret. The document owns all of them.
//
// Outside a load in progress it keeps these invariants: the positions are exactly 0 … n − 1,
// there is at least one tab item, the caret's tabItem is one of them, and every selected item
// is in tabItems. Everything else reads the content through the read-only members below and
// changes it only through the operations of this class, which keep the invariants, tell the
// view's layout what moved, and record what they changed so that Undo can take it back.
//
// Operations recorded between BeginStep and EndStep (or inside a `Step` scope) are one step of
// the history; an operation outside any step is a step of its own. Moving the caret alone is
// not a change.
class TabDocument : public DocumentBase {
public:
    // The first 11 bytes of every "Contents" stream; no version but this one is read.
    static constexpr std::string_view kMagic = "Lutaris_0.2";

    explicit TabDocument(Prompter& prompter);
    ~TabDocument() override;

    // Read access under the document's own names. The caret itself is not content: the view
    // moves it freely.
    const std::unique_ptr<TabSettings>& settings = settings_;
    const std::vector<std::unique_ptr<Tablature>>& tabItems = tabItems_;
    const std::vector<Tablature*>& selection = selection_;  // every entry is also in tabItems
    const std::int32_t& copied = copied_;
    const std::unique_ptr<TabCursor>& cursor = cursor_;
    // Tuning, tempo and instrument; saved beside "Contents" when not the defaults.
    const PlaybackSettings& playback = playback_;
    // The notes of the items the last Cut removed, in reading order, for Paste. Like the
    // clipboard, not content: Undo leaves it alone, and Copy empties it.
    const std::vector<std::vector<TabNote>>& cutNotes = cutNotes_;

    // Life cycle and file format.
    bool OnNewDocument() override;
    // On failure the person has been told why, and the document is left exactly as it was:
    // its contents, path and modified flag.
    bool OnOpenDocument(const std::string& path) override;
    // Reads a "Contents" stream as opening a file does, for an object whose storage a
    // container holds: the path is left as it was and the document is not modified after. On
    // failure the person has been told why and the document is a new one, as after File > New.
    // `playback` is the storage's "Playback" stream, if it has one.
    bool OpenContents(std::span<const std::uint8_t> contents,
                      const std::optional<std::vector<std::uint8_t>>& playback = std::nullopt);
    // Why the last open or OpenContents failed; nothing after one that worked.
    std::optional<LoadFailure> LastLoadFailure() const { return lastLoadFailure_; }
    // Crash-safe: a failed save leaves the file on disk as it was and the document modified.
    bool OnSaveDocument(const std::string& path) override;
    // Writes the document to `path` as a save does, but leaves its path and modified flag as
    // they are (Save Copy As). On failure the person has been told why.
    bool WriteCopy(const std::string& path);
    // Loading throws ArchiveEndOfFile for a stream cut short and DocumentRejectedError for a
    // wrong magic text; either way the document is left consistent (at least one item, the
    // caret on one of them).
    void Serialize(Archive& archive);
    // The "Contents" stream of the document as it stands (what a save writes), built in
    // `reuse`'s memory when given.
    std::vector<std::uint8_t> ContentsBytes(std::vector<std::uint8_t> reuse = {});
    // The length of ContentsBytes, without building them.
    std::size_t ContentsSize() const;
    // The "Playback" stream of the document as it stands: empty when the playback settings are
    // the defaults for its string count, and then no such stream is saved.
    std::vector<std::uint8_t> PlaybackBytes() const;
    // The whole document file as a save writes it (what an embedded object's storage holds).
    std::vector<std::uint8_t> StorageBytes();

    // Once after an open whose playback stream could not be read (the document then has the
    // defaults and all else the file holds): the text to show the person; empty otherwise.
    std::string TakePlaybackNotice();
    static constexpr const char* kPlaybackUnreadable =
        "The playback settings of this file could not be read; the default tuning, tempo and "
        "instrument are used.";

    // The item whose position is `position` (first in list order), or null. Constant time.
    Tablature* ItemAtPosition(std::int32_t position) const;
    // Also makes the view lay every item out afresh at its next paint.
    void InvalidatePositionIndex();
    // Says how the reading order changed: the items that stood at positions [position,
    // position + removed) gave way to `inserted` (in their reading order), and the items after
    // them moved along. The position index is rebuilt when next asked, and the view's layout
    // follows the change instead of laying every item out again.
    void ItemsReplaced(std::int32_t position, std::int32_t removed,
                       std::span<Tablature* const> inserted);

    // A new empty tab item with the position given, appended at the end of tabItems: for
    // building a document (loads, tools, tests), not editing it. Nothing moves to make room,
    // and the history is forgotten, since Undo could not take the item back in order.
    Tablature* AppendTabItem(std::int32_t position);
    // Deletes every tab item, empties the selection and forgets the history: a load's first
    // step. Leaves the caret's tabItem dangling: the caller points it at an item it adds.
    void ClearTabItems();
    // A new empty tab item at the reading position `position`, appended at the end of tabItems;
    // the items from that position on move one place on (at the end, n, none does).
    Tablature* InsertTabItemAt(std::int32_t position);
    // Appends an item at the next free position and puts the caret on it (column and note
    // untouched), then runs the update step.
    void AddTabItemAndFocus();
    // Removes the items (each at most once) and closes up the positions behind them; the
    // selection is emptied. The caller puts the caret on an item that stays.
    void RemoveTabItems(const std::vector<Tablature*>& items);
    // Gives the items of `order` the positions from `from` on, in that order: `order` holds the
    // items that stand there now, rearranged.
    void ReorderTabItems(std::int32_t from, std::vector<Tablature*> order);

    // Stores `note` in its cell of `item`: over the first note there, or as a new note when
    // the cell is empty (a note without a mark, NoNote, is then not stored).
    void SetNote(Tablature& item, const TabNote& note);
    // Deletes the note at `index` of the item's notes.
    void DeleteNote(Tablature& item, std::int32_t index);
    // Replaces every note of the item (a column opened or closed, a pasted copy).
    void ReplaceNotes(Tablature& item, std::vector<TabNote> notes);

    void ReplaceSettings(const TabSettings& values);
    // Replaces the playback settings and runs the update step.
    void SetPlayback(const PlaybackSettings& values);
    void SetSelection(std::vector<Tablature*> items, std::int32_t copiedFlag);
    void SetCutNotes(std::vector<std::vector<TabNote>> notes) { cutNotes_ = std::move(notes); }
    // The whole content at once (an import): `items` were made on this document's settings
    // record; it takes `values`, the default playback settings and no path, and the caret goes
    // to the first cell of the item at position 0. One step: Undo gives all of it back.
    void ReplaceContent(const TabSettings& values, std::vector<std::unique_ptr<Tablature>> items);

    // The history.
    // `kind` names the step (history::step_kind); a step opened inside another joins it.
    void BeginStep(std::int32_t kind);
    void EndStep();
    class Step {
    public:
        Step(TabDocument& document, std::int32_t kind) : document_(document) {
            document_.BeginStep(kind);
        }
        ~Step() { document_.EndStep(); }
        Step(const Step&) = delete;
        Step& operator=(const Step&) = delete;

    private:
        TabDocument& document_;
    };
    // A step that typing the digits of one fret into one cell may join.
    void MarkTypingStep();
    bool CanUndo() const;
    bool CanRedo() const;
    // What the step Undo or Redo would take did (history::step_kind).
    std::int32_t UndoKind() const;
    std::int32_t RedoKind() const;
    // Take back or do again the last step: content, caret and selection as they were, then
    // the update step. False when there is nothing to take back (or a step is open).
    bool Undo();
    bool Redo();
    // Forgets every step; the content as it stands becomes the unmodified state.
    void ClearHistory();
    const history::DocumentHistory& History() const { return history_; }
    void SetHistoryCapBytes(std::size_t cap) { history_.SetCapBytes(cap); }

    // Set by hand it overrides the history until the next save (a load broken off, recovered
    // work); cleared, it makes the content as it stands the saved state.
    void SetModifiedFlag(bool modified = true) override;

    // Counts the resets: a view that sees it change shows other content (new, opened or
    // imported), not the same content edited.
    std::uint64_t ContentsGeneration() const { return contentsGeneration_; }

    // Update all server items, update all views; the modified flag follows the history. The
    // view lays every item out afresh: anything may have changed.
    void UpdateStep();
    // The update step after an edit of the notes of `edited` alone (null: of none), the
    // keystroke's: the view's next paint moves and draws from the layout the last one kept.
    void UpdateStepAfterEditing(const Tablature* edited);
    // The update step after changes that were all described through ItemsReplaced or the
    // layout hooks: the view's next paint follows them from the layout the last one kept.
    void UpdateStepAsDescribed();

    // Layout hooks, through which every change of what the view shows is described: what the
    // view keeps of its last paint must be dropped (anything may have changed), holds but for
    // the notes of `edited`, holds but for the items replaced at `position` (as ItemsReplaced
    // says), or holds as it is apart from what was described. A document without a view keeps
    // nothing and ignores them.
    virtual void DiscardLayout() {}
    virtual void LayoutItemEdited(const Tablature* edited) { (void)edited; }
    virtual void LayoutItemsReplaced(std::int32_t position, std::int32_t removed,
                                     std::span<Tablature* const> inserted) {
        (void)position, (void)removed, (void)inserted;
    }
    virtual void LayoutNothingMoved() {}

    // Clipboard commands use the clipboard set here (none: they do nothing with it).
    void SetClipboard(Clipboard* clipboard) { clipboard_ = clipboard; }
    Clipboard* GetClipboard() const { return clipboard_; }

private:
    // Reads the file at `path` into this document, which then holds it or, on failure, a
    // new document; path, modified flag and views are left to the caller.
    bool ReadDocument(const std::string& path);
    // Takes the items, settings, caret, selection and playback of `other`, which gets this
    // document's in exchange; the view shows other content after.
    void TakeContentsOf(TabDocument& other);
    void LoadItems(Archive& archive);
    // What new and open start from: settings from the settings file, a new caret on them and
    // one empty tab item at position 0 with the caret on it.
    void ResetContents();
    // Restores the invariants after a load, complete or not.
    void RepairAfterLoad();
    // Reads a "Contents" stream into the prepared document; reports a failure and returns
    // false.
    bool LoadContents(std::span<const std::uint8_t> contents);
    // LoadContents into a document that ResetContents prepared, made new again on failure.
    bool ReadPreparedContents(std::span<const std::uint8_t> contents);
    // Tells the person why the load failed and keeps the reason.
    void ReportLoadFailure(LoadFailure failure);
    void ReportMessage(const std::string& text);
    // Takes the playback settings of an opened file, or the defaults and the notice.
    void ReadPlaybackStream(const std::optional<std::vector<std::uint8_t>>& stream);

    // Keeps a change in the open step (an operation outside a step opened one).
    void Record(history::Change change);
    history::CaretState CaretNow() const;
    void RestoreCaret(const history::CaretState& caret);
    // The modified flag as the history and an open step with changes say.
    void RefreshModifiedFlag();
    // Item moves shared by operations and their replay.
    void PutItems(std::vector<history::HeldItem>& items);
    void TakeItems(std::vector<history::HeldItem>& items);
    void PlaceStretch(std::int32_t from, const std::vector<Tablature*>& order);
    void SwapContent(history::ContentReplaced& other);
    // Puts one change's state back: its `after` state when `forward`, else its `before`.
    void Replay(history::Change& change, bool forward);
    // Runs after Undo and Redo: what the update step does after an edit.
    void FinishReplay();

    std::unique_ptr<TabSettings> settings_;
    std::vector<std::unique_ptr<Tablature>> tabItems_;
    std::vector<Tablature*> selection_;
    std::int32_t copied_ = 0;
    std::unique_ptr<TabCursor> cursor_;
    PlaybackSettings playback_;
    std::vector<std::vector<TabNote>> cutNotes_;

    Clipboard* clipboard_ = nullptr;
    mutable PositionIndex positionIndex_;
    std::uint64_t contentsGeneration_ = 0;
    std::optional<LoadFailure> lastLoadFailure_;
    std::string playbackNotice_;

    history::DocumentHistory history_;
    std::optional<history::Step> openStep_;
    int stepDepth_ = 0;
    // The open step changed content, not only the selection.
    bool openStepEdits_ = false;
    bool forcedModified_ = false;
};

}  // namespace lutaris
