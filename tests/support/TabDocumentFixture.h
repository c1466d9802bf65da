// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "model/ScriptedSettingsPrompter.h"
#include "model/TabCursor.h"
#include "model/TabDocument.h"
#include "support/TestPaths.h"

namespace lutaris::test {

inline TabNote Note(std::int32_t fret, std::int32_t string, std::int32_t column,
                    std::int32_t action = Normal, std::int32_t reserved = 0) {
    return TabNote{fret, string, column, reserved, action};
}

// A new document of type `Document` (the tab document, the view's or the editor's) with the
// built-in default settings: the test runs in an empty folder, so no settings file is found.
// Messages and dialogs go to a scripted prompter.
template <typename Document>
class DocumentTestOn : public ::testing::Test {
protected:
    DocumentTestOn() : currentDir_(dir.Path()), doc(prompter) { doc.OnNewDocument(); }

    // Appends `count` items at the next positions and returns the last.
    Tablature* AddItems(int count) {
        Tablature* last = nullptr;
        for (int i = 0; i < count; ++i) {
            last = doc.AppendTabItem(static_cast<std::int32_t>(doc.tabItems.size()));
        }
        return last;
    }

    std::vector<std::string> MessageTexts() const {
        std::vector<std::string> texts;
        for (const auto& message : prompter.Messages()) texts.push_back(message.text);
        return texts;
    }

    TempDir dir;

private:
    ScopedCurrentDir currentDir_;

protected:
    ScriptedSettingsPrompter prompter;
    Document doc;
};

using TabDocumentTest = DocumentTestOn<TabDocument>;

}  // namespace lutaris::test
