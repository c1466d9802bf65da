// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "GuiApplication.h"

#include <QGuiApplication>
#include <cstdlib>
#include <memory>

namespace lutaris::cli {
namespace {

int argc = 1;
char name[] = "lutaris-cli";
char* argv[] = {name, nullptr};

std::unique_ptr<QGuiApplication>& Application() {
    static std::unique_ptr<QGuiApplication> application;
    return application;
}

}  // namespace

void EnsureGuiApplication() {
    if (Application() || QGuiApplication::instance() != nullptr) return;
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    Application() = std::make_unique<QGuiApplication>(argc, argv);
}

GuiApplicationLifetime::~GuiApplicationLifetime() { Application().reset(); }

}  // namespace lutaris::cli
