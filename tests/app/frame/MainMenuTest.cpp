// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>

#include "app/frame/FrameActions.h"
#include "app/frame/MainMenu.h"
#include "model/CommandIds.h"

namespace lutaris {
namespace {

// A menu as texts: items by their text, separators as "-", submenus as "TITLE>" followed by
// their items and "<".
QStringList Describe(const QMenu& menu, bool visibleOnly = true) {
    QStringList texts;
    for (const QAction* action : menu.actions()) {
        if (visibleOnly && !action->isVisible()) continue;
        if (action->isSeparator()) {
            texts << QStringLiteral("-");
        } else if (action->menu() != nullptr) {
            texts << action->text() + u'>';
            texts << Describe(*action->menu());
            texts << QStringLiteral("<");
        } else {
            texts << action->text();
        }
    }
    return texts;
}

struct MenuFixture : ::testing::Test {
    QMainWindow window;
    FrameActions* actions = new FrameActions(&window);
    MainMenu* menu = new MainMenu(*window.menuBar(), *actions);
};

TEST_F(MenuFixture, TopLevelMenusInOrder) {
    QStringList titles;
    for (const QMenu* top : menu->TopMenus()) titles << top->title();
    EXPECT_EQ(titles, (QStringList{"&File", "&Edit", "&View", "&Play", "&Help"}));
}

TEST_F(MenuFixture, FileMenuHoldsExactlyTheGivenItems) {
    EXPECT_EQ(Describe(*menu->TopMenus()[0]),
              (QStringList{"&New\tCtrl+N", "&Open...\tCtrl+O", "&Save\tCtrl+S", "Save &As...", "-",
                           "&Import File", "&Export File", "Export &MIDI...", "Export &Audio...",
                           "-", "&Print...\tCtrl+P", "Print Pre&view", "P&rint Setup...", "-",
                           "Recent File", "-", "E&xit"}));
}

TEST_F(MenuFixture, EditMenuHoldsExactlyTheGivenItemsAndTheActionSubmenu) {
    EXPECT_EQ(Describe(*menu->TopMenus()[1]), (QStringList{"&Undo\tCtrl+Z",
                                                           "&Redo\tCtrl+Y",
                                                           "-",
                                                           "Cu&t\tCtrl+X",
                                                           "&Copy\tCtrl+C",
                                                           "Copy as &Text",
                                                           "&Paste\tCtrl+V",
                                                           "Select &All\tCtrl+A",
                                                           "-",
                                                           "&Add Tab Item\tShift+I",
                                                           "Insert &Tab Item\tCtrl+T",
                                                           "Insert &Note\tShift+Left",
                                                           "Insert &Random Riff\tCtrl+R",
                                                           "-",
                                                           "&Action>",
                                                           "&Bend Up\tB",
                                                           "Bend Release\tR",
                                                           "Slide Up\t/",
                                                           "Slide Down\t\\",
                                                           "Hammer On\tH",
                                                           "Pull Off\tP",
                                                           "Mute\tX",
                                                           "Vibrato\t~",
                                                           "Tap\tT",
                                                           "Optional\tO",
                                                           "Harmonic\tA",
                                                           "-",
                                                           "Clear Action\tZ",
                                                           "<",
                                                           "&Tab Settings"}));
}

TEST_F(MenuFixture, ViewAndHelpMenus) {
    EXPECT_EQ(Describe(*menu->TopMenus()[2]), (QStringList{"&Toolbar", "&Status Bar"}));
    EXPECT_EQ(Describe(*menu->TopMenus()[4]), (QStringList{"&About Lutaris..."}));
    EXPECT_TRUE(actions->Action(ID_VIEW_TOOLBAR)->isChecked());
    EXPECT_TRUE(actions->Action(ID_VIEW_STATUS_BAR)->isChecked());
}

TEST_F(MenuFixture, PlayMenuWithItsCheckMarksAndIds) {
    EXPECT_EQ(Describe(*menu->TopMenus()[3]),
              (QStringList{"&Play\tSpace", "&Loop", "Sound Notes While &Typing", "-",
                           "Playback &Settings..."}));
    EXPECT_EQ(actions->Action(32802)->text(), QStringLiteral("&Play\tSpace"));
    EXPECT_EQ(actions->Action(32803)->text(), QStringLiteral("&Loop"));
    EXPECT_EQ(actions->Action(32804)->text(), QStringLiteral("Sound Notes While &Typing"));
    EXPECT_EQ(actions->Action(32805)->text(), QStringLiteral("Playback &Settings..."));
    EXPECT_EQ(actions->Action(32806)->text(), QStringLiteral("Export &MIDI..."));
    EXPECT_EQ(actions->Action(32807)->text(), QStringLiteral("Export &Audio..."));
    EXPECT_TRUE(actions->Action(ID_PLAY_LOOP)->isCheckable());
    EXPECT_FALSE(actions->Action(ID_PLAY_LOOP)->isChecked());
    EXPECT_TRUE(actions->Action(ID_SOUND_WHILE_TYPING)->isCheckable());
    EXPECT_TRUE(actions->Action(ID_SOUND_WHILE_TYPING)->isChecked());
    EXPECT_FALSE(actions->Action(ID_PLAY)->isCheckable());
    // Space is the view's key, not a shortcut that would take it from every other widget.
    EXPECT_TRUE(actions->Action(ID_PLAY)->shortcuts().isEmpty());
    for (const int id : {ID_PLAY, ID_PLAY_LOOP, ID_SOUND_WHILE_TYPING, ID_PLAYBACK_SETTINGS,
                         ID_EXPORT_MIDI, ID_EXPORT_AUDIO}) {
        EXPECT_FALSE(actions->Action(id)->statusTip().isEmpty()) << id;
        EXPECT_FALSE(actions->Action(id)->toolTip().isEmpty()) << id;
    }
}

TEST_F(MenuFixture, UndoRedoAndTheRecentFilePlaceholderStartGrayed) {
    EXPECT_FALSE(actions->Action(ID_EDIT_UNDO)->isEnabled());
    EXPECT_FALSE(actions->Action(ID_EDIT_REDO)->isEnabled());
    EXPECT_FALSE(actions->Action(ID_FILE_MRU_FILE1)->isEnabled());
    EXPECT_TRUE(actions->Action(ID_EDIT_CUT)->isEnabled());
}

TEST_F(MenuFixture, RecentFilesTakeThePlaceholdersPlace) {
    QSignalSpy chosen(menu, &MainMenu::RecentFileChosen);
    menu->SetRecentFiles({"/music/a.ltf", "/music/b&c.ltf"});
    const QStringList file = Describe(*menu->TopMenus()[0]);
    const qsizetype first = file.indexOf(QStringLiteral("&1 /music/a.ltf"));
    ASSERT_GE(first, 0);
    EXPECT_EQ(file.at(first + 1), QStringLiteral("&2 /music/b&&c.ltf"));
    EXPECT_EQ(file.at(first + 2), QStringLiteral("-"));
    EXPECT_FALSE(file.contains(QStringLiteral("Recent File")));

    for (QAction* action : menu->TopMenus()[0]->actions())
        if (action->text().startsWith(QStringLiteral("&2"))) action->trigger();
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosen.at(0).at(0).toInt(), 1);

