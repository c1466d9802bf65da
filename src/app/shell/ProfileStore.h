#pragma once

#include <QByteArray>
#include <QSettings>
#include <memory>
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

private:
    std::unique_ptr<QSettings> settings_;
};

}  // namespace lutaris
