// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "platform/files/SafeFileReplacer.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/files/FileDescriptor.h"

namespace lutaris {
namespace {

constexpr int kMaxSymbolicLinks = 40;  // as the kernel's own limit
constexpr std::size_t kSuffixLength = 6;
// Leaves room for the dot, the marker and the suffix within a file name's 255 bytes.
constexpr std::size_t kMaxNameInPrefix = 200;

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

[[noreturn]] void FailWithErrno(const std::string& what, const std::string& path) {
    throw FileWriteError(what + " " + Quoted(path) + ": " + std::strerror(errno));
}

std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Follows symbolic links to the path of the file they lead to, which may not exist yet.
std::string FinalTarget(const std::string& path) {
    std::string current = path;
    for (int depth = 0; depth <= kMaxSymbolicLinks; ++depth) {
        struct stat info {};
        if (::lstat(current.c_str(), &info) != 0) {
            if (errno == ENOENT) return current;
            FailWithErrno("cannot examine", current);
        }
        if (!S_ISLNK(info.st_mode)) return current;
        std::vector<char> target(PATH_MAX + 1);
        const ssize_t length = ::readlink(current.c_str(), target.data(), target.size());
        if (length < 0) FailWithErrno("cannot read the link", current);
        if (static_cast<std::size_t>(length) >= target.size()) {
            throw FileWriteError("the link " + Quoted(current) + " is too long");
        }
        std::string next(target.data(), static_cast<std::size_t>(length));
        current = next.starts_with('/') ? next : FolderOf(current) + "/" + next;
    }
    throw FileWriteError("too many symbolic links from " + Quoted(path));
}

bool IsSuffixCharacter(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Removes temporary files that an interrupted save of the same target left behind. A save of
// the same file running in another process at this very moment loses its temporary file and
// reports failure; its old file stays intact, so nothing is lost.
void RemoveStaleTemporaries(const std::string& folder, const std::string& prefix) {
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) return;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.size() != prefix.size() + kSuffixLength || !name.starts_with(prefix)) continue;
        bool matches = true;
        for (std::size_t i = prefix.size(); i < name.size(); ++i) {
            matches = matches && IsSuffixCharacter(name[i]);
        }
        if (!matches) continue;
        struct stat info {};
        if (::fstatat(::dirfd(dir), name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(info.st_mode)) {
            ::unlinkat(::dirfd(dir), name.c_str(), 0);
        }
    }
    ::closedir(dir);
}

std::string RandomSuffix() {
    static constexpr char kAlphabet[] =
        "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
    unsigned char random[kSuffixLength] = {};
    if (::getrandom(random, sizeof random, 0) != static_cast<ssize_t>(sizeof random)) {
        // Without the kernel's generator, fall back on the clock and the process id; the
        // exclusive create below still rules out clashes.
        const auto seed = static_cast<unsigned long>(::getpid()) ^
                          static_cast<unsigned long>(reinterpret_cast<std::uintptr_t>(&random));
        for (std::size_t i = 0; i < kSuffixLength; ++i) {
            random[i] = static_cast<unsigned char>(seed >> (i * 5));
        }
    }
    std::string suffix;
    for (const unsigned char value : random) suffix += kAlphabet[value % (sizeof kAlphabet - 1)];
    return suffix;
}

void WriteAll(int fd, std::span<const std::uint8_t> bytes, const std::string& path) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR) continue;
        if (written < 0) FailWithErrno("cannot write", path);
        done += static_cast<std::size_t>(written);
    }
}

// Removes the temporary file unless the save got as far as renaming it.
class TemporaryFile {
public:
    explicit TemporaryFile(std::string path) : path_(std::move(path)) {}
    ~TemporaryFile() {
        if (!path_.empty()) ::unlink(path_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    const std::string& Path() const { return path_; }
    void Keep() { path_.clear(); }

private:
    std::string path_;
};

void SyncFolder(const std::string& folder) {
    const FileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!dir.IsOpen()) FailWithErrno("cannot open the folder", folder);
    // Some file systems cannot flush a folder; the rename is as safe as they make it.
    if (::fsync(dir.Get()) != 0 && errno != EINVAL && errno != ENOTSUP) {
        FailWithErrno("cannot flush the folder", folder);
    }
}

}  // namespace

std::string TemporaryFilePrefix(const std::string& targetName) {
    return "." + targetName.substr(0, kMaxNameInPrefix) + ".lutaris-save-";
}

void ReplaceFileSafely(const std::string& path, std::span<const std::uint8_t> bytes) {
    const std::span<const std::uint8_t> pieces[] = {bytes};
    ReplaceFileSafely(path, pieces);
}

void ReplaceFileSafely(const std::string& path,
                       std::span<const std::span<const std::uint8_t>> pieces) {
    ReplaceFileSafely(path, [&](int fd) {
        for (const auto& piece : pieces) WriteAll(fd, piece, path);
    });
}

void ReplaceFileSafely(const std::string& path, const std::function<void(int fd)>& write) {
    if (path.empty()) throw FileWriteError("no file name given");
    const std::string target = FinalTarget(path);
    const std::string folder = FolderOf(target);
    const std::string name = NameOf(target);
    if (name.empty() || name == "." || name == "..") {
        throw FileWriteError(Quoted(path) + " does not name a file");
    }

    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (!exists && errno != ENOENT) FailWithErrno("cannot examine", target);
    if (exists && !S_ISREG(old.st_mode)) {
        throw FileWriteError(Quoted(target) + " exists and is not a regular file");
    }

    const std::string prefix = TemporaryFilePrefix(name);
    RemoveStaleTemporaries(folder, prefix);

    FileDescriptor file;
    std::string temporaryPath;
    for (int attempt = 0; attempt < 100 && !file.IsOpen(); ++attempt) {
        temporaryPath = folder + "/" + prefix + RandomSuffix();
        // A new file gets the usual permissions, less the umask; an existing file's own are
        // applied below.
        file = FileDescriptor(::open(temporaryPath.c_str(),
                                     O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW,
                                     exists ? 0600 : 0666));
        if (!file.IsOpen() && errno != EEXIST) FailWithErrno("cannot create a file beside", target);
    }
    if (!file.IsOpen()) throw FileWriteError("cannot find a free temporary name beside " + target);
    TemporaryFile temporary(temporaryPath);

    if (exists) {
        // Changing the owner clears set-id bits, so the owner goes first. Only root may give a
        // file away; anyone else keeps their own ownership, as with any new file.
        if (::fchown(file.Get(), old.st_uid, old.st_gid) != 0) {
            // Not allowed: the new file stays ours, like any file we create.
        }
        if (::fchmod(file.Get(), old.st_mode & 07777) != 0) {
            FailWithErrno("cannot set the permissions of", temporaryPath);
        }
    }
    write(file.Get());
    if (::fsync(file.Get()) != 0) FailWithErrno("cannot flush", temporaryPath);
    if (::close(file.Release()) != 0) FailWithErrno("cannot close", temporaryPath);
    if (::rename(temporaryPath.c_str(), target.c_str()) != 0) {
        FailWithErrno("cannot rename the new file over", target);
    }
    temporary.Keep();
    SyncFolder(folder);
}

}  // namespace lutaris
