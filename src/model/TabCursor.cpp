// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "model/TabCursor.h"

#include <limits>

#include "model/ItemGeometry.h"
#include "platform/keys/VirtualKeyCodes.h"

namespace lutaris {
namespace {

constexpr std::int32_t kInt32Max = std::numeric_limits<std::int32_t>::max();

TabNote EmptyCaretNote() {
    TabNote note;
    note.action = NoNote;
    return note;
}

}  // namespace

TabCursor::TabCursor(TabSettings* settingsRecord)
    : settings(settingsRecord), current(EmptyCaretNote()), previous(EmptyCaretNote()) {}

void TabCursor::ClearNotes() {
    current.Clear();
    previous.Clear();
}

void TabCursor::ResetNotes() { LoadNote(0, NoNote); }

void TabCursor::LoadNote(std::int32_t fret, std::int32_t action) {
    current.fret = fret;
    current.action = action;
    previous.fret = fret;
    previous.action = action;
}

std::int32_t TabCursor::ColumnAt(LayoutPoint point) const {
    if (tabItem == nullptr) return 0;
    return ItemGeometry(*settings).ColumnAt(point.x, tabItem->MaxColumn());
}

std::int32_t TabCursor::StringAt(LayoutPoint point) const {
    if (tabItem == nullptr) return 0;
    // Each string line owns the band of half a spacing on either side of it, so a click on or
    // near a line picks that line's string; points above the first band or below the last
    // belong to the first or last string.
    return ItemGeometry(*settings).StringAt(point.y);
}

TabNote* TabCursor::FindNote(std::int32_t column, std::int32_t string) const {
    return tabItem != nullptr ? tabItem->FindNote(column, string) : nullptr;
}

std::int32_t TabCursor::SetAction(std::int32_t action) {
    current.fret %= 100;
    previous.fret = current.fret;
    previous.string = current.string;
    previous.column = current.column;
    if (action == current.action) action = Normal;
    current.action = action;
    previous.action = action;
    return StoreNote;
}

std::int32_t TabCursor::OnKey(std::int32_t virtualKey) {
    switch (virtualKey) {
        case vk::Back:
        case vk::Delete:
            return DeleteNote | Repaint;
        case vk::Left:
            return MoveLeft();
        case vk::Up:
            return MoveUp();
        case vk::Right:
            return MoveRight();
        case vk::Down:
            return MoveDown();
        case vk::A:
            return SetActionOnNote(Harmonic);
        case vk::B:
            return SetActionOnNote(BendUp);
        case vk::H:
            return SetActionOnNote(HammerOn);
        case vk::O:
            return SetActionOnNote(Optional);
        case vk::P:
            return SetActionOnNote(PullOff);
        case vk::R:
            return SetActionOnNote(BendRelease);
        case vk::S:
            return SetActionOnNote(Unmarked);
        case vk::T:
            return SetActionOnNote(Tap);
        case vk::X:
            return SetAction(Mute);
        case vk::Z:
            return ClearAction();
        case vk::Oem2:
            return SetSlide(SlideUp);
        case vk::Oem3:
            return SetActionOnNote(Vibrato);
        case vk::Oem5:
            return SetSlide(SlideDown);
        default:
            break;
    }
    if (virtualKey >= vk::Digit0 && virtualKey <= vk::Digit9) {
        return TypeDigit(virtualKey - vk::Digit0);
    }
    return 0;
}

std::int32_t TabCursor::BeginMovement() {
    previous = current;
    return current.action == NoNote ? ReloadNote : StoreNote;
}

std::int32_t TabCursor::MoveLeft() {
    const std::int32_t base = BeginMovement();
    if (current.column <= 0) return base | PreviousItem | Repaint;
    --current.column;
    return base | Repaint;
}

std::int32_t TabCursor::MoveUp() {
    const std::int32_t base = BeginMovement();
    if (current.string > 0) --current.string;
    return base | Repaint;
}

std::int32_t TabCursor::MoveDown() {
    const std::int32_t base = BeginMovement();
    if (std::int64_t{current.string} < std::int64_t{settings->numberOfStrings} - 1) {
        ++current.string;
    }
    return base | Repaint;
}

std::int32_t TabCursor::MoveRight() {
    const std::int32_t base = BeginMovement();
    const std::int32_t lastNoteColumn = tabItem != nullptr ? tabItem->MaxColumnOrMinusOne() : -1;
    // The caret may wander one column past the last note (to start a new one there) but no
    // further; from there an empty caret goes on to the next tab item.
    const bool canStep = current.column < kInt32Max;
    if (current.column <= lastNoteColumn) {
        if (canStep) ++current.column;
        return base | Repaint;
    }
    if (current.action != NoNote) {
        if (canStep) ++current.column;
        return StoreNote | Repaint;
    }
    return ReloadNote | NextItem | Repaint;
}

std::int32_t TabCursor::TypeDigit(std::int32_t digit) {
    if (current.fret == BlankFret) current.fret = 0;
    // Frets from a text import can be any size; the product wraps at 32 bits as the original's
    // arithmetic did instead of overflowing.
    const auto shifted = static_cast<std::int32_t>(static_cast<std::uint32_t>(current.fret) * 10u +
                                                   static_cast<std::uint32_t>(digit));
    current.fret = shifted % 100;
    if (current.action == NoNote || current.action == Mute) current.action = Normal;
    previous.fret = current.fret;
    previous.string = current.string;
    previous.column = current.column;
    previous.action = current.action;
    return StoreNote;
}

std::int32_t TabCursor::SetActionOnNote(std::int32_t action) {
    if (current.action == NoNote) return 0;
    return SetAction(action);
}

std::int32_t TabCursor::SetSlide(std::int32_t action) {
    if (current.action == NoNote) current.fret = BlankFret;
    return SetAction(action);
}

std::int32_t TabCursor::ClearAction() {
    if (current.action == NoNote) return 0;
    current.fret %= 100;
    previous.fret = current.fret;
    previous.column = current.column;
    previous.string = current.string;
    current.action = Normal;
    previous.action = Normal;
    return StoreNote;
}

}  // namespace lutaris
