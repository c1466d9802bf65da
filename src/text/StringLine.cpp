// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "text/StringLine.h"

namespace lutaris {
namespace {

constexpr std::size_t kNone = std::string_view::npos;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t NameLength(std::string_view line, std::size_t i) {
    if (i >= line.size()) return 0;
    const char c = line[i];
    if (IsDigit(c)) {
        std::size_t end = i + 1;
        while (end < line.size() && IsDigit(line[end])) ++end;
        return end - i;
    }
    if ((c >= 'A' && c <= 'G') || (c >= 'a' && c <= 'g')) {
        const bool accidental = i + 1 < line.size() && (line[i + 1] == '#' || line[i + 1] == 'b');
        return accidental ? 2 : 1;
    }
    return 0;
}

// The position of the separator of a string name that starts at `i`, or kNone.
std::size_t SeparatorAfterName(std::string_view line, std::size_t i, bool barOnly) {
    const std::size_t name = NameLength(line, i);
    if (name == 0) return kNone;
    std::size_t j = i + name;
    while (j < line.size() && IsBlank(line[j])) ++j;
    if (j < line.size() && line[j] == '{') ++j;  // a brace that opens a repeat: "E{|"
    if (j < line.size() && (line[j] == '|' || (!barOnly && line[j] == ':'))) return j;
    return kNone;
}

// Whether the bracket at `i` encloses a fret ("(5)", "<12>"), not words ("(Intro - slow)",
// "[2nd guitar - todo]").
bool BracketsAFret(std::string_view line, std::size_t i) {
    std::size_t end = i + 1;
    while (end < line.size() && IsDigit(line[end])) ++end;
    if (end == i + 1 || end == line.size()) return false;
    const char close = line[end];
    return close == ')' || close == '>' || close == ']' || close == '}';
}

bool StartsTablature(std::string_view line, std::size_t i) {
    if (i >= line.size()) return false;
    switch (line[i]) {
        case '-':
        case '|':
        case 'x':
        case 'X':
        case '/':
        case '\\':
            return true;
        case '(':
        case '<':
        case '[':
        case '{':
            return BracketsAFret(line, i);
        default:
            return IsDigit(line[i]);
    }
}

bool TablatureFollows(std::string_view line, std::size_t separator) {
    std::size_t i = separator + 1;
    if (i < line.size() && (line[i] == 'o' || line[i] == '*')) ++i;  // a repeat dot: "G|o|--"
    return StartsTablature(line, i);
}

}  // namespace

std::optional<std::size_t> StringLineNameLength(std::string_view line) {
    if (line.find('-') == kNone) return std::nullopt;
    std::size_t start = 0;
    while (start < line.size() && IsBlank(line[start])) ++start;

    const std::size_t separator = SeparatorAfterName(line, start, false);
    if (separator != kNone) {
        if (TablatureFollows(line, separator)) return separator;
        return std::nullopt;  // "1:New blood joins this earth -"
    }
    if (StartsTablature(line, start)) return 0;

    // A label needs a bar after its name; most lyrics and headings have none.
    if (line.find('|', start) == kNone) return std::nullopt;
    for (std::size_t blank = line.find_first_of(" \t", start); blank != kNone;
         blank = line.find_first_of(" \t", blank + 1)) {
        const std::size_t labelled = SeparatorAfterName(line, blank + 1, true);
        if (labelled != kNone && TablatureFollows(line, labelled)) return labelled;
    }
    return std::nullopt;
}

}  // namespace lutaris
