#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>

// Qt-level tests share one application object. Without a display (CI, test discovery) they run
// on the offscreen platform; that must be chosen before the application object exists.
int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
