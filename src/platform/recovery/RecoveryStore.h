// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/recovery/ProcessIdentity.h"
#include "platform/recovery/RecoveryFiles.h"
#include "platform/recovery/RecoveryInfo.h"

namespace lutaris {

// A recovery copy found in the folder.
struct RecoveryCopy {
    std::string id;
    std::string dataPath;
    ProcessIdentity owner;
    // Nothing when the info file is missing or damaged.
    std::optional<RecoveryInfo> info;
    // The info or the document copy is missing or cannot be read; such a copy can only be
    // discarded.
    bool damaged = false;
};

// The folder of recovery copies. Each copy is a document file "ID.ltf" with an info file
// "ID.info" beside it; the id names the owning process and its start
// ("PID-START-N"), so that a copy whose info is damaged still tells whose it is, and two
// running programs never take each other's copies.
class RecoveryStore {
public:
    RecoveryStore(std::string folder, RecoveryFiles& files, const ProcessTable& processes,
                  ProcessIdentity self);

    // $XDG_STATE_HOME/lutaris/recovery, or ~/.local/state/lutaris/recovery when that variable
    // is unset or not absolute; nothing without a home. `environment` reads a variable.
    static std::optional<std::string> DefaultFolder(
        const std::function<std::optional<std::string>(const char*)>& environment);

    const std::string& Folder() const { return folder_; }
    ProcessIdentity Self() const { return self_; }
    // A new id of this process's own.
    std::string NewId();
    std::string DataPath(const std::string& id) const { return folder_ + "/" + id + ".ltf"; }
    std::string InfoPath(const std::string& id) const { return folder_ + "/" + id + ".info"; }

    // Writes the copy's document file, then its info: an info file never names a document
    // older than itself. Throws FileWriteError.
    void Write(const std::string& id, std::span<const std::uint8_t> documentFile,
               const RecoveryInfo& info);
    // Removes both files, and the temporary files of a write that was cut off; true when both
    // are gone.
    bool Remove(const std::string& id);
    // The copies whose owner no longer runs, the newest first (damaged ones last).
    std::vector<RecoveryCopy> Orphans() const;

    // The owner an id names; nothing for a name that is no id of a copy.
    static std::optional<ProcessIdentity> OwnerOf(const std::string& id);

private:
    std::string folder_;
    RecoveryFiles& files_;
    const ProcessTable& processes_;
    ProcessIdentity self_;
    std::uint64_t next_ = 1;
};

}  // namespace lutaris