    menu->SetRecentFiles({});
    EXPECT_TRUE(Describe(*menu->TopMenus()[0]).contains(QStringLiteral("Recent File")));
    EXPECT_FALSE(Describe(*menu->TopMenus()[0]).contains(QStringLiteral("&1 /music/a.ltf")));
}

TEST_F(MenuFixture, AcceleratorTableKeys) {
    const auto keys = [this](int id) { return actions->Action(id)->shortcuts(); };
    EXPECT_EQ(keys(ID_FILE_NEW), QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_N)});
    EXPECT_EQ(keys(ID_FILE_PRINT), QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_P)});
    EXPECT_EQ(actions->UndoKeys()->shortcuts(),
              (QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_Z),
                                   QKeySequence(Qt::ALT | Qt::Key_Backspace)}));
    EXPECT_EQ(actions->RedoKeys()->shortcuts(),
              (QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_Y),
                                   QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}));
    EXPECT_EQ(keys(ID_EDIT_CUT), (QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_X),
                                                      QKeySequence(Qt::SHIFT | Qt::Key_Delete)}));
    EXPECT_EQ(keys(ID_EDIT_COPY), (QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_C),
                                                       QKeySequence(Qt::CTRL | Qt::Key_Insert)}));
    EXPECT_EQ(keys(ID_EDIT_PASTE), (QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_V),
                                                        QKeySequence(Qt::SHIFT | Qt::Key_Insert)}));
    EXPECT_EQ(keys(ID_INSERT_NOTE), QList<QKeySequence>{QKeySequence(Qt::SHIFT | Qt::Key_Left)});
    EXPECT_EQ(keys(ID_NEXT_PANE), QList<QKeySequence>{QKeySequence(Qt::Key_F6)});
    EXPECT_EQ(keys(ID_PREV_PANE), QList<QKeySequence>{QKeySequence(Qt::SHIFT | Qt::Key_F6)});
}

