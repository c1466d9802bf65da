// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "text/ImportFileCommand.h"

#include <memory>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "model/TabCursor.h"
#include "model/TabDocument.h"
#include "platform/prompt/Prompter.h"
#include "text/TextLineReader.h"
#include "text/TextTabImporter.h"

namespace lutaris {
namespace {

std::string DescribeFailure(TextTabImporter::Status status, const TextLineReader& reader,
                            const TextImportLimits& limits) {
    const std::string notImported = "\nThe file was not imported.";
    switch (status) {
        case TextTabImporter::Status::Ok:
            break;
        case TextTabImporter::Status::LineTooLong:
            return "Line " + std::to_string(reader.LineNumber()) + " of this file is longer than " +
                   std::to_string(reader.MaxLineLength() >> 20) + " MB." + notImported;
        case TextTabImporter::Status::ReadError:
            return "This file could not be read to its end." + notImported;
        case TextTabImporter::Status::TooManyTabItems:
            return "This file would make more than " + std::to_string(limits.maxTabItems) +
                   " tab items." + notImported;
        case TextTabImporter::Status::TooManyNotes:
            return "This file would make more than " + std::to_string(limits.maxNotes) + " notes." +
                   notImported;
    }
    return {};
}

}  // namespace

bool ImportFileCommand::Run() {
    Prompter& prompter = document_.GetPrompter();
    if (prompter.ShowMessage(
            "This will overwrite any data in this document.\nDo you want to continue?", "Warning",
            MessageIcon::Information, MessageButtons::YesNo) != MessageAnswer::Yes) {
        return false;
    }

    // The file is chosen and opened before anything of the document goes: cancelling the
    // dialog or naming a file that cannot be read leaves the document exactly as it was.
    FileDialogOptions options;
    options.title = "Import text TAB file";
    options.filters = {{"All Files (*.*)", {"*.*"}}, {"Text Files (*.txt)", {"*.txt"}}};
    options.overwritePrompt = true;
    const std::optional<std::string> path = prompter.ChooseOpenFile(options);
    if (!path) return false;
    TextLineReader reader;
    if (!reader.Open(*path)) {
        prompter.ShowMessage("File Not Found", "No File", MessageIcon::Information,
                             MessageButtons::Ok);
        return false;
    }

    // Read into items of our own, beginning as the reset leaves the document (one empty item at
    // position 0 with the caret on it), so that a file that fails half-way also leaves the
    // document alone.
    const TextImportLimits limits;
    std::vector<std::unique_ptr<Tablature>> items;
    items.push_back(std::make_unique<Tablature>(document_.settings.get()));
    Tablature* current = items.front().get();
    std::string failure;
    std::optional<std::int32_t> stringCount;
    try {
        TextTabImporter importer(document_.settings.get(), items, current, limits);
        failure = DescribeFailure(importer.AddLines(reader), reader, limits);
        stringCount = importer.CommonStringCount();
    } catch (const std::bad_alloc&) {
        failure = "There is not enough memory to import this file.";
    }
    reader.Close();
    if (!failure.empty()) {
        items.clear();
        prompter.ShowMessage(failure, "Error", MessageIcon::Error, MessageButtons::Ok);
        return false;
    }

    // A bass tab keeps its four strings and a seven-string tab its seven; a tab that mixes
    // systems of different sizes keeps the settings file's count. The rest is what a new
    // document starts from.
    TabSettings values;
    values.LoadDefaults();
    if (stringCount) values.numberOfStrings = *stringCount;
    // One step: Undo gives back the whole document as it was, its path included.
    document_.ReplaceContent(values, std::move(items));
    document_.UpdateStep();
    return true;
}

}  // namespace lutaris
