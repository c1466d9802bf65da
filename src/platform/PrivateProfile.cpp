#include "platform/PrivateProfile.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <optional>

namespace lutaris {
namespace {

// A settings file is a few hundred bytes; anything past this is not looked at, so a huge or
// endless file (a device, say) cannot stall the program or eat its memory.
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
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string content(kMaxSettingsFileBytes, '\0');
    in.read(content.data(), static_cast<std::streamsize>(content.size()));
    content.resize(static_cast<std::size_t>(in.gcount()));
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
