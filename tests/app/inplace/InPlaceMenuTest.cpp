// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include <algorithm>

#include "app/inplace/InPlaceMenu.h"
#include "model/CommandIds.h"

namespace lutaris {
namespace {

const InPlaceMenu::Item* Find(const std::vector<InPlaceMenu::Menu>& menus, std::int32_t id) {
    for (const InPlaceMenu::Menu& menu : menus) {
        const auto found =
            std::find_if(menu.items.begin(), menu.items.end(),
                         [id](const InPlaceMenu::Item& item) { return item.id == id; });
        if (found != menu.items.end()) return &*found;
    }
    return nullptr;
}

TEST(InPlaceMenu, PlayFollowsViewInTheObjectsGroupBeforeTheContainersSeparators) {
    const std::vector<InPlaceMenu::Menu> menus = InPlaceMenu::Build({});
    ASSERT_EQ(menus.size(), 6u);
    EXPECT_EQ(menus[1].title, "&View");
    EXPECT_EQ(menus[2].title, "&Play");
    EXPECT_TRUE(menus[3].title.empty() && menus[3].items.empty());
    EXPECT_TRUE(menus[4].title.empty() && menus[4].items.empty());
    EXPECT_EQ(menus[5].title, "&Help");
    const std::vector<InPlaceMenu::Item> expected = {
        {ID_PLAY, "&Play\tSpace", true, false, false},
        {ID_PLAY_LOOP, "&Loop", true, true, false},
        {ID_SOUND_WHILE_TYPING, "Sound Notes While &Typing", true, true, true},
        {},
        {ID_PLAYBACK_SETTINGS, "Playback &Settings...", true, false, false},
    };
    EXPECT_EQ(menus[2].items, expected);
}

TEST(InPlaceMenu, PlayReadsStopWhilePlayingAndTheChecksFollowTheState) {
    InPlaceMenu::State state;
    state.playing = true;
    state.loop = true;
    state.soundWhileTyping = false;
    const std::vector<InPlaceMenu::Menu> menus = InPlaceMenu::Build(state);
    ASSERT_NE(Find(menus, ID_PLAY), nullptr);
    EXPECT_EQ(Find(menus, ID_PLAY)->text, "&Stop\tSpace");
    EXPECT_TRUE(Find(menus, ID_PLAY_LOOP)->checked);
    EXPECT_FALSE(Find(menus, ID_SOUND_WHILE_TYPING)->checked);
}

TEST(InPlaceMenu, ThePlayCommandsRunInPlaceAndTheFileMenusExportsDoNot) {
    for (const std::int32_t id :
         {ID_PLAY, ID_PLAY_LOOP, ID_SOUND_WHILE_TYPING, ID_PLAYBACK_SETTINGS})
        EXPECT_TRUE(InPlaceMenu::CanRun(id, {})) << id;
    // The container owns the file; menu 4 has no File menu.
    EXPECT_FALSE(InPlaceMenu::Offers(ID_EXPORT_MIDI));
    EXPECT_FALSE(InPlaceMenu::Offers(ID_EXPORT_AUDIO));
}

}  // namespace
}  // namespace lutaris
