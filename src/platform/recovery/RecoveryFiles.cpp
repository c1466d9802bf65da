// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "platform/recovery/RecoveryFiles.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/files/RegularFileReader.h"
#include "platform/files/SafeFileReplacer.h"

namespace lutaris {
namespace {

// Makes `folder` and the folders above it that are missing, readable by the user alone:
// recovery copies are as private as the documents they keep.
void MakeFolders(const std::string& folder) {
    for (std::size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
        const std::string part = folder.substr(0, slash);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST)
            throw FileWriteError("Cannot make the folder " + part + ": " + std::strerror(errno));
        if (slash == std::string::npos) return;
    }
}

}  // namespace

std::vector<std::string> DiskRecoveryFiles::List(const std::string& folder) const {
    std::vector<std::string> names;
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) return names;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..") names.push_back(name);
    }
    ::closedir(dir);
    return names;
}

bool DiskRecoveryFiles::Exists(const std::string& path) const {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

std::optional<std::vector<std::uint8_t>> DiskRecoveryFiles::Read(const std::string& path,
                                                                 std::size_t maxBytes) const {
    try {
        return ReadRegularFile(path, maxBytes).ToVector();
    } catch (const FileReadError&) {
        return std::nullopt;
    }
}

void DiskRecoveryFiles::Write(const std::string& path, std::span<const std::uint8_t> bytes) {
    const std::size_t slash = path.rfind('/');
    if (slash != std::string::npos && slash > 0) MakeFolders(path.substr(0, slash));
    ReplaceFileSafely(path, bytes);
}

bool DiskRecoveryFiles::Remove(const std::string& path) {
    return ::unlink(path.c_str()) == 0 || errno == ENOENT;
}

}  // namespace lutaris
