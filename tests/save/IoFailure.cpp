// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "save/IoFailure.h"

#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>

namespace {

using lutaris::test::IoFailure;

std::atomic<bool> armed{false};
IoFailure::Call armedCall = IoFailure::Call::Write;
int armedError = 0;
std::atomic<int> passesLeft{0};
std::atomic<int> injected{0};
std::atomic<int> writeCalls{0};

template <typename Function>
Function Next(const char* name) {
    void* symbol = ::dlsym(RTLD_NEXT, name);
    if (symbol == nullptr) std::abort();
    return reinterpret_cast<Function>(symbol);
}

bool IsRegularFile(int fd) {
    struct stat info {};
    return ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
}

// True when this call is to fail: the call is armed and its free passes are used up.
bool Fails(IoFailure::Call call) {
    if (!armed || armedCall != call) return false;
    if (passesLeft.fetch_sub(1) > 0) return false;
    ++injected;
    return true;
}

}  // namespace

extern "C" ssize_t write(int fd, const void* data, size_t size) {
    static const auto real = Next<ssize_t (*)(int, const void*, size_t)>("write");
    if (armed && IsRegularFile(fd)) {
        if (Fails(IoFailure::Call::Write)) {
            errno = armedError;
            return -1;
        }
        // Writes let through before an armed failure are cut short too, so that the failure
        // lands in the middle of the file rather than after it.
        const bool cut = armedCall == IoFailure::Call::ShortWrite ||
                         armedCall == IoFailure::Call::Write;
        if (cut && size > 4096) {
            ++injected;
            return real(fd, data, 4096);
        }
        if (armedCall == IoFailure::Call::InterruptedWrite && writeCalls++ % 2 == 0) {
            ++injected;
            errno = EINTR;
            return -1;
        }
    }
    return real(fd, data, size);
}

extern "C" int fsync(int fd) {
    static const auto real = Next<int (*)(int)>("fsync");
    if (IsRegularFile(fd) && Fails(IoFailure::Call::Fsync)) {
        errno = armedError;
        return -1;
    }
    return real(fd);
}

extern "C" int rename(const char* from, const char* to) {
    static const auto real = Next<int (*)(const char*, const char*)>("rename");
    if (Fails(IoFailure::Call::Rename)) {
        errno = armedError;
        return -1;
    }
    return real(from, to);
}

namespace lutaris::test {

IoFailure::IoFailure(Call call, int error, int succeedFirst) {
    armedCall = call;
    armedError = error;
    passesLeft = succeedFirst;
    injected = 0;
    writeCalls = 0;
    armed = true;
}

IoFailure::~IoFailure() { armed = false; }

int IoFailure::Injected() const { return injected; }

}  // namespace lutaris::test
