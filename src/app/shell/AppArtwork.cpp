// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "app/shell/AppArtwork.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include "model/CommandIds.h"

namespace lutaris {

namespace {

const QColor kBlack(0, 0, 0);
const QColor kWhite(255, 255, 255);
const QColor kGray(160, 160, 160);
const QColor kDarkGray(96, 96, 96);
const QColor kYellow(240, 200, 64);
const QColor kBlue(40, 80, 170);
const QColor kRed(200, 30, 30);
const QColor kBrown(150, 100, 50);

// An outlined box whose outline covers exactly the pixels x … x + w − 1, y … y + h − 1.
void Box(QPainter& p, int x, int y, int w, int h, const QColor& fill, const QColor& line = kBlack) {
    p.fillRect(x, y, w, h, line);
    p.fillRect(x + 1, y + 1, w - 2, h - 2, fill);
}

void HLine(QPainter& p, int x1, int x2, int y, const QColor& color) {
    p.fillRect(x1, y, x2 - x1 + 1, 1, color);
}

void Pixel(QPainter& p, int x, int y, const QColor& color) { p.fillRect(x, y, 1, 1, color); }

// A sheet of paper with a folded corner and lines of text.
void Page(QPainter& p, int x, int y, int w, int h, bool textLines) {
    Box(p, x, y, w, h, kWhite);
    // The folded top-right corner.
    p.fillRect(x + w - 3, y, 3, 3, Qt::transparent);
    Pixel(p, x + w - 3, y, kBlack);
    Pixel(p, x + w - 3, y + 1, kBlack);
    Pixel(p, x + w - 3, y + 2, kBlack);
    Pixel(p, x + w - 2, y + 1, kBlack);
    Pixel(p, x + w - 2, y + 2, kBlack);
    Pixel(p, x + w - 1, y + 2, kBlack);
    if (!textLines) return;
    for (int row = y + 4; row < y + h - 2; row += 2) HLine(p, x + 2, x + w - 3, row, kDarkGray);
}

void DrawNew(QPainter& p) { Page(p, 2, 1, 11, 13, false); }

void DrawOpen(QPainter& p) {
    // Folder back with its tab.
    Box(p, 0, 3, 5, 3, kYellow);
    Box(p, 0, 4, 12, 9, kYellow);
    // The open front flap, slanted towards the viewer.
    QPolygon flap;
    flap << QPoint(3, 7) << QPoint(15, 7) << QPoint(12, 12) << QPoint(0, 12);
    p.setPen(kBlack);
    p.setBrush(QColor(252, 226, 120));
    p.drawPolygon(flap);
    // The arrow that says "bring it out".
    p.setPen(kBlack);
    p.drawLine(10, 1, 13, 1);
    Pixel(p, 14, 2, kBlack);
    Pixel(p, 14, 3, kBlack);
    Pixel(p, 13, 3, kBlack);
    Pixel(p, 15, 3, kBlack);
}

void DrawSave(QPainter& p) {
    Box(p, 1, 1, 14, 13, kBlue);
    Box(p, 4, 1, 8, 6, kWhite);  // the label
    HLine(p, 5, 10, 3, kGray);
    HLine(p, 5, 10, 5, kGray);
    Box(p, 4, 9, 8, 5, kGray);  // the shutter
    p.fillRect(9, 10, 2, 3, kDarkGray);
}

void DrawCut(QPainter& p) {
    p.setPen(kDarkGray);
    p.drawLine(4, 0, 8, 8);  // blades
    p.drawLine(11, 0, 7, 8);
    p.drawLine(5, 0, 8, 7);
    p.drawLine(10, 0, 7, 7);
    Pixel(p, 7, 7, kBlack);  // the pivot
    Pixel(p, 8, 7, kBlack);
    p.setPen(kRed);  // the finger rings
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(2, 9, 4, 4);
    p.drawEllipse(9, 9, 4, 4);
    p.drawLine(6, 9, 7, 8);
    p.drawLine(9, 9, 8, 8);
}

void DrawCopy(QPainter& p) {
    Page(p, 1, 0, 9, 11, true);
    Page(p, 6, 4, 9, 11, true);
}

void DrawPaste(QPainter& p) {
    Box(p, 1, 2, 11, 12, kBrown);
    Box(p, 4, 1, 5, 3, kGray);  // the clip
    Page(p, 6, 5, 9, 10, true);
}

void DrawPrint(QPainter& p) {
    Page(p, 4, 0, 8, 7, false);  // paper going in
    Box(p, 0, 6, 16, 6, kGray);  // the printer's body
    HLine(p, 2, 13, 8, kDarkGray);
    Pixel(p, 13, 7, QColor(0, 180, 0));  // the power light
    Box(p, 3, 11, 10, 4, kWhite);        // paper coming out
    HLine(p, 5, 10, 12, kDarkGray);
}

void DrawAbout(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(kBlack, 1));
    p.setBrush(kBlue);
    p.drawEllipse(QRectF(0.5, 0.5, 14, 13.5));
    p.setRenderHint(QPainter::Antialiasing, false);
    // A question mark in white, drawn pixel by pixel so that it stays crisp.
    static constexpr const char* kMark[] = {
        "..####..", ".##..##.", ".....##.", "....##..",
        "...##...", "...##...", "........", "...##...",
    };
    for (int row = 0; row < 8; ++row)
        for (int col = 0; col < 8; ++col)
            if (kMark[row][col] == '#') Pixel(p, 4 + col, 3 + row, kWhite);
}

}  // namespace