TEST_F(MenuFixture, TechniqueLettersAndTheTypedCapitalIAreNoShortcuts) {
    for (const int id : {ID_ACTION_BEND_UP, ID_ACTION_SLIDE_UP, ID_ACTION_CLEAR, ID_ACTION_MUTE,
                         ID_ADD_TAB_ITEM, ID_TAB_SETTINGS, ID_COPY_AS_TEXT})
        EXPECT_TRUE(actions->Action(id)->shortcuts().isEmpty()) << id;
}

TEST_F(MenuFixture, TriggeringAnItemReportsItsCommandId) {
    QSignalSpy triggered(actions, &FrameActions::CommandTriggered);
    actions->Action(ID_ACTION_HAMMER_ON)->trigger();
    ASSERT_EQ(triggered.count(), 1);
    EXPECT_EQ(triggered.at(0).at(0).toInt(), ID_ACTION_HAMMER_ON);
}

TEST_F(MenuFixture, PromptsAndTooltipsFromTheStringTable) {
    EXPECT_EQ(actions->Action(ID_FILE_NEW)->statusTip(), QStringLiteral("Create a new document"));
    EXPECT_EQ(actions->Action(ID_FILE_NEW)->toolTip(), QStringLiteral("New"));
    EXPECT_EQ(actions->Action(ID_EDIT_PASTE)->statusTip(),
              QStringLiteral("Insert Clipboard contents"));
    EXPECT_EQ(actions->Action(ID_APP_ABOUT)->toolTip(), QStringLiteral("About"));
    EXPECT_EQ(actions->Action(ID_APP_ABOUT)->statusTip(),
              QStringLiteral("Display program information, version number and copyright"));
    EXPECT_EQ(actions->Action(ID_TAB_SETTINGS)->statusTip(),
              QStringLiteral("Set user options for tablature"));
    EXPECT_EQ(actions->Action(ID_COPY_AS_TEXT)->statusTip(),
              QStringLiteral("Copy the selected TAB as text."));
    EXPECT_EQ(actions->Action(ID_EXPORT_MIDI)->statusTip(),
              QStringLiteral("Write the tab as a Standard MIDI File"));
    for (int id = ID_INSERT_TAB_ITEM; id <= ID_ACTION_OPTIONAL; ++id)
        EXPECT_TRUE(actions->Action(id)->statusTip().isEmpty()) << id;
}

}  // namespace
}  // namespace lutaris

namespace lutaris {
namespace {

// Menu 5 and accelerator table 5: an object opened from a container.
TEST(EmbeddedMenu, HoldsMenuFiveAndTheKeysOfTableFiveOnly) {
    QMainWindow window;
    FrameActions* actions = new FrameActions(&window, FrameKind::Embedded);
    MainMenu* menu = new MainMenu(*window.menuBar(), *actions, FrameKind::Embedded);
    ASSERT_EQ(menu->TopMenus().size(), 5u);
    EXPECT_EQ(menu->TopMenus()[3]->title(), QStringLiteral("&Play"));
    EXPECT_EQ(Describe(*menu->TopMenus()[3]).size(), 5);
    EXPECT_EQ(Describe(*menu->TopMenus()[0]),
              (QStringList{"&Update\tCtrl+S", "Save Copy &As...", "-", "&Print...\tCtrl+P",
                           "Print Pre&view", "P&rint Setup...", "-", "E&xit"}));
    const QStringList edit = Describe(*menu->TopMenus()[1]);
    EXPECT_EQ(edit.mid(0, 9),
              (QStringList{"&Undo\tCtrl+Z", "&Redo\tCtrl+Y", "-", "Cu&t\tCtrl+X", "&Copy\tCtrl+C",
                           "&Paste\tCtrl+V", "Select &All\tCtrl+A", "-", "&Action>"}));
    EXPECT_EQ(edit.last(), QStringLiteral("&Tab Settings"));
    // Ctrl+S updates the container; the insert keys and New, Open, Save are not there at all.
    EXPECT_EQ(actions->Action(ID_FILE_UPDATE)->shortcuts(),
              QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_S)});
    for (const int absent :
         {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_INSERT_TAB_ITEM, ID_INSERT_RANDOM_RIFF,
          ID_INSERT_NOTE, ID_ADD_TAB_ITEM, ID_COPY_AS_TEXT, ID_IMPORT_FILE, ID_EXPORT_FILE,
          ID_EXPORT_MIDI, ID_EXPORT_AUDIO})
        EXPECT_EQ(actions->Action(absent), nullptr) << absent;
    // The command prompts of the framework's items.
    EXPECT_EQ(actions->Action(ID_FILE_UPDATE)->statusTip(),
              QStringLiteral("Update the container to show any changes"));
    // No recent files in this menu.
    menu->SetRecentFiles({"/tmp/a.ltf"});
    EXPECT_EQ(menu->TopMenus()[0]->actions().size(), 8);
}

}  // namespace
}  // namespace lutaris
