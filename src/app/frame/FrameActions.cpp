// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "app/frame/FrameActions.h"

#include <QAction>
#include <QKeySequence>
#include <QWidget>
#include <vector>

#include "app/shell/AcceleratorTables.h"
#include "app/shell/AppArtwork.h"
#include "app/shell/CommandStrings.h"
#include "app/shell/MenuTables.h"
#include "model/CommandIds.h"

namespace lutaris {

namespace {

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
        case ID_EXPORT_MIDI:
        case ID_EXPORT_AUDIO:
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

}  // namespace

FrameActions::FrameActions(QWidget* window, FrameKind kind) : QObject(window) {
    for (const menu_tables::CommandText& command : menu_tables::Commands()) {
        if (OffersCommand(kind, command.id)) Add(command.id, command.text);
    }

    const std::vector<accelerator_tables::Accelerator> accelerators =
        kind == FrameKind::Embedded ? accelerator_tables::Embedded()
                                    : accelerator_tables::StandAlone();
    for (const accelerator_tables::Accelerator& accelerator : accelerators) {
        QAction* action = actions_.at(accelerator.id);
        QList<QKeySequence> keys = action->shortcuts();
        keys << QKeySequence(accelerator.keys);
        action->setShortcuts(keys);
    }
    for (const auto& [id, action] : actions_) {
        const QImage image = AppArtwork::CommandButtonImage(id);
        if (image.isNull()) continue;
        action->setIcon(QIcon(QPixmap::fromImage(image)));
        // The images belong to the toolbar; the menus show texts only.
        action->setIconVisibleInMenu(false);
    }

    // Undo and Redo start grayed: a new or opened document has no history. The recent files'
    // placeholder stays grayed until files appear.
    undoKeys_ = TakeKeys(window, ID_EDIT_UNDO);
    redoKeys_ = TakeKeys(window, ID_EDIT_REDO);
    SetUndoRedo(false, 0, false, 0);
    if (QAction* recent = Action(ID_FILE_MRU_FILE1)) recent->setEnabled(false);
    for (const int id : {ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR, ID_SOUND_WHILE_TYPING}) {
        actions_.at(id)->setCheckable(true);
        actions_.at(id)->setChecked(true);
    }
    actions_.at(ID_PLAY_LOOP)->setCheckable(true);
    // Added to the window itself, the keys work whatever bar is hidden.
    for (const auto& [id, action] : actions_) window->addAction(action);
}

QAction* FrameActions::Add(int commandId, const char* text) {
    auto* action = new QAction(QString::fromLatin1(text), this);
    const CommandPrompt prompt = PromptForCommand(commandId);
    action->setStatusTip(prompt.status);
    if (!prompt.tooltip.isEmpty()) action->setToolTip(prompt.tooltip);
    connect(action, &QAction::triggered, this,
            [this, commandId] { emit CommandTriggered(commandId); });
    actions_.emplace(commandId, action);
    return action;
}

QAction* FrameActions::TakeKeys(QWidget* window, int commandId) {
    QAction* item = actions_.at(commandId);
    auto* keys = new QAction(this);
    keys->setShortcuts(item->shortcuts());
    item->setShortcuts({});
    connect(keys, &QAction::triggered, this, [this, item, commandId] {
        if (item->isEnabled()) emit CommandTriggered(commandId);
    });
    window->addAction(keys);
    return keys;
}

void FrameActions::SetUndoRedo(bool canUndo, int undoKind, bool canRedo, int redoKind) {
    const auto show = [this](int id, bool enabled, int kind) {
        QAction* item = actions_.at(id);
        const QString text =
            QString::fromStdString(menu_tables::StepItemText(id, enabled ? kind : 0));
        if (item->text() != text) item->setText(text);
        if (item->isEnabled() != enabled) item->setEnabled(enabled);
    };
    show(ID_EDIT_UNDO, canUndo, undoKind);
    show(ID_EDIT_REDO, canRedo, redoKind);
}

QAction* FrameActions::Action(int commandId) const {
    const auto found = actions_.find(commandId);
    return found == actions_.end() ? nullptr : found->second;
}

}  // namespace lutaris
