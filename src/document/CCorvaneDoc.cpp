#include "document/CCorvaneDoc.h"

#include "edit/ClipboardCommands.h"
#include "edit/CopyCommand.h"
#include "edit/CursorResultApplier.h"
#include "edit/RandomRiffGenerator.h"
#include "edit/SettingsCommand.h"
#include "edit/TabItemCommands.h"
#include "edit/TechniqueCommandKeys.h"
#include "edit/TextExporter.h"
#include "model/CommandIds.h"
#include "model/TabCursor.h"
#include "platform/Rng.h"
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
    ApplyCursorResult(cursor->OnKey(virtualKey));
    UpdateStepAfterEditing(edited);
}

void CCorvaneDoc::OnAddTabItem() { TabItemCommands(*this).AddTabItem(); }
void CCorvaneDoc::OnInsertTabItem() { TabItemCommands(*this).InsertTabItem(); }
void CCorvaneDoc::OnInsertNote() { TabItemCommands(*this).InsertNote(); }

void CCorvaneDoc::OnInsertRandomRiff() {
    Tablature* item = AppendTabItem(static_cast<std::int32_t>(tabItems.size()));
    RandomRiffGenerator(*rng_).Fill(*item, settings->numberOfStrings);
    UpdateStep();
}

void CCorvaneDoc::OnExportFile() { TextExporter(*this).Run(); }
void CCorvaneDoc::OnTabSettings() { SettingsCommand(*this).Run(); }
void CCorvaneDoc::OnImportFile() { ImportFileCommand(*this).Run(); }

// ---- clipboard commands --------------------------------------------------------------------

void CCorvaneDoc::OnEditCopy() { CopyCommand(*this).Run(); }
void CCorvaneDoc::OnEditCut() { ClipboardCommands(*this).Cut(); }
void CCorvaneDoc::OnEditPaste() { ClipboardCommands(*this).Paste(); }
void CCorvaneDoc::OnCopyAsText() { ClipboardCommands(*this).CopyAsText(); }

bool CCorvaneDoc::OnCommand(std::int32_t commandId) {
    if (const auto key = TechniqueKeyForCommand(commandId)) {
        SendKeyToCursor(*key);
        return true;
    }
    switch (commandId) {
        case ID_INSERT_TAB_ITEM:
            OnInsertTabItem();
            return true;
        case ID_INSERT_NOTE:
            OnInsertNote();
            return true;
        case ID_INSERT_RANDOM_RIFF:
            OnInsertRandomRiff();
            return true;
        case ID_ADD_TAB_ITEM:
            OnAddTabItem();
            return true;
        case ID_IMPORT_FILE:
            OnImportFile();
            return true;
        case ID_EXPORT_FILE:
            OnExportFile();
            return true;
        case ID_TAB_SETTINGS:
            OnTabSettings();
            return true;
        case ID_COPY_AS_TEXT:
            OnCopyAsText();
            return true;
        case ID_EDIT_COPY:
            OnEditCopy();
            return true;
        case ID_EDIT_CUT:
            OnEditCut();
            return true;
        case ID_EDIT_PASTE:
            OnEditPaste();
            return true;
        case ID_FILE_SAVE:
            DoFileSave();
            return true;
        case ID_FILE_SAVE_AS:
            DoSave(true);
            return true;
        default:
            return false;
    }
}

}  // namespace lutaris
