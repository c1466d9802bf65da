// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <QApplication>
#include <cstdio>
#include <string>
#include <vector>

#include "app/startup/CCorvaneApp.h"
#include "app/startup/CommandLineInfo.h"
#include "app/startup/DisplayProbe.h"
#include "app/shell/ProfileStore.h"
#include "app/shell/QtPrompter.h"
#include "app/startup/StartupProbe.h"

namespace {

// The message of a start without a window system.
constexpr const char* kPlatformFailed =
    "OLE initialization failed.  Make sure that the OLE libraries are the correct version.";

// A server started by the bus, or one that removes its registration, still runs without a
// window system: it draws off screen and answers the verbs that need a window with an error.
lutaris::CommandLineInfo::Request RequestOf(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    return lutaris::CommandLineInfo::Parse(arguments).request;
}

bool RunsWithoutDisplay(lutaris::CommandLineInfo::Request request) {
    return request == lutaris::CommandLineInfo::Request::Embedding ||
           request == lutaris::CommandLineInfo::Request::Unregister;
}

// Editing in place puts the object's window into the container's X window: a server started
// for a container on a Wayland desktop draws on its X server (XWayland) when there is one. A
// platform chosen on purpose (offscreen, xcb) stays.
void PreferX11ForEmbedding(lutaris::CommandLineInfo::Request request) {
    if (request != lutaris::CommandLineInfo::Request::Embedding) return;
    if (qEnvironmentVariableIsEmpty("DISPLAY")) return;
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (platform.isEmpty() || platform.startsWith("wayland")) qputenv("QT_QPA_PLATFORM", "xcb");
}

}  // namespace

int main(int argc, char** argv) {
    const lutaris::CommandLineInfo::Request request = RequestOf(argc, argv);
    PreferX11ForEmbedding(request);
    lutaris::DisplayProbe display;
    if (!display.Available()) {
        if (!RunsWithoutDisplay(request)) {
            std::fprintf(stderr, "lutaris: %s\n", kPlatformFailed);
            return 1;
        }
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    display.Release();  // Qt is connected now
    QApplication::setOrganizationName(
        QString::fromLatin1(lutaris::ProfileStore::kOrganization));
    QApplication::setApplicationName(QString::fromLatin1(lutaris::ProfileStore::kApplication));
    // The desktop entry that the installed program is started from: the desktop matches the
    // windows to it (its name and icon) by this.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.lutaris.Lutaris"));

    lutaris::StartupProbe::InstallIfAsked();
    lutaris::QtPrompter prompter;
    lutaris::ProfileStore profile;
    lutaris::CCorvaneApp app(prompter, profile);
    app.SetProgramPath(QApplication::applicationFilePath().toStdString());
    std::vector<std::string> arguments;
    const QStringList qtArguments = QApplication::arguments();
    for (qsizetype i = 1; i < qtArguments.size(); ++i)
        arguments.push_back(qtArguments[i].toStdString());
    if (!app.InitInstance(arguments)) return app.ExitCode();
    return QApplication::exec();
}
