// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <QRectF>
#include <QWidget>

namespace lutaris {

class PrintedPages;

// The sheets of a print preview: one or two pages side by side on a grey ground, each as
// large as the widget lets it be, drawn from the print layout only when they are shown, so
// that turning to page k costs what pages k and k + 1 hold.
class PreviewPagesWidget : public QWidget {
    Q_OBJECT
public:
    // `paper` is the sheet and `printable` the printable area on it, both in the printer's
    // device pixels and the sheet's coordinates.
    PreviewPagesWidget(const PrintedPages& pages, QRectF paper, QRectF printable,
                       QWidget* parent = nullptr);

    // Shows `count` (1 or 2) pages from page `first` (from 0); past the last page a place
    // stays empty.
    void ShowPages(int first, int count);

    QSize sizeHint() const override { return {700, 800}; }

    // Where the sheet of the shown page in place `place` (from 0) stands in the widget.
    QRectF SheetRect(int place) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Widget pixels per device pixel of the printer.
    double Scale() const;

    const PrintedPages& pages_;
    QRectF paper_;
    QRectF printable_;
    int first_ = 0;
    int count_ = 1;
};

}  // namespace lutaris
