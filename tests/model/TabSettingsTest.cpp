// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "model/TabSettings.h"

#include <gtest/gtest.h>

#include "platform/files/Archive.h"
#include "support/TestPaths.h"

namespace lutaris {
namespace {

using test::ScopedCurrentDir;
using test::TempDir;
using test::WriteFileText;

TEST(TabSettings, WithoutASettingsFileTheDefaultsAreUsed) {
    TempDir dir;
    ScopedCurrentDir cwd(dir.Path());
    TabSettings settings;
    settings.leftMargin = 99;
    settings.LoadDefaults();
    EXPECT_EQ(settings, (TabSettings{1, 1, 24, 12, 8, 6, 30, 1}));
}

TEST(TabSettings, AFileSettingOnlyTheStringCountKeepsTheOtherDefaults) {
    TempDir dir;
    WriteFileText(dir / "Lutaris.ini", "[TAB]\nnumberOfStrings=4\n");
    ScopedCurrentDir cwd(dir.Path());
    EXPECT_EQ(TabSettings().LoadDefaults(), (TabSettings{1, 1, 24, 12, 8, 4, 30, 1}));
}

TEST(TabSettings, TheFileIsResolvedAgainstTheCurrentDirectoryAtEachRead) {
    TempDir first;
    TempDir second;
    WriteFileText(first / "Lutaris.ini", "[TAB]\nhorizontalSpacing=30\ntextOpaque=0\n");
    WriteFileText(second / "Lutaris.ini", "[TAB]\nhorizontalSpacing=-5\nleftMargin=x\n");
    TabSettings a;
    TabSettings b;
    {
        ScopedCurrentDir cwd(first.Path());
        a.LoadDefaults();
    }
    {
        ScopedCurrentDir cwd(second.Path());
        b.LoadDefaults();
    }
    EXPECT_EQ(a, (TabSettings{1, 1, 30, 12, 8, 6, 30, 0}));
    EXPECT_EQ(b, (TabSettings{0, 1, -5, 12, 8, 6, 30, 1}));
}

TEST(TabSettings, SerializesEightIntegersInFieldOrderAndCopies) {
    TabSettings settings{1, 2, 3, 4, 5, 6, 7, -8};
    Archive out;
    settings.Serialize(out);
    ASSERT_EQ(out.StoredBytes().size(), 32u);
    EXPECT_EQ(out.StoredBytes()[4], 2);
    EXPECT_EQ(out.StoredBytes()[28], 0xF8);

    const auto bytes = out.TakeStoredBytes();
    Archive in(bytes);
    TabSettings loaded;
    loaded.Serialize(in);
    EXPECT_EQ(loaded, settings);

    TabSettings copy;
    copy.CopyFrom(settings);
    EXPECT_EQ(copy, settings);
}

}  // namespace
}  // namespace lutaris
