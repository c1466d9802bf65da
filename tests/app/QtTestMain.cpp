// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <string>

// Qt-level tests share one application object. Without a display (CI, test discovery) they run
// on the offscreen platform; that must be chosen before the application object exists.
int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // Every stand-alone start keeps its recovery copies in the state folder and offers the ones
    // it finds there: the tests get a folder of their own, never the user's.
    std::string state = (std::filesystem::temp_directory_path() / "lutaris-app-tests-XXXXXX");
    if (mkdtemp(state.data()) == nullptr) return 1;
    setenv("XDG_STATE_HOME", state.c_str(), 1);
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    std::error_code ignored;
    std::filesystem::remove_all(state, ignored);
    return result;
}
