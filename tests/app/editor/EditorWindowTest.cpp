#include <gtest/gtest.h>

#include "app/editor/EditorWindow.h"
#include "app/shell/ProfileStore.h"
#include "model/CommandIds.h"
#include "platform/files/DocumentFile.h"
#include "support/DocumentFixture.h"

namespace lutaris {
namespace {

class EditorWindowTest : public test::DocumentTest {
protected:
    std::string PathOf(const std::string& name) { return (dir.Path() / name).string(); }

    ProfileStore profile{QString::fromStdString(PathOf("profile.ini"))};
};

TEST_F(EditorWindowTest, AnOpenedObjectSavesACopyAndKeepsItsOwnState) {
    EditorWindow window(doc, profile, FrameKind::Embedded);
    doc.SendKeyToCursor('4');
    prompter.QueueFile(PathOf("copy.ltf"));
    window.Frame().OnCommand(ID_FILE_SAVE_COPY_AS);
    EXPECT_EQ(ReadDocumentContents(PathOf("copy.ltf")), doc.ContentsBytes());
    EXPECT_EQ(doc.GetPathName(), "");
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(prompter.FileDialogs().back().overwritePrompt);

    // Its frame has no New: the document stays, and nobody is asked about it.
    window.Frame().OnCommand(ID_FILE_NEW);
    EXPECT_EQ(doc.tabItems[0]->NoteCount(), 1);
    EXPECT_TRUE(prompter.Messages().empty());
}

TEST_F(EditorWindowTest, AnObjectKeptAsAnOrdinaryDocumentHasTheFileCommands) {
    EditorWindow window(doc, profile, FrameKind::Embedded);
    doc.SendKeyToCursor('4');
    window.Frame().BecomeStandAlone();
    prompter.QueueAnswer(MessageAnswer::No);  // "Save changes to Untitled?"
    window.Frame().OnCommand(ID_FILE_NEW);
    EXPECT_EQ(doc.tabItems[0]->NoteCount(), 0);
    ASSERT_EQ(prompter.Messages().size(), 1u);
    EXPECT_EQ(prompter.Messages()[0].text, "Save changes to Untitled?");

    // A copy is the opened object's command only.
    const std::size_t dialogs = prompter.FileDialogs().size();
    window.Frame().OnCommand(ID_FILE_SAVE_COPY_AS);
    EXPECT_EQ(prompter.FileDialogs().size(), dialogs);
}

}  // namespace
}  // namespace lutaris
