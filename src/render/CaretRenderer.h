// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <optional>
#include <string>

#include "model/Tablature.h"
#include "render/LayoutRect.h"

namespace lutaris {

class Surface;
class TabCursor;
struct TabNote;

// The caret's text for its note: "?" on a blank fret or an empty cell, "X" for a mute, the
// harmonic and optional marks, otherwise the fret.
std::string CaretText(const TabNote& current);

// The top-left corner of the caret's text: the note's text cell in the caret's tab item as last
// laid out. The caret must have a tab item.
LayoutPoint CaretCorner(const TabCursor& cursor);

// Draws the caret in red on an opaque background over the note's text cell of the caret's tab
// item, at scale 1 and without the resolution ratio (it is drawn on the screen only). Nothing
// when the caret has no tab item. Restores the surface's font and text colour; the background
// mode stays opaque.
void DrawCaret(const TabCursor& cursor, Surface& surface);

// Every pixel DrawCaret can paint on the screen lies in this area, in layout units: from the
// text's corner, two ems to each side and below it for every character (the em being
// verticalSpacing, the font's height). Nothing when the caret has no tab item or the spacing is
// too small or too large for that bound to hold.
std::optional<LayoutRect> CaretInkBounds(const TabCursor& cursor);

}  // namespace lutaris
