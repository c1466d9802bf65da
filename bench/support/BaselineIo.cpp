// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "support/BaselineIo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <vector>

namespace lutaris::bench {
namespace {

[[noreturn]] void Fail(const std::string& what, const std::string& path) {
    throw std::runtime_error(what + " " + path);
}

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return fd_; }

private:
    int fd_;
};

void WriteBytes(const std::string& path, std::span<const std::uint8_t> bytes, bool sync) {
    const Descriptor file(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
    if (file.Get() < 0) Fail("cannot create", path);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(file.Get(), bytes.data() + done, bytes.size() - done);
        if (written <= 0) Fail("cannot write", path);
        done += static_cast<std::size_t>(written);
    }
    if (!sync) return;
    if (::fsync(file.Get()) != 0) Fail("cannot flush", path);
    const std::string folder = std::filesystem::path(path).parent_path().string();
    const Descriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.Get() < 0 || ::fsync(dir.Get()) != 0) Fail("cannot flush", folder);
}

}  // namespace

std::size_t ReadWholeFile(const std::string& path) {
    const Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.Get() < 0) Fail("cannot open", path);
    struct stat info {};
    if (::fstat(file.Get(), &info) != 0) Fail("cannot examine", path);
    // Left uninitialised: read() is to be the first to touch the memory, as it would be in the
    // least a program could do.
    const auto size = static_cast<std::size_t>(info.st_size);
    const std::unique_ptr<std::uint8_t[]> bytes(new std::uint8_t[size]);
    std::size_t done = 0;
    while (done < size) {
        const ssize_t got = ::read(file.Get(), bytes.get() + done, size - done);
        if (got <= 0) break;
        done += static_cast<std::size_t>(got);
    }
    return done;
}

std::size_t ReadFileLines(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) Fail("cannot open", path);
    char* line = nullptr;
    std::size_t capacity = 0;
    std::size_t bytes = 0;
    ssize_t length = 0;
    while ((length = ::getline(&line, &capacity, file)) >= 0) {
        bytes += static_cast<std::size_t>(length);
    }
    std::free(line);
    std::fclose(file);
    return bytes;
}

void WriteAndSync(const std::string& path, std::span<const std::uint8_t> bytes) {
    WriteBytes(path, bytes, true);
}

void WriteFile(const std::string& path, std::span<const std::uint8_t> bytes) {
    WriteBytes(path, bytes, false);
}

}  // namespace lutaris::bench
