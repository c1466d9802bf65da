#include "app/FrameActions.h"

#include <QAction>
#include <QKeySequence>
#include <QWidget>
#include <span>

#include "app/AppArtwork.h"
#include "app/CommandStrings.h"
#include "model/CommandIds.h"

namespace lutaris {

namespace {

struct CommandText {
    int id;
    const char* text;
};

// Every command of menu 128 with its text as the menu shows it: the part after "\t" names the
// key, which the accelerator keys below (or, for the techniques, the view) make work.
constexpr CommandText kCommands[] = {
    {ID_FILE_NEW, "&New\tCtrl+N"},
    {ID_FILE_OPEN, "&Open...\tCtrl+O"},
    {ID_FILE_SAVE, "&Save\tCtrl+S"},
    {ID_FILE_SAVE_AS, "Save &As..."},
    {ID_IMPORT_FILE, "&Import File"},
    {ID_EXPORT_FILE, "&Export File"},
    {ID_FILE_UPDATE, "&Update\tCtrl+S"},
    {ID_FILE_SAVE_COPY_AS, "Save Copy &As..."},
    {ID_FILE_PRINT, "&Print...\tCtrl+P"},
    {ID_FILE_PRINT_PREVIEW, "Print Pre&view"},
    {ID_FILE_PRINT_SETUP, "P&rint Setup..."},
    {ID_FILE_MRU_FILE1, "Recent File"},
    {ID_APP_EXIT, "E&xit"},
    {ID_EDIT_UNDO, "&Undo\tCtrl+Z"},
    {ID_EDIT_CUT, "Cu&t\tCtrl+X"},
    {ID_EDIT_COPY, "&Copy\tCtrl+C"},
    {ID_COPY_AS_TEXT, "Copy as &Text"},
    {ID_EDIT_PASTE, "&Paste\tCtrl+V"},
    {ID_ADD_TAB_ITEM, "&Add Tab Item\tShift+I"},
    {ID_INSERT_TAB_ITEM, "Insert &Tab Item\tCtrl+T"},
    {ID_INSERT_NOTE, "Insert &Note\tShift+Left"},
    {ID_INSERT_RANDOM_RIFF, "Insert &Random Riff\tCtrl+R"},
    {ID_TAB_SETTINGS, "&Tab Settings"},
    {ID_ACTION_BEND_UP, "&Bend Up\tB"},
    {ID_ACTION_BEND_RELEASE, "Bend Release\tR"},
    {ID_ACTION_SLIDE_UP, "Slide Up\t/"},
    {ID_ACTION_SLIDE_DOWN, "Slide Down\t\\"},
    {ID_ACTION_HAMMER_ON, "Hammer On\tH"},
    {ID_ACTION_PULL_OFF, "Pull Off\tP"},
    {ID_ACTION_MUTE, "Mute\tX"},
    {ID_ACTION_VIBRATO, "Vibrato\t~"},
    {ID_ACTION_TAP, "Tap\tT"},
    {ID_ACTION_OPTIONAL, "Optional\tO"},
    {ID_ACTION_HARMONIC, "Harmonic\tA"},
    {ID_ACTION_CLEAR, "Clear Action\tZ"},
    {ID_VIEW_TOOLBAR, "&Toolbar"},
    {ID_VIEW_STATUS_BAR, "&Status Bar"},
    {ID_APP_ABOUT, "&About Lutaris..."},
    // Keys of the accelerator table that no menu item shows: the view is never split.
    {ID_NEXT_PANE, "Next Pane"},
    {ID_PREV_PANE, "Previous Pane"},
};

struct Accelerator {
    int id;
    QKeyCombination keys;
};

// Accelerator table 128. The typed capital I of Add Tab Item is a character, not a key
// combination; the frame and the view recognise it by the text a key event carries.
const Accelerator kAccelerators[] = {
    {ID_FILE_NEW, Qt::CTRL | Qt::Key_N},
    {ID_FILE_OPEN, Qt::CTRL | Qt::Key_O},
    {ID_FILE_SAVE, Qt::CTRL | Qt::Key_S},
    {ID_FILE_PRINT, Qt::CTRL | Qt::Key_P},
    {ID_EDIT_UNDO, Qt::CTRL | Qt::Key_Z},
    {ID_EDIT_UNDO, Qt::ALT | Qt::Key_Backspace},
    {ID_EDIT_CUT, Qt::CTRL | Qt::Key_X},
    {ID_EDIT_CUT, Qt::SHIFT | Qt::Key_Delete},
    {ID_EDIT_COPY, Qt::CTRL | Qt::Key_C},
    {ID_EDIT_COPY, Qt::CTRL | Qt::Key_Insert},
    {ID_EDIT_PASTE, Qt::CTRL | Qt::Key_V},
    {ID_EDIT_PASTE, Qt::SHIFT | Qt::Key_Insert},
    {ID_INSERT_TAB_ITEM, Qt::CTRL | Qt::Key_T},
    {ID_INSERT_RANDOM_RIFF, Qt::CTRL | Qt::Key_R},
    {ID_INSERT_NOTE, Qt::SHIFT | Qt::Key_Left},
    {ID_NEXT_PANE, QKeyCombination(Qt::Key_F6)},
    {ID_PREV_PANE, Qt::SHIFT | Qt::Key_F6},
};

// Accelerator table 5: an object opened from a container has no New, Open or insert keys, and
// Ctrl+S updates the container.
const Accelerator kEmbeddedAccelerators[] = {
    {ID_FILE_UPDATE, Qt::CTRL | Qt::Key_S},
    {ID_FILE_PRINT, Qt::CTRL | Qt::Key_P},
    {ID_EDIT_UNDO, Qt::CTRL | Qt::Key_Z},
    {ID_EDIT_UNDO, Qt::ALT | Qt::Key_Backspace},
    {ID_EDIT_CUT, Qt::CTRL | Qt::Key_X},
    {ID_EDIT_CUT, Qt::SHIFT | Qt::Key_Delete},
    {ID_EDIT_COPY, Qt::CTRL | Qt::Key_C},
    {ID_EDIT_COPY, Qt::CTRL | Qt::Key_Insert},
    {ID_EDIT_PASTE, Qt::CTRL | Qt::Key_V},
    {ID_EDIT_PASTE, Qt::SHIFT | Qt::Key_Insert},
    {ID_NEXT_PANE, QKeyCombination(Qt::Key_F6)},
    {ID_PREV_PANE, Qt::SHIFT | Qt::Key_F6},
};

// The commands of one kind of frame.
bool OffersCommand(FrameKind kind, int id) {
    switch (id) {
    case ID_FILE_UPDATE:
    case ID_FILE_SAVE_COPY_AS:
        return kind == FrameKind::Embedded;
    case ID_FILE_NEW:
    case ID_FILE_OPEN:
    case ID_FILE_SAVE:
    case ID_FILE_SAVE_AS:
    case ID_IMPORT_FILE:
    case ID_EXPORT_FILE:
    case ID_FILE_MRU_FILE1:
    case ID_COPY_AS_TEXT:
    case ID_ADD_TAB_ITEM:
    case ID_INSERT_TAB_ITEM:
    case ID_INSERT_NOTE:
    case ID_INSERT_RANDOM_RIFF:
        return kind == FrameKind::StandAlone;
    default:
        return true;
    }
}

struct ButtonImage {
    int id;
    AppArtwork::ToolbarImage image;
};

constexpr ButtonImage kButtonImages[] = {
    {ID_FILE_NEW, AppArtwork::New},     {ID_FILE_OPEN, AppArtwork::Open},
    {ID_FILE_SAVE, AppArtwork::Save},   {ID_EDIT_CUT, AppArtwork::Cut},
    {ID_EDIT_COPY, AppArtwork::Copy},   {ID_EDIT_PASTE, AppArtwork::Paste},
    {ID_FILE_PRINT, AppArtwork::Print}, {ID_APP_ABOUT, AppArtwork::About},
};

}  // namespace

FrameActions::FrameActions(QWidget* window, FrameKind kind) : QObject(window) {
    for (const CommandText& command : kCommands) {
        if (OffersCommand(kind, command.id)) Add(command.id, command.text);
    }

    const std::span<const Accelerator> accelerators =
        kind == FrameKind::Embedded ? std::span<const Accelerator>(kEmbeddedAccelerators)
                                    : std::span<const Accelerator>(kAccelerators);
    for (const Accelerator& accelerator : accelerators) {
        QAction* action = actions_.at(accelerator.id);
        QList<QKeySequence> keys = action->shortcuts();
        keys << QKeySequence(accelerator.keys);
        action->setShortcuts(keys);
    }
    for (const ButtonImage& button : kButtonImages) {
        QAction* action = Action(button.id);
        if (action == nullptr) continue;
        action->setIcon(QIcon(QPixmap::fromImage(AppArtwork::ToolbarButtonImage(button.image))));
        // The images belong to the toolbar; the menus show texts only.
        action->setIconVisibleInMenu(false);
    }

    // There is no undo: the item stays grayed, and its keys are taken by an action of their
    // own that does nothing (a disabled action would let Alt+Backspace through to the caret,
    // where it would delete a note). The recent files' placeholder stays grayed until files
    // appear.
    QAction* undo = actions_.at(ID_EDIT_UNDO);
    undoKeys_ = new QAction(this);
    undoKeys_->setShortcuts(undo->shortcuts());
    undo->setShortcuts({});
    undo->setEnabled(false);
    window->addAction(undoKeys_);
    if (QAction* recent = Action(ID_FILE_MRU_FILE1)) recent->setEnabled(false);
    for (const int id : {ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR}) {
        actions_.at(id)->setCheckable(true);
        actions_.at(id)->setChecked(true);
    }
    // Added to the window itself, the keys work whatever bar is hidden.
    for (const auto& [id, action] : actions_) window->addAction(action);
}

QAction* FrameActions::Add(int commandId, const char* text) {
    auto* action = new QAction(QString::fromLatin1(text), this);
    const CommandPrompt prompt = PromptForCommand(commandId);
    action->setStatusTip(prompt.status);
    if (!prompt.tooltip.isEmpty()) action->setToolTip(prompt.tooltip);
    connect(action, &QAction::triggered, this, [this, commandId] { emit CommandTriggered(commandId); });
    actions_.emplace(commandId, action);
    return action;
}

QAction* FrameActions::Action(int commandId) const {
    const auto found = actions_.find(commandId);
    return found == actions_.end() ? nullptr : found->second;
}

}  // namespace lutaris
