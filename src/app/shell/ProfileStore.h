// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <QByteArray>
#include <QPageLayout>
#include <QSettings>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace lutaris {

// Where the program keeps what it remembers between runs: the recent-file list, the print
// preview's page count and size, the page set-up and the main window's place. Never the layout
// defaults: those come from the settings file.
class ProfileStore {
public:
    static constexpr const char* kOrganization = "Local AppWizard-Generated Applications";
    static constexpr const char* kApplication = "Lutaris";

    // The user's profile under the organisation and application names.
    ProfileStore();
    // A profile kept in one INI file (tests, other users' profiles).
    explicit ProfileStore(const QString& iniPath);

    std::vector<std::string> ReadRecentFiles(std::size_t count) const;
    void WriteRecentFiles(const std::vector<std::string>& paths, std::size_t count);

    int ReadPreviewPages() const;
    void WritePreviewPages(int pages);

    // Qt's own encodings of a window's geometry and of its bars; empty when never written.
    struct WindowPlacement {
        QByteArray geometry;
        QByteArray state;
    };
    WindowPlacement ReadWindowPlacement() const;
    void WriteWindowPlacement(const WindowPlacement& placement);

    // The paper, orientation and margins Page Setup chose; nothing when none was kept or what
    // is kept does not make a page (the profile is a file anyone can edit).
    std::optional<QPageLayout> ReadPageLayout() const;
    void WritePageLayout(const QPageLayout& layout);
    // Whether pages carry the title and the page numbers: yes unless the person said no.
    bool ReadPageDecorations() const;
    void WritePageDecorations(bool shown);
    QByteArray ReadPreviewGeometry() const;
    void WritePreviewGeometry(const QByteArray& geometry);

private:
    std::unique_ptr<QSettings> settings_;
};

}  // namespace lutaris
