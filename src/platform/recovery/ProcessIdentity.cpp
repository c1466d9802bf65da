// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "platform/recovery/ProcessIdentity.h"

#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <csignal>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>

namespace lutaris {

namespace {

struct ProcessStatus {
    char state = '?';
    std::uint64_t start = 0;
};

std::optional<ProcessStatus> ReadProcessStatus(std::int64_t pid) {
    if (pid <= 0) return std::nullopt;
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    if (!stat) return std::nullopt;
    std::string line;
    std::getline(stat, line);
    // The command name in parentheses may hold blanks and parentheses itself: the fields that
    // count start after the last ')'. The state is the 3rd field, the start time the 22nd.
    const std::size_t close = line.rfind(')');
    if (close == std::string::npos) return std::nullopt;
    std::string_view rest = std::string_view(line).substr(close + 1);
    ProcessStatus status;
    for (int field = 3; field <= 22; ++field) {
        const std::size_t begin = rest.find_first_not_of(' ');
        if (begin == std::string_view::npos) return std::nullopt;
        rest.remove_prefix(begin);
        if (field == 3) status.state = rest[0];
        if (field == 22) break;
        const std::size_t end = rest.find(' ');
        if (end == std::string_view::npos) return std::nullopt;
        rest.remove_prefix(end);
    }
    const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), status.start);
    (void)end;
    if (error != std::errc()) return std::nullopt;
    return status;
}

}  // namespace

std::uint64_t ProcessStartTime(std::int64_t pid) {
    const std::optional<ProcessStatus> status = ReadProcessStatus(pid);
    return status ? status->start : 0;
}

ProcessIdentity CurrentProcess() {
    const std::int64_t pid = ::getpid();
    return {pid, ProcessStartTime(pid)};
}

bool SystemProcessTable::IsRunning(const ProcessIdentity& process) const {
    if (process.pid <= 0 || process.pid > INT32_MAX) return false;
    if (const std::optional<ProcessStatus> status = ReadProcessStatus(process.pid)) {
        // A process that was killed stays in the table until its parent reaps it; it runs no
        // more.
        if (status->state == 'Z' || status->state == 'X') return false;
        return process.start == 0 || status->start == process.start;
    }
    // No /proc entry: either no such process, or no /proc to ask. Then the id decides, and a
    // process we may not signal still runs.
    if (::kill(static_cast<pid_t>(process.pid), 0) == 0) return true;
    return errno == EPERM;
}

}  // namespace lutaris
