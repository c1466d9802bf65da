#include "GuiApplication.h"

#include <QGuiApplication>
#include <cstdlib>
#include <memory>

namespace lutaris::cli {

void EnsureGuiApplication() {
    static int argc = 1;
    static char name[] = "lutaris-cli";
    static char* argv[] = {name, nullptr};
    static std::unique_ptr<QGuiApplication> application;
    if (application || QGuiApplication::instance() != nullptr) return;
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    application = std::make_unique<QGuiApplication>(argc, argv);
}

}  // namespace lutaris::cli
