// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <cmath>
#include <string>
#include <vector>

#include "support/TestPaths.h"

namespace lutaris {
namespace {

// The view at every scale factor a desktop gives (QT_SCALE_FACTOR, in a process of its own per
// factor) against the view at 1, the scaled picture brought back to the size of the one at 1:
// every string line that 1 shows must be there, and each band of rows must carry about as much
// ink. Line for line equality is not asked for: text is laid out anew at each size.

// Darkness per pixel, 0 (white) to 1 (black), of a picture brought to `size`.
struct Darkness {
    int width = 0;
    int height = 0;
    std::vector<double> values;
    double At(int x, int y) const { return values[static_cast<std::size_t>(y * width + x)]; }
};

Darkness DarknessOf(const QImage& picture, QSize size) {
    const QImage resampled = picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                                 .convertToFormat(QImage::Format_RGB32);
    Darkness darkness{size.width(), size.height(), {}};
    darkness.values.reserve(static_cast<std::size_t>(size.width() * size.height()));
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x)
            darkness.values.push_back(1.0 - qGray(resampled.pixel(x, y)) / 255.0);
    }
    return darkness;
}

// A string line as the picture at 1 shows it: a run of dark pixels along one row.
struct Line {
    int y = 0;
    int left = 0;
    int right = 0;  // one past the last
};

std::vector<Line> LinesOf(const Darkness& picture) {
    constexpr int kShortest = 40;  // longer than any text or mark
    std::vector<Line> lines;
    for (int y = 0; y < picture.height; ++y) {
        int start = -1;
        for (int x = 0; x <= picture.width; ++x) {
            const bool dark = x < picture.width && picture.At(x, y) > 0.5;
            if (dark && start < 0) start = x;
            if (!dark && start >= 0) {
                if (x - start >= kShortest) lines.push_back({y, start, x});
                start = -1;
            }
        }
    }
    return lines;
}

// How much of the line the other picture shows, within a row of it either way.
double Shown(const Line& line, const Darkness& picture) {
    int shown = 0;
    for (int x = line.left; x < line.right; ++x) {
        double darkest = 0.0;
        for (int y = std::max(0, line.y - 1); y <= std::min(picture.height - 1, line.y + 1); ++y)
            darkest = std::max(darkest, picture.At(x, y));
        shown += darkest > 0.25 ? 1 : 0;
    }
    return static_cast<double>(shown) / (line.right - line.left);
}

double InkOfRows(const Darkness& picture, int top, int bottom) {
    double ink = 0.0;
    for (int y = top; y < bottom && y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) ink += picture.At(x, y);
    }
    return ink;
}

QImage PaintAt(const test::TempDir& dir, const std::string& factor, const char* which) {
    const QString prefix = QString::fromStdString((dir / ("view-" + factor)).string());
    const QString path = prefix + QStringLiteral("-") + QLatin1String(which) + ".png";
    if (!QImage(path).isNull()) return QImage(path);
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("QT_SCALE_FACTOR"), QString::fromStdString(factor));
    environment.remove(QStringLiteral("QT_SCREEN_SCALE_FACTORS"));
    environment.remove(QStringLiteral("QT_ENABLE_HIGHDPI_SCALING"));
    child.setProcessEnvironment(environment);
    child.setWorkingDirectory(QString::fromStdString(dir.Path().string()));
    child.start(QStringLiteral(LUTARIS_VIEW_AT_SCALE), {prefix});
    EXPECT_TRUE(child.waitForFinished(60000)) << factor;
    EXPECT_EQ(child.exitCode(), 0) << factor << ": " << child.readAllStandardError().toStdString();
    return QImage(path);
}

TEST(ViewScale, EveryScaleFactorDrawsWhatScaleOneDraws) {
    test::TempDir dir;
    for (const char* which : {"shown", "edited"}) {
        const QImage one = PaintAt(dir, "1", which);
        ASSERT_FALSE(one.isNull()) << which;
        const Darkness reference = DarknessOf(one, one.size());
        const std::vector<Line> lines = LinesOf(reference);
        // Three rows of items and more are in the window, each with its six strings.
        ASSERT_GE(lines.size(), 30u) << which;

        for (const std::string factor : {"1.25", "1.5", "2", "3"}) {
            const QImage scaled = PaintAt(dir, factor, which);
            ASSERT_FALSE(scaled.isNull()) << factor << " " << which;
            const double ratio = std::stod(factor);
            EXPECT_NEAR(scaled.width(), one.width() * ratio, 2.0) << factor;
            EXPECT_NEAR(scaled.height(), one.height() * ratio, 2.0) << factor;
            const Darkness picture = DarknessOf(scaled, one.size());

            int missing = 0;
            for (const Line& line : lines) {
                const double shown = Shown(line, picture);
                if (shown < 0.9) ++missing;
                EXPECT_GE(shown, 0.9) << "scale " << factor << ", " << which << ": the line at y "
                                      << line.y << " from x " << line.left << " to " << line.right;
                if (missing > 5) break;
            }
            // Bands of 30 rows: a band with ink at 1 has about as much at every scale, a band
            // without has none.
            for (int top = 0; top < reference.height; top += 30) {
                const double expected = InkOfRows(reference, top, top + 30);
                const double ink = InkOfRows(picture, top, top + 30);
                if (expected < 20.0) {
                    EXPECT_LT(ink, 20.0) << "scale " << factor << ", " << which << ", rows " << top;
                } else {
                    // Lines a unit wide cover whole pixels: at 1.25 mostly two of them.
                    EXPECT_NEAR(ink / expected, 1.0, 0.6)
                        << "scale " << factor << ", " << which << ", rows " << top;
                }
            }
        }
    }
}

}  // namespace
}  // namespace lutaris
