#include "model/SettingsDialogEntry.h"

#include "model/TabSettings.h"

namespace lutaris {
namespace {

constexpr std::size_t kReadLength = 4;

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

std::int32_t ReadDialogInteger(std::string_view text) {
    // The dialog copied the box into a five-byte buffer, so only four characters ever reached
    // the conversion: "12345" reads as 1234 and "   7" as 7, but "    7" as 0.
    text = text.substr(0, kReadLength);
    std::size_t i = 0;
    while (i < text.size() && IsSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    std::int32_t value = 0;  // at most four digits: no overflow possible
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        value = value * 10 + (text[i] - '0');
        ++i;
    }
    return negative ? -value : value;
}

SettingsDialogEntry SettingsDialogEntry::FromSettings(const TabSettings& settings) {
    SettingsDialogEntry entry;
    entry.texts = {std::to_string(settings.horizontalSpacing),
                   std::to_string(settings.verticalSpacing), std::to_string(settings.textFloat),
                   std::to_string(settings.numberOfStrings),
                   std::to_string(settings.nextLineSpacing)};
    entry.textOpaque = settings.textOpaque != 0;
    return entry;
}

void SettingsDialogEntry::ApplyTo(TabSettings& settings) const {
    settings.horizontalSpacing = ReadDialogInteger(texts[0]);
    settings.verticalSpacing = ReadDialogInteger(texts[1]);
    settings.textFloat = ReadDialogInteger(texts[2]);
    settings.numberOfStrings = ReadDialogInteger(texts[3]);
    settings.nextLineSpacing = ReadDialogInteger(texts[4]);
    settings.textOpaque = textOpaque ? 1 : 0;
}

}  // namespace lutaris
