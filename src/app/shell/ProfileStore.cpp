#include "app/shell/ProfileStore.h"

namespace lutaris {

namespace {

const QString kRecentFileGroup = QStringLiteral("Recent File List");
const QString kSettingsGroup = QStringLiteral("Settings");

QString RecentFileKey(std::size_t index) { return QStringLiteral("File%1").arg(index + 1); }

}  // namespace

ProfileStore::ProfileStore()
    : settings_(std::make_unique<QSettings>(QString::fromLatin1(kOrganization),
                                            QString::fromLatin1(kApplication))) {}

ProfileStore::ProfileStore(const QString& iniPath)
    : settings_(std::make_unique<QSettings>(iniPath, QSettings::IniFormat)) {}

std::vector<std::string> ProfileStore::ReadRecentFiles(std::size_t count) const {
    std::vector<std::string> paths;
    settings_->beginGroup(kRecentFileGroup);
    for (std::size_t i = 0; i < count; ++i) {
        const QString path = settings_->value(RecentFileKey(i)).toString();
        if (!path.isEmpty()) paths.push_back(path.toStdString());
    }
    settings_->endGroup();
    return paths;
}

void ProfileStore::WriteRecentFiles(const std::vector<std::string>& paths, std::size_t count) {
    settings_->beginGroup(kRecentFileGroup);
    for (std::size_t i = 0; i < count; ++i) {
        if (i < paths.size())
            settings_->setValue(RecentFileKey(i), QString::fromStdString(paths[i]));
        else
            settings_->remove(RecentFileKey(i));
    }
    settings_->endGroup();
    settings_->sync();
}

int ProfileStore::ReadPreviewPages() const {
    return settings_->value(kSettingsGroup + QStringLiteral("/PreviewPages"), 1).toInt();
}

void ProfileStore::WritePreviewPages(int pages) {
    settings_->setValue(kSettingsGroup + QStringLiteral("/PreviewPages"), pages);
    settings_->sync();
}

ProfileStore::WindowPlacement ProfileStore::ReadWindowPlacement() const {
    return {settings_->value(kSettingsGroup + QStringLiteral("/WindowGeometry")).toByteArray(),
            settings_->value(kSettingsGroup + QStringLiteral("/WindowState")).toByteArray()};
}

void ProfileStore::WriteWindowPlacement(const WindowPlacement& placement) {
    settings_->setValue(kSettingsGroup + QStringLiteral("/WindowGeometry"), placement.geometry);
    settings_->setValue(kSettingsGroup + QStringLiteral("/WindowState"), placement.state);
    settings_->sync();
}

}  // namespace lutaris
