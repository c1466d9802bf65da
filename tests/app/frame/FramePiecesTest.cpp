// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QLabel>
#include <set>

#include "app/frame/FrameStatusBar.h"
#include "app/shell/AppArtwork.h"
#include "app/shell/CAboutDlg.h"
#include "app/shell/DialogUnits.h"
#include "platform/qt/KeyLockState.h"

namespace lutaris {
namespace {

int OpaquePixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 0) ++count;
    return count;
}

TEST(AppArtwork, EveryToolbarImageIs16By15AndDistinct) {
    std::set<QByteArray> seen;
    for (int i = 0; i < AppArtwork::ToolbarImageCount; ++i) {
        const QImage image =
            AppArtwork::ToolbarButtonImage(static_cast<AppArtwork::ToolbarImage>(i));
        EXPECT_EQ(image.size(), QSize(16, 15)) << i;
        // Something to see, but not a filled square.
        const int opaque = OpaquePixels(image);
        EXPECT_GT(opaque, 30) << i;
        EXPECT_LT(opaque, 16 * 15) << i;
        seen.insert(
            QByteArray(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes()));
    }
    EXPECT_EQ(seen.size(), static_cast<std::size_t>(AppArtwork::ToolbarImageCount));
    EXPECT_FALSE(AppArtwork::ProgramIcon().isNull());
    EXPECT_GT(OpaquePixels(AppArtwork::ProgramImage(32)), 500);
}

TEST(DialogUnits, ConvertByAQuarterCharacterAcrossAndAnEighthDown) {
    const DialogUnits units(DialogUnits::DialogFont());
    ASSERT_GT(units.AverageCharWidth(), 3);
    ASSERT_GT(units.CharHeight(), 8);
    EXPECT_EQ(units.X(8), 2 * units.AverageCharWidth());
    EXPECT_EQ(units.Y(16), 2 * units.CharHeight());
    EXPECT_EQ(units.Rect(4, 8, 40, 16),
              QRect(units.AverageCharWidth(), units.CharHeight(), 10 * units.AverageCharWidth(),
                    2 * units.CharHeight()));
}

TEST(FrameStatusBar, ReadyWhenIdlePromptsWhileHoveredLocksAsTold) {
    FrameStatusBar bar;
    EXPECT_EQ(bar.MessageText(), QStringLiteral("Ready"));
    bar.ShowPrompt(QStringLiteral("Open an existing document"));
    EXPECT_EQ(bar.MessageText(), QStringLiteral("Open an existing document"));
    bar.ShowPrompt(QString());
    EXPECT_EQ(bar.MessageText(), QString());
    bar.ShowIdle();
    EXPECT_EQ(bar.MessageText(), QStringLiteral("Ready"));

    bar.ShowKeyLocks(KeyLocks{true, false, true});
    EXPECT_EQ(bar.IndicatorText(0), QStringLiteral("CAP"));
    EXPECT_EQ(bar.IndicatorText(1), QString());
    EXPECT_EQ(bar.IndicatorText(2), QStringLiteral("SCRL"));
    bar.ShowKeyLocks(KeyLocks{false, true, false});
    EXPECT_EQ(bar.IndicatorText(0), QString());
    EXPECT_EQ(bar.IndicatorText(1), QStringLiteral("NUM"));
}

// Where the display cannot be asked (Wayland), a key event's modifiers tell: Lock is Caps Lock,
// Mod2 Num Lock; Shift or Ctrl held with them change nothing, and Scroll Lock stays as shown.
TEST(KeyLocks, ComeFromAKeyEventsNativeModifiers) {
    EXPECT_EQ(KeyLocksFromNativeModifiers(0x2 | 0x10, false), (KeyLocks{true, true, false}));
    EXPECT_EQ(KeyLocksFromNativeModifiers(0x1 | 0x4 | 0x10, true), (KeyLocks{false, true, true}));
    EXPECT_EQ(KeyLocksFromNativeModifiers(0x2 | 0x8, false), (KeyLocks{true, false, false}));
    EXPECT_EQ(KeyLocksFromNativeModifiers(0, false), KeyLocks{});
    // The offscreen platform's key events carry nothing to read.
    EXPECT_FALSE(KeyEventsCarryLocks());
}

TEST(CAboutDlg, CaptionVersionAndBuildAndTextsThatFit) {
    CAboutDlg about;
    EXPECT_EQ(about.windowTitle(), QStringLiteral("About Lutaris"));
    QStringList texts;
    for (const QLabel* label : about.findChildren<QLabel*>()) {
        if (label->text().isEmpty()) continue;
        texts << label->text();
        // Every line fits its static control, as the template sizes it.
        const QFontMetrics metrics(label->font());
        for (const QString& line : label->text().split(u'\n'))
            EXPECT_LE(metrics.horizontalAdvance(line), label->width()) << line.toStdString();
        EXPECT_LE(metrics.lineSpacing() * label->text().count(u'\n') + metrics.height(),
                  label->height() + 2)
            << label->text().toStdString();
    }
    EXPECT_TRUE(texts.join(u'\n').startsWith(QStringLiteral("Lutaris Version 0.2b\n")));
    EXPECT_TRUE(texts.contains(QStringLiteral("Build: 01.25.04")));
}

}  // namespace
}  // namespace lutaris
