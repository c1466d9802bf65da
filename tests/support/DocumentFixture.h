#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "document/CCorvaneDoc.h"
#include "model/ScriptedSettingsPrompter.h"
#include "model/TabCursor.h"
#include "support/TestPaths.h"

namespace lutaris::test {

inline TabNote Note(std::int32_t fret, std::int32_t string, std::int32_t column,
                    std::int32_t action = Normal, std::int32_t reserved = 0) {
    return TabNote{fret, string, column, reserved, action};
}

// A new document with the built-in default settings: the test runs in an empty folder, so no
// settings file is found. Messages and dialogs go to a scripted prompter.
class DocumentTest : public ::testing::Test {
protected:
    DocumentTest() : currentDir_(dir.Path()), doc(prompter) { doc.OnNewDocument(); }

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
    CCorvaneDoc doc;
};

}  // namespace lutaris::test