QImage AppArtwork::CommandButtonImage(int commandId) {
    struct ButtonImage {
        int id;
        ToolbarImage image;
    };
    static constexpr ButtonImage kButtonImages[] = {
        {ID_FILE_NEW, New},   {ID_FILE_OPEN, Open},   {ID_FILE_SAVE, Save},   {ID_EDIT_CUT, Cut},
        {ID_EDIT_COPY, Copy}, {ID_EDIT_PASTE, Paste}, {ID_FILE_PRINT, Print}, {ID_APP_ABOUT, About},
    };
    for (const ButtonImage& button : kButtonImages)
        if (button.id == commandId) return ToolbarButtonImage(button.image);
    return {};
}

QImage AppArtwork::ToolbarButtonImage(ToolbarImage image) {
    QImage result(kToolbarImageWidth, kToolbarImageHeight, QImage::Format_ARGB32_Premultiplied);
    result.fill(Qt::transparent);
    QPainter painter(&result);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    switch (image) {
        case New:
            DrawNew(painter);
            break;
        case Open:
            DrawOpen(painter);
            break;
        case Save:
            DrawSave(painter);
            break;
        case Cut:
            DrawCut(painter);
            break;
        case Copy:
            DrawCopy(painter);
            break;
        case Paste:
            DrawPaste(painter);
            break;
        case Print:
            DrawPrint(painter);
            break;
        case About:
            DrawAbout(painter);
            break;
        case ToolbarImageCount:
            break;
    }
    return result;
}

QImage AppArtwork::ProgramImage(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.scale(size / 32.0, size / 32.0);
    // A sheet of tablature: six string lines with fret numbers, the caret's red among them.
    p.setPen(QPen(QColor(40, 40, 40), 1.5));
    p.setBrush(QColor(255, 253, 240));
    p.drawRoundedRect(QRectF(2, 2, 28, 28), 4, 4);
    p.setPen(QPen(QColor(90, 90, 90), 1));
    for (int string = 0; string < 6; ++string) {
        const qreal y = 6.5 + string * 4;
        p.drawLine(QPointF(5, y), QPointF(27, y));
    }
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(10);
    font.setBold(true);
    p.setFont(font);
    const auto number = [&p](qreal x, int string, const QString& text, const QColor& color) {
        const QRectF cell(x, 6.5 + string * 4 - 5, 7, 10);
        p.fillRect(cell.adjusted(0.5, 1, -0.5, -1), QColor(255, 253, 240));
        p.setPen(color);
        p.drawText(cell, Qt::AlignCenter, text);
    };
    number(6, 1, QStringLiteral("3"), kBlack);
    number(14, 3, QStringLiteral("5"), kRed);
    number(21, 2, QStringLiteral("7"), kBlack);
    return image;
}

QIcon AppArtwork::ProgramIcon() {
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64})
        icon.addPixmap(QPixmap::fromImage(ProgramImage(size)));
    return icon;
}

}  // namespace lutaris
