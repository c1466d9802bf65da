// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "model/TabDocument.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>
#include <utility>

#include "model/TabCursor.h"
#include "platform/files/Archive.h"
#include "platform/files/DocumentFile.h"
#include "platform/prompt/Prompter.h"

namespace lutaris {
namespace {

constexpr std::size_t kContentsHeaderBytes = 47;
constexpr std::size_t kItemRecordBytes = 88;
constexpr std::size_t kNoteRecordBytes = 20;
constexpr std::int32_t kInt32Max = std::numeric_limits<std::int32_t>::max();

}  // namespace

TabDocument::TabDocument(Prompter& prompter) : DocumentBase(prompter) {}

TabDocument::~TabDocument() {
    selection_.clear();
    tabItems_.clear();
}

// ---- life cycle ----------------------------------------------------------------------------

void TabDocument::ResetContents() {
    ++contentsGeneration_;
    settings_ = std::make_unique<TabSettings>();
    settings_->LoadDefaults();
    cursor_ = std::make_unique<TabCursor>(settings_.get());
    playback_ = PlaybackSettings{};
    playbackNotice_.clear();
    ClearTabItems();
    cursor_->tabItem = AppendTabItem(0);
    forcedModified_ = false;
    history_.Clear();
    UpdateStep();
}

bool TabDocument::OnNewDocument() {
    if (!DocumentBase::OnNewDocument()) return false;
    ResetContents();
    return true;
}

bool TabDocument::OnOpenDocument(const std::string& path) {
    // The file is read whole into a document of its own first: whatever goes wrong on the way
    // (not a Lutaris file, cut short, unreadable), the open document, its path, its modified
    // flag and what was done to it stay exactly as they were.
    TabDocument opened(GetPrompter());
    const bool read = opened.ReadDocument(path);
    lastLoadFailure_ = opened.lastLoadFailure_;
    if (!read) return false;
    TakeContentsOf(opened);
    SetPathName(path);
    SetModifiedFlag(false);
    UpdateAllItems();
    UpdateAllViews();
    return true;
}

bool TabDocument::ReadDocument(const std::string& path) {
    lastLoadFailure_.reset();
    ResetContents();
    DocumentContents contents;
    SideStream playbackStream;
    try {
        contents = ReadDocumentFile(path, playbackStream);
    } catch (const DocumentReadError&) {
        ReportLoadFailure(LoadFailure::OpenFailed);
        return false;
    } catch (const std::bad_alloc&) {
        ReportLoadFailure(LoadFailure::OpenFailed);
        return false;
    }
    if (!ReadPreparedContents(contents.Bytes())) return false;
    ReadPlaybackStream(playbackStream);
    return true;
}

void TabDocument::TakeContentsOf(TabDocument& other) {
    // The history points into the items that leave: an opened file starts a history of its own.
    openStep_.reset();
    stepDepth_ = 0;
    openStepEdits_ = false;
    history_.Clear();
    std::swap(settings_, other.settings_);
    std::swap(tabItems_, other.tabItems_);
    std::swap(selection_, other.selection_);
    std::swap(cursor_, other.cursor_);
    std::swap(playback_, other.playback_);
    std::swap(playbackNotice_, other.playbackNotice_);
    ++contentsGeneration_;
    InvalidatePositionIndex();
}

bool TabDocument::OpenContents(std::span<const std::uint8_t> contents,
                               const std::optional<std::vector<std::uint8_t>>& playbackStream) {
    lastLoadFailure_.reset();
    ResetContents();
    if (!ReadPreparedContents(contents)) return false;
    ReadPlaybackStream(playbackStream);
    SetModifiedFlag(false);
    UpdateAllItems();
    UpdateAllViews();
    return true;
}

bool TabDocument::ReadPreparedContents(std::span<const std::uint8_t> contents) {
    // The document counts as modified while it is being read, so that a load that breaks off
    // never passes for an untouched document.
    SetModifiedFlag(true);
    if (!LoadContents(contents)) {
        // Whatever the load left behind is not this file's content: start afresh, untitled, as
        // after File > New, so that a save can never overwrite the file with a part of it.
        OnNewDocument();
        return false;
    }
    return true;
}

bool TabDocument::LoadContents(std::span<const std::uint8_t> contents) {
    // An empty or missing stream leaves the prepared document: default settings, one empty
    // tab item.
    if (contents.empty()) return true;
    try {
        Archive archive(contents);
        Serialize(archive);
        return true;
    } catch (const DocumentRejectedError&) {
        lastLoadFailure_ = LoadFailure::NotLutarisFile;  // already told
    } catch (const ArchiveEndOfFile&) {
        ReportLoadFailure(LoadFailure::UnexpectedFormat);
    } catch (const std::bad_alloc&) {
        ReportLoadFailure(LoadFailure::OpenFailed);
    }
    return false;
}

bool TabDocument::OnSaveDocument(const std::string& path) {
    if (!WriteCopy(path)) return false;
    SetModifiedFlag(false);
    return true;
}

bool TabDocument::WriteCopy(const std::string& path) {
    try {
        WriteDocumentFile(path, ContentsBytes(), PlaybackBytes());
        return true;
    } catch (const DocumentWriteError&) {
    } catch (const std::bad_alloc&) {
    }
    ReportMessage(document_messages::kFailedToSave);
    return false;
}

void TabDocument::ReportLoadFailure(LoadFailure failure) {
    lastLoadFailure_ = failure;
    ReportMessage(LoadFailureText(failure));
}

void TabDocument::ReportMessage(const std::string& text) {
    GetPrompter().ShowMessage(text, kCaption, MessageIcon::Exclamation, MessageButtons::Ok);
}

void TabDocument::ReadPlaybackStream(const std::optional<std::vector<std::uint8_t>>& stream) {
    if (!stream) return;
    // Nothing else of the file depends on this stream: a damaged one costs only its values.
    if (auto read = PlaybackSettings::Decode(*stream)) {
        playback_ = std::move(*read);
    } else {
        playbackNotice_ = kPlaybackUnreadable;
    }
}

std::string TabDocument::TakePlaybackNotice() { return std::exchange(playbackNotice_, {}); }

// ---- file format ---------------------------------------------------------------------------

void TabDocument::Serialize(Archive& archive) {
    if (archive.IsStoring()) {
        archive.WriteRaw(kMagic.data(), kMagic.size());
        settings_->Serialize(archive);
        archive.WriteInt32(static_cast<std::int32_t>(tabItems_.size()));
        for (auto& item : tabItems_) item->Serialize(archive);
        return;
    }
    ClearTabItems();
    try {
        char magic[kMagic.size()] = {};
        const std::size_t read = archive.ReadRaw(magic, sizeof magic);
        if (read != kMagic.size() || std::memcmp(magic, kMagic.data(), kMagic.size()) != 0) {
            GetPrompter().ShowMessage(document_messages::kNotLutarisFile,
                                      document_messages::kNotLutarisFileCaption, MessageIcon::Error,
                                      MessageButtons::Ok);
            throw DocumentRejectedError();
        }
        // Settings and caret are replaced together before the fields are read, so that a
        // stream that ends among the settings leaves no caret on a deleted record.
        settings_ = std::make_unique<TabSettings>();
        settings_->LoadDefaults();
        cursor_ = std::make_unique<TabCursor>(settings_.get());
        settings_->Serialize(archive);
        LoadItems(archive);
    } catch (...) {
        RepairAfterLoad();
        throw;
    }
    RepairAfterLoad();
    // The caret starts on the first stored item, whatever its position, showing the note at
    // its cell.
    if (const TabNote* note = cursor_->FindNote(cursor_->current.column, cursor_->current.string)) {
        cursor_->current.fret = note->fret;
        cursor_->current.reserved = note->reserved;
        cursor_->current.action = note->action;
    }
}

void TabDocument::LoadItems(Archive& archive) {
    // The count comes from the file: items are read one at a time and never reserved by it, so
    // a count that lies about the stream ends in the end-of-file error, not in a huge
    // allocation. Each item consumes at least eight bytes, so the loop ends with the stream.
    const std::int32_t count = archive.ReadInt32();
    for (std::int32_t i = 0; i < count; ++i) {
        auto item = std::make_unique<Tablature>(settings_.get());
        item->Serialize(archive);
        tabItems_.push_back(std::move(item));
    }
    InvalidatePositionIndex();
}

void TabDocument::RepairAfterLoad() {
    // A file is free to hold no item at all, or positions with gaps and repeats; the view and
    // the commands need at least one item and the positions 0 … n − 1.
    if (tabItems_.empty()) AppendTabItem(0);
    if (!PositionIndex::IsPermutation(tabItems_)) {
        std::int32_t position = 0;
        for (auto& item : tabItems_) item->position = position++;
    }
    InvalidatePositionIndex();
    if (!cursor_) cursor_ = std::make_unique<TabCursor>(settings_.get());
    cursor_->tabItem = tabItems_.front().get();
}

std::size_t TabDocument::ContentsSize() const {
    std::size_t size = kContentsHeaderBytes;
    for (const auto& item : tabItems_) {
        size += kItemRecordBytes + kNoteRecordBytes * item->notes.size();
    }
    return size;
}

std::vector<std::uint8_t> TabDocument::ContentsBytes(std::vector<std::uint8_t> reuse) {
    const std::size_t size = ContentsSize();
    // Memory kept for the next copy gets room to grow, or every note typed in between would
    // cost a whole fresh buffer again.
    const std::size_t room =
        reuse.capacity() >= size || reuse.capacity() == 0 ? size : size + size / 8;
    Archive archive;
    archive.ReuseStore(std::move(reuse));
    archive.ReserveStore(room);
    Serialize(archive);
    return archive.TakeStoredBytes();
}

std::vector<std::uint8_t> TabDocument::PlaybackBytes() const {
    return playback_.Encode(settings_->numberOfStrings);
}

std::vector<std::uint8_t> TabDocument::StorageBytes() {
    return DocumentFileBytes(ContentsBytes(), PlaybackBytes());
}

// ---- tab items -----------------------------------------------------------------------------

Tablature* TabDocument::ItemAtPosition(std::int32_t position) const {
    return positionIndex_.Find(tabItems_, position);
}

Tablature* TabDocument::AppendTabItem(std::int32_t position) {
    auto item = std::make_unique<Tablature>(settings_.get());
    item->position = position;
    tabItems_.push_back(std::move(item));
    InvalidatePositionIndex();
    history_.Clear();
    return tabItems_.back().get();
}

void TabDocument::ClearTabItems() {
    // The history points into the items: it goes first.
    openStep_.reset();
    stepDepth_ = 0;
    history_.Clear();
    selection_.clear();
    tabItems_.clear();
    InvalidatePositionIndex();
}

void TabDocument::InvalidatePositionIndex() {
    positionIndex_.Invalidate();
    DiscardLayout();
}

void TabDocument::ItemsReplaced(std::int32_t position, std::int32_t removed,
                                std::span<Tablature* const> inserted) {
    positionIndex_.Invalidate();
    LayoutItemsReplaced(position, removed, inserted);
}

void TabDocument::UpdateStep() {
    DiscardLayout();
    RefreshModifiedFlag();
    UpdateAllItems();
    UpdateAllViews();
}

void TabDocument::UpdateStepAfterEditing(const Tablature* edited) {
    LayoutItemEdited(edited);
    UpdateStepAsDescribed();
}

void TabDocument::UpdateStepAsDescribed() {
    LayoutNothingMoved();
    RefreshModifiedFlag();
    UpdateAllItems();
    UpdateAllViews();
}

}  // namespace lutaris
