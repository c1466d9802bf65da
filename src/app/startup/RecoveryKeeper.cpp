// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "app/startup/RecoveryKeeper.h"

#include <QSettings>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "model/TabDocument.h"
#include "platform/files/DocumentFile.h"
#include "platform/files/SafeFileReplacer.h"
#include "platform/recovery/RecoveryStore.h"
#include "platform/recovery/RecoveryWriter.h"

namespace lutaris {

RecoveryKeeper::RecoveryKeeper(TabDocument& document, RecoveryStore& store, RecoveryWriter& writer)
    : document_(document), store_(store), writer_(writer), id_(store.NewId()) {
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &RecoveryKeeper::OnTimer);
    document_.AddView(this);
}

RecoveryKeeper::~RecoveryKeeper() { document_.RemoveView(this); }

std::chrono::milliseconds RecoveryKeeper::IntervalFromSettings() {
    bool ok = false;
    const int seconds = QSettings().value(QStringLiteral("Settings/RecoveryInterval")).toInt(&ok);
    if (!ok || seconds < 1) return kDefaultInterval;
    return std::chrono::seconds(std::min(seconds, 24 * 60 * 60));
}

void RecoveryKeeper::OnDocumentUpdated() {
    if (!document_.IsModified()) {
        Check();
        return;
    }
    if (timer_.isActive()) return;
    using namespace std::chrono;
    milliseconds delay = std::min(kFirstDelay, interval_);
    if (lastWrite_) {
        const auto since = duration_cast<milliseconds>(steady_clock::now() - *lastWrite_);
        delay = std::max(milliseconds(0), interval_ - since);
    }
    timer_.start(delay);
    PrepareMemory();
}

void RecoveryKeeper::PrepareMemory() {
    {
        const std::lock_guard lock(spare_->mutex);
        if (spare_->bytes.capacity() > 0 || spare_->coming) return;
        spare_->coming = true;
    }
    const std::size_t size = document_.ContentsSize();
    writer_.Post({}, [spare = spare_, room = size + size / 8] {
        std::vector<std::uint8_t> bytes;
        try {
            bytes.resize(room);  // zeroing touches every page
        } catch (const std::bad_alloc&) {
            bytes = {};  // the copy will find its own memory, or report that it found none
        }
        bytes.clear();
        const std::lock_guard lock(spare->mutex);
        spare->coming = false;
        if (spare->bytes.capacity() < bytes.capacity()) spare->bytes = std::move(bytes);
    });
}

void RecoveryKeeper::Check() {
    if (document_.IsModified()) return;
    timer_.stop();
    lastWrite_.reset();  // the next change is copied soon again
    if (hasCopy_) Discard();
}

void RecoveryKeeper::OnTimer() {
    if (document_.IsModified()) {
        WriteNow();
    } else {
        Check();
    }
}

void RecoveryKeeper::WriteNow() {
    timer_.stop();
    lastWrite_ = std::chrono::steady_clock::now();
    RecoveryInfo info;
    info.owner = store_.Self();
    info.savedAt = std::chrono::duration_cast<std::chrono::seconds>(
                       std::chrono::system_clock::now().time_since_epoch())
                       .count();
    // A path given on the command line is relative to where the editor started; the program
    // that recovers the copy may start elsewhere.
    info.originalPath = document_.GetPathName();
    if (!info.originalPath.empty()) {
        std::error_code error;
        const std::filesystem::path absolute = std::filesystem::absolute(info.originalPath, error);
        if (!error) info.originalPath = absolute.lexically_normal().string();
    }
    info.title = document_.GetTitle();
    std::vector<std::uint8_t> contents;
    {
        // This copy's memory comes back once it is on disk.
        const std::lock_guard lock(spare_->mutex);
        contents = std::move(spare_->bytes);
        spare_->coming = true;
    }
    std::vector<std::uint8_t> playback;
    try {
        contents = document_.ContentsBytes(std::move(contents));
        playback = document_.PlaybackBytes();
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "lutaris: no memory for a recovery copy\n");
        const std::lock_guard lock(spare_->mutex);
        spare_->coming = false;
        return;
    }
    hasCopy_ = true;
    // The bytes are the document's state now; the compound file around them and the disk are
    // the writer's work.
    writer_.Post(id_, [&store = store_, id = id_, contents = std::move(contents),
                       playback = std::move(playback), info = std::move(info),
                       spare = spare_]() mutable {
        try {
            store.Write(id, DocumentFileBytes(contents, playback), info);
        } catch (const std::exception& error) {
            std::fprintf(stderr, "lutaris: the recovery copy was not written: %s\n", error.what());
        }
        const std::lock_guard lock(spare->mutex);
        spare->bytes = std::move(contents);
        spare->coming = false;
    });
}

void RecoveryKeeper::Discard() {
    timer_.stop();
    hasCopy_ = false;
    writer_.Post(id_, [&store = store_, id = id_] { store.Remove(id); });
    // A saved document needs no memory for copies until it changes again; this runs after
    // any copy still being written has handed its memory back.
    writer_.Post({}, [spare = spare_] {
        const std::lock_guard lock(spare->mutex);
        spare->bytes = {};
        spare->coming = false;  // also when the removal replaced a copy not yet written
    });
}

}  // namespace lutaris
