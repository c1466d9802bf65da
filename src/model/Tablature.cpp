#include "model/Tablature.h"

#include <algorithm>
#include <limits>
#include <string>

#include "platform/Archive.h"

namespace lutaris {
namespace {

std::int32_t ClampToInt32(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

template <typename Note, typename Notes>
Note* FindIn(Notes& notes, std::int32_t column, std::int32_t string) {
    for (auto& note : notes) {
        if (note.column == column && (string < 0 || note.string == string)) return &note;
    }
    return nullptr;
}

}  // namespace

Tablature::Tablature(TabSettings* settingsRecord) : settings(settingsRecord) {}

LayoutSize Tablature::GetExtent() const {
    const std::int64_t width = (std::int64_t{MaxColumn()} + 3) * settings->horizontalSpacing;
    const std::int64_t height = std::int64_t{settings->nextLineSpacing} +
                                (std::int64_t{settings->numberOfStrings} - 1) *
                                    settings->verticalSpacing;
    return {ClampToInt32(width), ClampToInt32(height)};
}

std::int32_t Tablature::MaxColumn() const { return std::max(0, MaxColumnOrMinusOne()); }

std::int32_t Tablature::MaxColumnOrMinusOne() const {
    std::int32_t greatest = -1;
    for (const auto& note : notes) greatest = std::max(greatest, note.column);
    return greatest;
}

TabNote* Tablature::FindNote(std::int32_t column, std::int32_t string) {
    return FindIn<TabNote>(notes, column, string);
}

const TabNote* Tablature::FindNote(std::int32_t column, std::int32_t string) const {
    return FindIn<const TabNote>(notes, column, string);
}

std::string FormatTextCell(const TabNote& note) {
    const std::string number = note.fret == BlankFret ? " " : std::to_string(note.fret);
    switch (note.action) {
        case Mute: return "X----";
        case Vibrato: return number + "~--";
        case SlideUp: return number + "/--";
        case SlideDown: return number + "\\--";
        case BendUp: return number + "b--";
        case BendRelease: return number + "r--";
        case HammerOn: return number + "h--";
        case PullOff: return number + "p--";
        case Tap: return number + "T--";
        case Harmonic: return "<" + number + ">-";
        case Optional: return "(" + number + ")-";
        default: return number + "---";
    }
}

std::string_view Tablature::ToText() {
    textGrid_.Free();
    textGrid_.Allocate(settings->numberOfStrings, MaxColumnOrMinusOne());
    for (const auto& note : notes) textGrid_.PutCell(FormatTextCell(note), note.string, note.column);
    return textGrid_.Text();
}

void Tablature::Serialize(Archive& archive) {
    archive.Raw(reservedBlock.data(), reservedBlock.size());
    archive.Int32(position);
    if (archive.IsStoring()) {
        archive.WriteInt32(NoteCount());
        for (auto& note : notes) note.Serialize(archive);
        return;
    }
    // The count comes from the file: notes are read one at a time, so a count that lies about
    // the stream ends in the end-of-file error instead of a huge allocation.
    const std::int32_t count = archive.ReadInt32();
    for (std::int32_t i = 0; i < count; ++i) {
        TabNote note;
        note.Serialize(archive);
        notes.push_back(note);
    }
}

}  // namespace lutaris
