#include "text/TextTabImporter.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "text/TextLineReader.h"

namespace lutaris {
namespace {

constexpr std::int32_t ActionOfSuffix(unsigned char c) {
    switch (c) {
        case 'h':
            return HammerOn;
        case 'p':
            return PullOff;
        case 'b':
            return BendUp;
        case 'r':
            return BendRelease;
        case '~':
            return Vibrato;
        case '/':
            return SlideUp;
        case '\\':
            return SlideDown;
        case ')':
            return Optional;
        case '>':
        case ']':
        case '}':
        case '*':
            return Harmonic;
        default:
            return NoNote;  // closes the note without changing it
    }
}

constexpr bool IsOpeningBracket(unsigned char c) {
    return c == '(' || c == '<' || c == '[' || c == '{';
}

constexpr bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }

}  // namespace

TextTabImporter::TextTabImporter(TabSettings* settings,
                                 std::vector<std::unique_ptr<Tablature>>& tabItems,
                                 Tablature*& currentItem, TextImportLimits limits)
    : settings_(settings), tabItems_(tabItems), currentItem_(currentItem), limits_(limits) {
    firstInColumn_.fill(kNone);
    earlierNotes_ = currentItem_ != nullptr ? currentItem_->notes.size() : 0;
}

void TextTabImporter::AddLine(std::string_view line) {
    if (status_ != Status::Ok) return;
    if (std::memchr(line.data(), '-', line.size()) != nullptr) {
        if (blockLines_ < kBlockSlots) {
            // The line keeps its line feed, as a line read in text mode does: the feed is the
            // character that closes a note standing at the end of the top line.
            std::string& slot = slots_[static_cast<std::size_t>(blockLines_++)];
            slot.assign(line);
            slot.push_back('\n');
        }
        return;
    }
    if (blockLines_ >= kMinBlockLines) ConvertBlock();
    blockLines_ = 0;
}

TextTabImporter::Status TextTabImporter::AddLines(TextLineReader& reader) {
    std::string_view line;
    for (;;) {
        switch (reader.Next(line)) {
            case TextLineReader::Status::Line:
                AddLine(line);
                if (status_ != Status::Ok) return status_;
                break;
            case TextLineReader::Status::End:
                return status_;
            case TextLineReader::Status::LineTooLong:
                return status_ = Status::LineTooLong;
            case TextLineReader::Status::ReadError:
                return status_ = Status::ReadError;
        }
    }
}

bool TextTabImporter::AnyPending() const {
    return std::any_of(pending_.begin(), pending_.begin() + blockLines_, [](bool p) { return p; });
}

void TextTabImporter::StartTabItem() {
    if (tabItems_.size() >= limits_.maxTabItems) {
        status_ = Status::TooManyTabItems;
        return;
    }
    auto item = std::make_unique<Tablature>(settings_);
    item->position = static_cast<std::int32_t>(tabItems_.size());
    currentItem_ = item.get();
    tabItems_.push_back(std::move(item));
    earlierNotes_ = 0;
    pending_.fill(false);
    columnCounter_ = 0;
    firstInColumn_.fill(kNone);
}

bool TextTabImporter::StartNote(int string, std::int32_t fret, std::int32_t action,
                                bool newColumn) {
    if (currentItem_ == nullptr) return false;
    if (notesCreated_ >= limits_.maxNotes) {
        status_ = Status::TooManyNotes;
        return false;
    }
    if (newColumn) {
        ++columnCounter_;
        firstInColumn_.fill(kNone);
    }
    constexpr std::int64_t kLargestColumn = std::numeric_limits<std::int32_t>::max();
    const auto column = static_cast<std::int32_t>(std::min(columnCounter_ - 1, kLargestColumn));
    const auto k = static_cast<std::size_t>(string);

    std::vector<TabNote>& notes = currentItem_->notes;
    const std::size_t index = notes.size();
    notes.push_back(TabNote{fret, string, column, 0, action});
    ++notesCreated_;
    lastColumn_[k] = column;

    if (firstInColumn_[k] == kNone) {
        firstInColumn_[k] = index;
        for (std::size_t i = 0; i < earlierNotes_; ++i) {
            if (notes[i].column == column && notes[i].string == string) {
                firstInColumn_[k] = i;
                break;
            }
        }
    }
    openNote_[k] = firstInColumn_[k];
    return true;
}

void TextTabImporter::AddDigit(TabNote& note, int digit) {
    const std::int64_t grown = std::int64_t{note.fret} * 10 + digit;
    note.fret = static_cast<std::int32_t>(std::clamp<std::int64_t>(
        grown, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

void TextTabImporter::ConvertBlock() {
    const int lineCount = blockLines_;
    std::array<const char*, kBlockSlots> text{};
    std::array<std::size_t, kBlockSlots> length{};
    for (int k = 0; k < lineCount; ++k) {
        text[static_cast<std::size_t>(k)] = slots_[static_cast<std::size_t>(k)].data();
        length[static_cast<std::size_t>(k)] = slots_[static_cast<std::size_t>(k)].size();
    }
    pending_.fill(false);

    const std::size_t width = length[0];
    for (std::size_t p = 0; p < width; ++p) {
        for (int k = 0; k < lineCount; ++k) {
            const auto s = static_cast<std::size_t>(k);
            const auto c = static_cast<unsigned char>(p < length[s] ? text[s][p] : '\0');
            if (k == 0 && c == '|') {
                StartTabItem();
            } else if (IsOpeningBracket(c)) {
                continue;
            } else if (pending_[s]) {
                TabNote& note = currentItem_->notes[openNote_[s]];
                if (IsDigit(c)) {
                    AddDigit(note, c - '0');
                } else {
                    const std::int32_t action = ActionOfSuffix(c);
                    if (action != NoNote) note.action = action;
                    pending_[s] = false;
                }
            } else if (IsDigit(c)) {
                pending_[s] = StartNote(k, c - '0', Normal, !AnyPending());
            } else if (c == 'x' || c == 'X') {
                pending_[s] = StartNote(k, 0, Mute, !AnyPending());
            } else if (c == '/' || c == '\\') {
                StartNote(k, BlankFret, c == '/' ? SlideUp : SlideDown, true);
            }
            if (status_ != Status::Ok) return;
        }
    }
}

}  // namespace lutaris
