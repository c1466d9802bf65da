#include "app/MainMenu.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "app/FrameActions.h"
#include "app/RecentFileList.h"
#include "model/CommandIds.h"

namespace lutaris {

namespace {

constexpr int kSeparator = 0;
constexpr int kActionSubmenu = -1;

const std::vector<int> kFileMenu = {
    ID_FILE_NEW,   ID_FILE_OPEN,          ID_FILE_SAVE,        ID_FILE_SAVE_AS, kSeparator,
    ID_IMPORT_FILE, ID_EXPORT_FILE,       kSeparator,          ID_FILE_PRINT,
    ID_FILE_PRINT_PREVIEW, ID_FILE_PRINT_SETUP, kSeparator,    ID_FILE_MRU_FILE1, kSeparator,
    ID_APP_EXIT,
};
const std::vector<int> kEditMenu = {
    ID_EDIT_UNDO,       kSeparator,         ID_EDIT_CUT,        ID_EDIT_COPY,
    ID_COPY_AS_TEXT,    ID_EDIT_PASTE,      kSeparator,         ID_ADD_TAB_ITEM,
    ID_INSERT_TAB_ITEM, ID_INSERT_NOTE,     ID_INSERT_RANDOM_RIFF, kSeparator,
    kActionSubmenu,     ID_TAB_SETTINGS,
};
const std::vector<int> kActionMenu = {
    ID_ACTION_BEND_UP, ID_ACTION_BEND_RELEASE, ID_ACTION_SLIDE_UP, ID_ACTION_SLIDE_DOWN,
    ID_ACTION_HAMMER_ON, ID_ACTION_PULL_OFF, ID_ACTION_MUTE, ID_ACTION_VIBRATO, ID_ACTION_TAP,
    ID_ACTION_OPTIONAL, ID_ACTION_HARMONIC, kSeparator, ID_ACTION_CLEAR,
};
// Menu 5.
const std::vector<int> kEmbeddedFileMenu = {
    ID_FILE_UPDATE, ID_FILE_SAVE_COPY_AS, kSeparator, ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW,
    ID_FILE_PRINT_SETUP, kSeparator, ID_APP_EXIT,
};
const std::vector<int> kEmbeddedEditMenu = {
    ID_EDIT_UNDO, kSeparator, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, kSeparator,
    kActionSubmenu, ID_TAB_SETTINGS,
};
const std::vector<int> kViewMenu = {ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR};
const std::vector<int> kHelpMenu = {ID_APP_ABOUT};

}  // namespace

MainMenu::MainMenu(QMenuBar& menuBar, FrameActions& actions, FrameKind kind)
    : QObject(&menuBar), actions_(actions) {
    const bool embedded = kind == FrameKind::Embedded;
    fileMenu_ = AddMenu(menuBar, "&File", embedded ? kEmbeddedFileMenu : kFileMenu);
    AddMenu(menuBar, "&Edit", embedded ? kEmbeddedEditMenu : kEditMenu);
    AddMenu(menuBar, "&View", kViewMenu);
    AddMenu(menuBar, "&Help", kHelpMenu);
    if (embedded) return;  // no recent files
    recentPlaceholder_ = actions_.Action(ID_FILE_MRU_FILE1);
    const QList<QAction*> fileActions = fileMenu_->actions();
    recentSeparator_ = fileActions.at(fileActions.indexOf(recentPlaceholder_) + 1);
}

QMenu* MainMenu::AddMenu(QMenuBar& menuBar, const char* title, const std::vector<int>& commands) {
    QMenu* menu = menuBar.addMenu(QString::fromLatin1(title));
    FillMenu(*menu, commands);
    topMenus_.push_back(menu);
    return menu;
}

void MainMenu::FillMenu(QMenu& menu, const std::vector<int>& commands) {
    allMenus_.push_back(&menu);
    for (const int command : commands) {
        if (command == kSeparator) {
            menu.addSeparator();
        } else if (command == kActionSubmenu) {
            QMenu* submenu = menu.addMenu(QStringLiteral("&Action"));
            FillMenu(*submenu, kActionMenu);
        } else {
            menu.addAction(actions_.Action(command));
        }
    }
}

void MainMenu::SetRecentFiles(const std::vector<std::string>& paths) {
    if (recentPlaceholder_ == nullptr) return;
    for (QAction* entry : recentEntries_) {
        fileMenu_->removeAction(entry);
        entry->deleteLater();
    }
    recentEntries_.clear();
    recentPlaceholder_->setVisible(paths.empty());
    for (std::size_t i = 0; i < paths.size(); ++i) {
        auto* entry = new QAction(
            QString::fromStdString(RecentFileList::MenuText(i, paths[i])), fileMenu_);
        entry->setStatusTip(recentPlaceholder_->statusTip());
        entry->setData(static_cast<int>(i));
        const int index = static_cast<int>(i);
        connect(entry, &QAction::triggered, this, [this, index] { emit RecentFileChosen(index); });
        fileMenu_->insertAction(recentSeparator_, entry);
        recentEntries_.push_back(entry);
    }
}

}  // namespace lutaris
