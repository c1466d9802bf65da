// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "platform/files/PrivateProfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdint>
#include <optional>

namespace lutaris {
namespace {

// A settings file is a few hundred bytes; anything past this is not looked at, so a huge file
// cannot stall the program or eat its memory.
constexpr std::size_t kMaxSettingsFileBytes = 1 << 20;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

std::optional<std::string> ReadBoundedFile(const std::string& path) {
    // Non-blocking, so that a FIFO or a device in the settings file's place cannot stall the
    // program in open() or read(); anything but a regular file counts as no file.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) return std::nullopt;
    std::optional<std::string> content;
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        // Sized by the file, not by the limit: the eight reads of each new document would
        // otherwise set aside a mebibyte each for a file of a few hundred bytes.
        const auto size = std::min<std::uint64_t>(static_cast<std::uint64_t>(info.st_size),
                                                  kMaxSettingsFileBytes);
        content.emplace(static_cast<std::size_t>(size), '\0');
        std::size_t done = 0;
        while (done < content->size()) {
            const ssize_t got = ::read(fd, content->data() + done, content->size() - done);
            if (got < 0 && errno == EINTR) continue;
            if (got <= 0) break;  // unreadable or shrunk meanwhile: keep what is there
            done += static_cast<std::size_t>(got);
        }
        content->resize(done);
    }
    ::close(fd);
    return content;
}

// The value text of the first matching key in the first matching section, if any.
std::optional<std::string_view> FindValue(std::string_view content, std::string_view section,
                                          std::string_view key) {
    bool inSection = false;
    while (!content.empty()) {
        const auto end = content.find('\n');
        std::string_view line = content.substr(0, end);
        content = end == std::string_view::npos ? std::string_view{} : content.substr(end + 1);
        line = Trim(line);
        if (line.empty() || line.front() == ';') continue;
        if (line.front() == '[') {
            const auto close = line.find(']');
            const auto name = close == std::string_view::npos ? line.substr(1)
                                                               : line.substr(1, close - 1);
            inSection = EqualsIgnoringCase(Trim(name), section);
            continue;
        }
        if (!inSection) continue;
        const auto equals = line.find('=');
        if (equals == std::string_view::npos) continue;
        if (EqualsIgnoringCase(Trim(line.substr(0, equals)), key)) {
            return Trim(line.substr(equals + 1));
        }
    }
    return std::nullopt;
}

}  // namespace

std::int32_t ParseLeadingDecimal(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (IsBlank(text[i]) || text[i] == '\n')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    std::uint32_t magnitude = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        magnitude = magnitude * 10u + static_cast<std::uint32_t>(text[i] - '0');
        ++i;
    }
    if (negative) magnitude = 0u - magnitude;
    return static_cast<std::int32_t>(magnitude);
}

std::int32_t GetPrivateProfileInt(std::string_view section, std::string_view key,
                                  std::int32_t defaultValue, const std::string& path) {
    const auto content = ReadBoundedFile(path);
    if (!content) return defaultValue;
    return GetProfileIntFromText(*content, section, key, defaultValue);
}

std::int32_t GetProfileIntFromText(std::string_view content, std::string_view section,
                                   std::string_view key, std::int32_t defaultValue) {
    const auto value = FindValue(content, section, key);
    // An empty value counts as missing, as it did for the original read.
    if (!value || value->empty()) return defaultValue;
    return ParseLeadingDecimal(*value);
}

}  // namespace lutaris
