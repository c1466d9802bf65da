// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "document/CCorvaneDoc.h"

#include "edit/ClipboardCommands.h"
#include "edit/CopyCommand.h"
#include "edit/CursorResultApplier.h"
#include "edit/DragSelection.h"
#include "edit/RandomRiffGenerator.h"
#include "edit/SettingsCommand.h"
#include "edit/TabItemCommands.h"
#include "edit/TechniqueCommandKeys.h"
#include "edit/TextExporter.h"
#include "model/CommandIds.h"
#include "model/TabCursor.h"
#include "platform/runtime/Rng.h"
#include "text/ImportFileCommand.h"

namespace lutaris {

CCorvaneDoc::CCorvaneDoc(Prompter& prompter)
    : ViewDocument(prompter), rng_(std::make_unique<Rng>(Rng::TimeSeed())) {}

CCorvaneDoc::~CCorvaneDoc() = default;

// ---- editing commands ----------------------------------------------------------------------

void CCorvaneDoc::ApplyCursorResult(std::int32_t result) {
    CursorResultApplier(*this).Apply(result);
}

void CCorvaneDoc::SendKeyToCursor(std::int32_t virtualKey) {
    const Tablature* edited = cursor->tabItem;
    CursorResultApplier(*this).Key(virtualKey);
    UpdateStepAfterEditing(edited);
}

void CCorvaneDoc::OnAddTabItem() { TabItemCommands(*this).AddTabItem(); }
void CCorvaneDoc::OnInsertTabItem() { TabItemCommands(*this).InsertTabItem(); }
void CCorvaneDoc::OnInsertNote() { TabItemCommands(*this).InsertNote(); }

void CCorvaneDoc::OnInsertRandomRiff() {
    // The notes are drawn once; Redo puts back these, not a new draw.
    Step step(*this, ID_INSERT_RANDOM_RIFF);
    Tablature* item = InsertTabItemAt(static_cast<std::int32_t>(tabItems.size()));
    Tablature riff(settings.get());
    RandomRiffGenerator(*rng_).Fill(riff, settings->numberOfStrings);
    ReplaceNotes(*item, std::move(riff.notes));
    UpdateStepAsDescribed();
}

void CCorvaneDoc::OnExportFile() { TextExporter(*this).Run(); }
void CCorvaneDoc::OnTabSettings() { SettingsCommand(*this).Run(); }
void CCorvaneDoc::OnImportFile() { ImportFileCommand(*this).Run(); }

// ---- clipboard commands --------------------------------------------------------------------

void CCorvaneDoc::OnEditCopy() { CopyCommand(*this).Run(); }
void CCorvaneDoc::OnEditCut() { ClipboardCommands(*this).Cut(); }
void CCorvaneDoc::OnEditPaste() { ClipboardCommands(*this).Paste(); }
void CCorvaneDoc::OnCopyAsText() { ClipboardCommands(*this).CopyAsText(); }

void CCorvaneDoc::OnEditSelectAll() {
    // A selection is no change of the content: nothing is modified, but every item may look
    // different, which the view's partial repaint after an edit does not cover.
    DragSelection(*this).SelectAll(GetClipboard());
    DiscardLayout();
    UpdateAllViews();
}

CCorvaneDoc::CommandOutcome CCorvaneDoc::RunCommand(std::int32_t commandId) {
    const auto done = [](bool happened) {
        return happened ? CommandOutcome::Done : CommandOutcome::NotDone;
    };
    if (const auto key = TechniqueKeyForCommand(commandId)) {
        SendKeyToCursor(*key);
        return CommandOutcome::Done;
    }
    if (commandId == ID_EDIT_UNDO || commandId == ID_EDIT_REDO) {
        // With nothing to take back, Undo is grayed in the menus; a script's Undo does nothing.
        commandId == ID_EDIT_UNDO ? Undo() : Redo();
        return CommandOutcome::Done;
    }
    // Whatever the command changes is one step, named after it; a command that changes
    // nothing leaves no step.
    Step step(*this, commandId);
    switch (commandId) {
        case ID_INSERT_TAB_ITEM:
            OnInsertTabItem();
            break;
        case ID_INSERT_NOTE:
            OnInsertNote();
            break;
        case ID_INSERT_RANDOM_RIFF:
            OnInsertRandomRiff();
            break;
        case ID_ADD_TAB_ITEM:
            OnAddTabItem();
            break;
        case ID_IMPORT_FILE:
            return done(ImportFileCommand(*this).Run());
        case ID_EXPORT_FILE:
            return done(TextExporter(*this).Run());
        case ID_TAB_SETTINGS:
            OnTabSettings();
            break;
        case ID_COPY_AS_TEXT:
            OnCopyAsText();
            break;
        case ID_EDIT_COPY:
            OnEditCopy();
            break;
        case ID_EDIT_CUT:
            OnEditCut();
            break;
        case ID_EDIT_PASTE:
            OnEditPaste();
            break;
        case ID_EDIT_SELECT_ALL:
            OnEditSelectAll();
            break;
        case ID_FILE_SAVE:
            return done(DoFileSave());
        case ID_FILE_SAVE_AS:
            return done(DoSave(true));
        default:
            return CommandOutcome::NotACommand;
    }
    return CommandOutcome::Done;
}

}  // namespace lutaris
