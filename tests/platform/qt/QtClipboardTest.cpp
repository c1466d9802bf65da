// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QMimeData>
#include <algorithm>

#include "platform/qt/QtClipboard.h"

namespace lutaris {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(QtClipboard, PrivateFormatNamesTravelUnchanged) {
    QtClipboard clipboard;
    clipboard.SetFormats({{"Lutaris 0.2", {1, 2, 3, 4}}, {"text/plain", {'h', 'i'}}});
    // What any Qt code of the process (the view's drop target among it) sees.
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(mime, nullptr);
    EXPECT_TRUE(mime->hasFormat("Lutaris 0.2"));
    EXPECT_EQ(mime->text(), "hi");

    EXPECT_TRUE(clipboard.HasFormat("Lutaris 0.2"));
    EXPECT_FALSE(clipboard.HasFormat("Glissomarkers 3.0"));
    EXPECT_EQ(clipboard.GetFormat("Lutaris 0.2"), Bytes({1, 2, 3, 4}));
    EXPECT_EQ(clipboard.GetFormat("image/png"), std::nullopt);
    const auto names = clipboard.ListFormats();
    EXPECT_NE(std::find(names.begin(), names.end(), "Lutaris 0.2"), names.end());
}

TEST(QtClipboard, SettingReplacesAndClearEmpties) {
    QtClipboard clipboard;
    clipboard.SetFormats({{"Lutaris 0.2", {0, 0, 0, 0}}});
    clipboard.SetFormats({{"Glissomarkers 3.0", {}}});
    EXPECT_FALSE(clipboard.HasFormat("Lutaris 0.2"));
    EXPECT_TRUE(clipboard.HasFormat("Glissomarkers 3.0"));
    clipboard.Clear();
    EXPECT_FALSE(clipboard.HasFormat("Glissomarkers 3.0"));
    EXPECT_TRUE(clipboard.ListFormats().empty());
}

}  // namespace
}  // namespace lutaris
