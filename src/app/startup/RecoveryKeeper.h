// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <QObject>
#include <QTimer>
#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/document/DocumentBase.h"

namespace lutaris {

class RecoveryStore;
class RecoveryWriter;
class TabDocument;

// Keeps a recovery copy of a stand-alone document while it has unsaved changes: the first soon
// after a change, then at most once an interval while the changes stay unsaved. The interface
// thread only takes the document's bytes; the writer's thread puts them on disk. A saved,
// reopened or new document loses its copy.
class RecoveryKeeper : public QObject, public DocumentObserver {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds kDefaultInterval{30000};
    // The first copy after a change waits this long (or the interval, when shorter), so that a
    // burst of typing makes one copy.
    static constexpr std::chrono::milliseconds kFirstDelay{1000};

    RecoveryKeeper(TabDocument& document, RecoveryStore& store, RecoveryWriter& writer);
    ~RecoveryKeeper() override;

    // The "RecoveryInterval" of the profile's "Settings" group, in seconds (at least 1).
    static std::chrono::milliseconds IntervalFromSettings();
    void SetInterval(std::chrono::milliseconds interval) { interval_ = interval; }

    // Told of every change: schedules a copy, or removes the copy of an unmodified document.
    void OnDocumentUpdated() override;
    // After a save (which tells the views nothing): an unmodified document keeps no copy.
    void Check();
    // Takes the document's bytes now and has them written.
    void WriteNow();
    // Has this document's copy removed, after every write asked for before.
    void Discard();

    const std::string& Id() const { return id_; }
    bool HasCopy() const { return hasCopy_; }
    bool Scheduled() const { return timer_.isActive(); }

private:
    void OnTimer();

    // Has the writer's thread make memory ready for the next copy's bytes.
    void PrepareMemory();

    // Memory for the next copy's bytes, already touched: a songbook's bytes are tens of
    // megabytes, and filling fresh memory costs page faults that the interface thread would
    // otherwise wait for. The writer prepares it while the first copy's timer runs and hands
    // back each copy's memory once the copy is on disk.
    struct SpareBuffer {
        std::mutex mutex;
        std::vector<std::uint8_t> bytes;
        // Memory is on its way: being made ready, or held by a copy not yet on disk. Typing
        // meanwhile must not have the document measured and more memory made.
        bool coming = false;
    };

    TabDocument& document_;
    RecoveryStore& store_;
    RecoveryWriter& writer_;
    std::string id_;
    std::chrono::milliseconds interval_ = kDefaultInterval;
    std::optional<std::chrono::steady_clock::time_point> lastWrite_;
    bool hasCopy_ = false;
    std::shared_ptr<SpareBuffer> spare_ = std::make_shared<SpareBuffer>();
    QTimer timer_;
};

}  // namespace lutaris
