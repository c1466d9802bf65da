// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "support/ProcessMemory.h"

#include <fstream>
#include <sstream>
#include <string>

namespace lutaris::bench {

ProcessMemory ProcessMemory::Now() {
    ProcessMemory memory;
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        std::istringstream fields(line);
        std::string key;
        std::uint64_t kilobytes = 0;
        fields >> key >> kilobytes;
        if (key == "VmRSS:") memory.resident = kilobytes * 1024;
        if (key == "VmHWM:") memory.peak = kilobytes * 1024;
    }
    return memory;
}

bool ProcessMemory::ResetPeak() {
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
    clear.flush();
    return static_cast<bool>(clear);
}

}  // namespace lutaris::bench
