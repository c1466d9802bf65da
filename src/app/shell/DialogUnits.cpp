// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "app/shell/DialogUnits.h"

#include <QFontMetrics>
#include <QWidget>
#include <algorithm>

namespace lutaris {

DialogUnits::DialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    // The average over the 52 letters, rounded, as the original platform measured it.
    const int letters =
        metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    averageCharWidth_ = (letters + 26) / 52;
    charHeight_ = metrics.height();
}

QFont DialogUnits::DialogFont() {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(8);
    return font;
}

QRect DialogUnits::Rect(int x, int y, int width, int height) const {
    return QRect(X(x), Y(y), X(width), Y(height));
}

}  // namespace lutaris

namespace lutaris {

void DialogUnits::PlaceText(QWidget& text, int x, int y, int width, int height) const {
    QRect place = Rect(x, y, width, height);
    place.setWidth(std::max(place.width(), text.sizeHint().width()));
    place.setHeight(std::max(place.height(), text.sizeHint().height()));
    text.setGeometry(place);
}

}  // namespace lutaris
