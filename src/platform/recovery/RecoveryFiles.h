// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace lutaris {

// The file operations the recovery folder needs, so that tests can put failures in their way.
class RecoveryFiles {
public:
    virtual ~RecoveryFiles() = default;
    // The names of the entries of `folder`; none when it does not exist.
    virtual std::vector<std::string> List(const std::string& folder) const = 0;
    virtual bool Exists(const std::string& path) const = 0;
    // The whole file when it is a regular file of at most `maxBytes` bytes; nothing otherwise.
    virtual std::optional<std::vector<std::uint8_t>> Read(const std::string& path,
                                                          std::size_t maxBytes) const = 0;
    // Replaces the file crash-safely, making its folder (private to the user) first. Throws
    // FileWriteError.
    virtual void Write(const std::string& path, std::span<const std::uint8_t> bytes) = 0;
    // True when the file is gone (or was never there).
    virtual bool Remove(const std::string& path) = 0;
};

// The real file system, written with the same crash-safe replacement as a save.
class DiskRecoveryFiles : public RecoveryFiles {
public:
    std::vector<std::string> List(const std::string& folder) const override;
    bool Exists(const std::string& path) const override;
    std::optional<std::vector<std::uint8_t>> Read(const std::string& path,
                                                  std::size_t maxBytes) const override;
    void Write(const std::string& path, std::span<const std::uint8_t> bytes) override;
    bool Remove(const std::string& path) override;
};

}  // namespace lutaris
