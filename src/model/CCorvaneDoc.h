#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/TabSettings.h"
#include "model/Tablature.h"
#include "platform/DocumentBase.h"

namespace lutaris {

class Archive;
class Clipboard;
class Prompter;
class Rng;
class TabCursor;

// The tablature document: one settings record, the tab items (list order is creation or load
// order; reading order is each item's `position`), the view's selection, the `copied` flag and
// the caret. The document owns all of them.
class CCorvaneDoc : public DocumentBase {
public:
    explicit CCorvaneDoc(Prompter& prompter);
    ~CCorvaneDoc() override;

    std::unique_ptr<TabSettings> settings;
    std::vector<std::unique_ptr<Tablature>> tabItems;
    std::vector<Tablature*> selection;  // not owned; every entry is also in tabItems
    std::int32_t copied = 0;
    std::unique_ptr<TabCursor> cursor;

    // Life cycle and file format.
    bool OnNewDocument() override;
    bool OnOpenDocument(const std::string& path) override;
    bool OnSaveDocument(const std::string& path) override;
    void Serialize(Archive& archive);
    // The "Contents" stream of the document as it stands (what a save writes).
    std::vector<std::uint8_t> ContentsBytes();

    // The item whose position is `position` (first in list order), or null.
    Tablature* ItemAtPosition(std::int32_t position) const;

    // Set the modified flag, update all server items, update all views.
    void UpdateStep();

    // Editing commands.
    void ApplyCursorResult(std::int32_t result);
    void SendKeyToCursor(std::int32_t virtualKey);
    void AddTabItemAndFocus();
    void OnAddTabItem();
    void OnInsertTabItem();
    void OnInsertNote();
    void OnInsertRandomRiff();
    void OnExportFile();
    void OnTabSettings();
    void OnImportFile();

    // Clipboard commands; they use the clipboard set with SetClipboard.
    void OnEditCopy();
    void OnEditCut();
    void OnEditPaste();
    void OnCopyAsText();
    void SetClipboard(Clipboard* clipboard) { clipboard_ = clipboard; }
    Clipboard* GetClipboard() const { return clipboard_; }

    // Runs a document command by its menu id; false when the id is not a document command.
    bool OnCommand(std::int32_t commandId);

    Rng& GetRng() { return *rng_; }

private:
    Clipboard* clipboard_ = nullptr;
    std::unique_ptr<Rng> rng_;
};

}  // namespace lutaris
