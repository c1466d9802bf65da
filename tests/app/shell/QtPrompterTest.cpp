// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "app/shell/QtPrompter.h"

#include <gtest/gtest.h>

namespace lutaris {
namespace {

TEST(QtPrompter, FilterTextsKeepTheirPatternsOrGetThemAppended) {
    EXPECT_EQ(QtPrompter::FilterString({{"Lutaris Tab Files (*.ltf)", {"*.ltf"}}}),
              QStringLiteral("Lutaris Tab Files (*.ltf)"));
    // The export's filter is given without a pattern part and stays as it is.
    EXPECT_EQ(QtPrompter::FilterString({{"Text Files (*.txt)", {}}}),
              QStringLiteral("Text Files (*.txt)"));
    EXPECT_EQ(QtPrompter::FilterString({{"Tabs", {"*.ltf", "*.txt"}}, {"All Files", {"*"}}}),
              QStringLiteral("Tabs (*.ltf *.txt);;All Files (*)"));
    EXPECT_EQ(QtPrompter::FilterString({}), QString());
}

}  // namespace
}  // namespace lutaris
