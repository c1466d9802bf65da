// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "platform/files/RegularFileReader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/files/FileDescriptor.h"

namespace lutaris {
namespace {

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

}  // namespace

FileBytes ReadRegularFile(const std::string& path, std::uint64_t maxBytes) {
    // Non-blocking so that opening a FIFO returns at once; it is refused right after.
    const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (file.Get() < 0) {
        throw FileReadError("cannot open " + Quoted(path) + ": " + std::strerror(errno));
    }
    struct stat info {};
    if (::fstat(file.Get(), &info) != 0) {
        throw FileReadError("cannot examine " + Quoted(path) + ": " + std::strerror(errno));
    }
    if (!S_ISREG(info.st_mode)) throw FileReadError(Quoted(path) + " is not a regular file");
    const auto size = static_cast<std::uint64_t>(info.st_size);
    if (size > maxBytes) {
        throw FileReadError(Quoted(path) + " has " + std::to_string(size) +
                            " bytes, more than the " + std::to_string(maxBytes) + " we accept");
    }
    FileBytes bytes(static_cast<std::size_t>(size));
    std::size_t done = 0;
    while (done < bytes.Size()) {
        const ssize_t got = ::read(file.Get(), bytes.Data() + done, bytes.Size() - done);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            throw FileReadError("cannot read " + Quoted(path) + ": " + std::strerror(errno));
        }
        if (got == 0) break;  // the file shrank meanwhile: keep what is there
        done += static_cast<std::size_t>(got);
    }
    bytes.Truncate(done);
    return bytes;
}

}  // namespace lutaris
