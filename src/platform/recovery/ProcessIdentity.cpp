#include "platform/recovery/ProcessIdentity.h"

#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <csignal>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

namespace lutaris {

std::uint64_t ProcessStartTime(std::int64_t pid) {
    if (pid <= 0) return 0;
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    if (!stat) return 0;
    std::string line;
    std::getline(stat, line);
    // The command name in parentheses may hold blanks and parentheses itself: the fields that
    // count start after the last ')'. The start time is the 22nd field, the 20th after it.
    const std::size_t close = line.rfind(')');
    if (close == std::string::npos) return 0;
    std::string_view rest = std::string_view(line).substr(close + 1);
    for (int field = 0; field < 20; ++field) {
        const std::size_t blank = rest.find_first_not_of(' ');
        if (blank == std::string_view::npos) return 0;
        rest.remove_prefix(blank);
        if (field == 19) break;
        const std::size_t end = rest.find(' ');
        if (end == std::string_view::npos) return 0;
        rest.remove_prefix(end);
    }
    std::uint64_t start = 0;
    const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), start);
    (void)end;
    return error == std::errc() ? start : 0;
}

ProcessIdentity CurrentProcess() {
    const std::int64_t pid = ::getpid();
    return {pid, ProcessStartTime(pid)};
}

bool SystemProcessTable::IsRunning(const ProcessIdentity& process) const {
    if (process.pid <= 0 || process.pid > INT32_MAX) return false;
    const std::uint64_t start = ProcessStartTime(process.pid);
    if (start != 0) return process.start == 0 || start == process.start;
    // No /proc entry: either no such process, or no /proc to ask. Then the id decides, and a
    // process we may not signal still runs.
    if (::kill(static_cast<pid_t>(process.pid), 0) == 0) return true;
    return errno == EPERM;
}

}  // namespace lutaris
