// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "text/TextTabImporter.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "text/StringLine.h"
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

// What a character can do where no note is open; everything not listed is Plain.
enum CharKind : std::uint8_t { Plain = 0, Digit, OpeningBracket, Bar, MuteMark, Slash };

constexpr std::array<std::uint8_t, 256> MakeKinds() {
    std::array<std::uint8_t, 256> kinds{};
    for (unsigned char c = '0'; c <= '9'; ++c) kinds[c] = Digit;
    for (unsigned char c : {'(', '<', '[', '{'}) kinds[c] = OpeningBracket;
    kinds['|'] = Bar;
    kinds['x'] = kinds['X'] = MuteMark;
    kinds['/'] = kinds['\\'] = Slash;
    return kinds;
}

constexpr std::array<std::uint8_t, 256> kKinds = MakeKinds();

constexpr bool StartsNote(std::uint8_t kind) {
    return kind == Digit || kind == MuteMark || kind == Slash;
}

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
    if (const auto name = StringLineNameLength(line)) {
        if (blockLines_ < kBlockSlots) {
            // The line keeps its line feed, as a line read in text mode does: the feed is the
            // character that closes a note standing at the end of the top line. The name goes:
            // a string called "1" holds no fret 1.
            std::string& slot = slots_[static_cast<std::size_t>(blockLines_++)];
            slot.assign(line);
            slot.replace(0, *name, *name, ' ');
            slot.push_back('\n');
        }
        return;
    }
    CloseBlock();
}

void TextTabImporter::Finish() {
    if (status_ != Status::Ok) return;
    CloseBlock();
}

void TextTabImporter::CloseBlock() {
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
                Finish();
                return status_;
            case TextLineReader::Status::LineTooLong:
                return status_ = Status::LineTooLong;
            case TextLineReader::Status::ReadError:
                return status_ = Status::ReadError;
        }
    }
}

std::optional<std::int32_t> TextTabImporter::CommonStringCount() const {
    if (convertedLines_ <= 0) return std::nullopt;
    return convertedLines_;
}

void TextTabImporter::TopLineBar(std::size_t p) {
    ClearPending();
    if (!MeasureNeedsItem(p)) return;
    if (!currentFromBar_ && currentItem_ != nullptr && currentItem_->notes.empty()) {
        // Nothing stood before the first bar: the first measure goes into the item the
        // importer was given instead of leaving it empty.
        currentFromBar_ = true;
        columnCounter_ = 0;
        firstInColumn_.fill(kNone);
        return;
    }
    StartTabItem();
}

bool TextTabImporter::MeasureNeedsItem(std::size_t p) const {
    const auto* top = text_[0];
    const auto* nextBar =
        static_cast<const unsigned char*>(std::memchr(top + p + 1, '|', length_[0] - p - 1));
    const std::size_t end = nextBar != nullptr ? static_cast<std::size_t>(nextBar - top) : kNone;
    // The bar has cleared every open note, so the first digit, mute or slash of any line in
    // the measure starts one; below the first line, the bar's own position belongs to it.
    // Position by position, as a measure's first note mostly stands near its bar.
    const auto lineCount = static_cast<std::size_t>(blockLines_);
    const std::size_t last = std::min(end, width_);
    for (std::size_t q = p; q < last; ++q) {
        for (std::size_t k = q == p ? 1 : 0; k < lineCount; ++k) {
            if (q < length_[k] && StartsNote(kKinds[text_[k][q]])) return true;
        }
    }
    // An empty measure that the author wrote has its dashes; a bar that ends the line, or the
    // first of two bars side by side, has none.
    const std::size_t topEnd = std::min(end, length_[0]);
    return std::memchr(top + p + 1, '-', topEnd - p - 1) != nullptr;
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
    currentFromBar_ = true;
    earlierNotes_ = 0;
    ClearPending();
    columnCounter_ = 0;
    firstInColumn_.fill(kNone);
}

bool TextTabImporter::StartNote(std::size_t k, std::int32_t fret, std::int32_t action) {
    if (currentItem_ == nullptr) return false;
    if (notesCreated_ >= limits_.maxNotes) {
        status_ = Status::TooManyNotes;
        return false;
    }
    // The shared-column rule: a note that starts while another string's note is open joins
    // its column. A slash never does.
    if (pendingCount_ == 0 || action == SlideUp || action == SlideDown) {
        ++columnCounter_;
        firstInColumn_.fill(kNone);
    }
    constexpr std::int64_t kLargestColumn = std::numeric_limits<std::int32_t>::max();
    const auto column = static_cast<std::int32_t>(std::min(columnCounter_ - 1, kLargestColumn));
    const auto string = static_cast<std::int32_t>(k);

    std::vector<TabNote>& notes = currentItem_->notes;
    // A measure holds a dozen notes or so: skip the first few doublings of the list.
    if (notes.capacity() == 0) notes.reserve(16);
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

void TextTabImporter::ClearPending() {
    pending_.fill(false);
    pendingCount_ = 0;
}

void TextTabImporter::ConvertBlock() {
    const auto lineCount = static_cast<std::size_t>(blockLines_);
    for (std::size_t k = 0; k < lineCount; ++k) {
        text_[k] = reinterpret_cast<const unsigned char*>(slots_[k].data());
        length_[k] = slots_[k].size();
    }
    width_ = *std::max_element(length_.begin(), length_.begin() + lineCount);
    const std::size_t width = width_;
    const std::size_t common = *std::min_element(length_.begin(), length_.begin() + lineCount);
    convertedLines_ = convertedLines_ == 0 || convertedLines_ == blockLines_ ? blockLines_ : -1;
    ClearPending();
    const auto& text = text_;
    const auto& length = length_;

    for (std::size_t p = 0; p < width; ++p) {
        if (pendingCount_ == 0) {
            // Nothing is open: positions where every line holds a character without a rule
            // (dashes, mostly) are passed over in one tight loop.
            for (; p < common; ++p) {
                std::uint8_t kinds = Plain;
                for (std::size_t k = 0; k < lineCount; ++k) kinds |= kKinds[text[k][p]];
                if (kinds != Plain) break;
            }
            if (p == width) break;
        }
        for (std::size_t k = 0; k < lineCount; ++k) {
            // Past the end of a shorter line reads as its terminating zero.
            const unsigned char c = p < length[k] ? text[k][p] : 0;
            const std::uint8_t kind = kKinds[c];
            if (kind == Plain && !pending_[k]) continue;  // most of any tablature: dashes
            if (kind == Bar && k == 0) {
                TopLineBar(p);
            } else if (kind == OpeningBracket) {
                continue;
            } else if (pending_[k]) {
                TabNote& note = currentItem_->notes[openNote_[k]];
                if (kind == Digit) {
                    AddDigit(note, c - '0');
                } else {
                    const std::int32_t action = ActionOfSuffix(c);
                    if (action != NoNote) note.action = action;
                    pending_[k] = false;
                    --pendingCount_;
                }
            } else if (kind == Digit || kind == MuteMark) {
                const bool started =
                    kind == Digit ? StartNote(k, c - '0', Normal) : StartNote(k, 0, Mute);
                pending_[k] = started;
                pendingCount_ += started ? 1 : 0;
            } else if (kind == Slash) {
                StartNote(k, BlankFret, c == '/' ? SlideUp : SlideDown);
            }
            if (status_ != Status::Ok) return;
        }
    }
}

}  // namespace lutaris
