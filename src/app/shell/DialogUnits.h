// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <QFont>
#include <QRect>

class QWidget;

namespace lutaris {

// Dialog templates give places in dialog units: a quarter of the dialog font's average
// character width across, an eighth of its height down. This converts them to pixels.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);

    // The font every dialog of the program uses: a small sans serif, like the original's
    // 8-point dialog face.
    static QFont DialogFont();

    int X(int units) const { return units * averageCharWidth_ / 4; }
    int Y(int units) const { return units * charHeight_ / 8; }
    QRect Rect(int x, int y, int width, int height) const;

    // Places a static text by its template rectangle, widened or heightened where this font's
    // text needs a few more pixels than the original face did.
    void PlaceText(QWidget& text, int x, int y, int width, int height) const;

    int AverageCharWidth() const { return averageCharWidth_; }
    int CharHeight() const { return charHeight_; }

private:
    int averageCharWidth_;
    int charHeight_;
};

}  // namespace lutaris
