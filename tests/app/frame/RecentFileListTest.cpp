// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "app/frame/RecentFileList.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "app/shell/ProfileStore.h"

namespace lutaris {
namespace {

using Paths = std::vector<std::string>;

TEST(RecentFileList, NewestFirstEachPathOnceAtMostFour) {
    RecentFileList list;
    for (const char* path : {"a", "b", "c", "d", "e"}) list.Add(path);
    EXPECT_EQ(list.Paths(), (Paths{"e", "d", "c", "b"}));
    list.Add("c");
    EXPECT_EQ(list.Paths(), (Paths{"c", "e", "d", "b"}));
    list.Add("");
    EXPECT_EQ(list.Paths().size(), 4u);
    list.Remove(1);
    EXPECT_EQ(list.Paths(), (Paths{"c", "d", "b"}));
    list.Remove(7);
    EXPECT_EQ(list.Paths().size(), 3u);
}

TEST(RecentFileList, AssignKeepsTheOrderGiven) {
    RecentFileList list;
    list.Assign({"x", "y", "x", "z"});
    EXPECT_EQ(list.Paths(), (Paths{"x", "y", "z"}));
}

TEST(RecentFileList, MenuTextNumbersShortensAndEscapes) {
    EXPECT_EQ(RecentFileList::MenuText(0, "/tmp/a.ltf"), "&1 /tmp/a.ltf");
    EXPECT_EQ(RecentFileList::MenuText(3, "/x/Rock & Roll.ltf"), "&4 /x/Rock && Roll.ltf");
    EXPECT_EQ(RecentFileList::MenuText(1, "/home/someone/music/tabs/2024/spring/song.ltf"),
              "&2 /home/.../song.ltf");
}

TEST(ProfileStore, RecentFilesAndPreviewPagesSurviveANewStore) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString ini = folder.filePath(QStringLiteral("profile.ini"));
    {
        ProfileStore store(ini);
        EXPECT_EQ(store.ReadPreviewPages(), 1);
        store.WriteRecentFiles({"/one.ltf", "/two.ltf", "/three.ltf"}, 4);
        store.WritePreviewPages(2);
        store.WriteRecentFiles({"/two.ltf"}, 4);  // fewer entries remove the rest
    }
    ProfileStore again(ini);
    EXPECT_EQ(again.ReadRecentFiles(4), (Paths{"/two.ltf"}));
    EXPECT_EQ(again.ReadPreviewPages(), 2);
    QSettings raw(ini, QSettings::IniFormat);
    EXPECT_EQ(raw.value(QStringLiteral("Recent File List/File1")).toString(),
              QStringLiteral("/two.ltf"));
    EXPECT_FALSE(raw.contains(QStringLiteral("Recent File List/File2")));
    EXPECT_EQ(raw.value(QStringLiteral("Settings/PreviewPages")).toInt(), 2);
}

}  // namespace
}  // namespace lutaris
