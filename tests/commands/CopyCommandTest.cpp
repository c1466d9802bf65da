// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include "compound/ClassId.h"
#include "compound/CompoundFileReader.h"
#include "edit/CopyCommand.h"
#include "model/CommandIds.h"
#include "platform/files/DocumentClassId.h"
#include "platform/clipboard/FileUri.h"
#include "render/RenderTestSupport.h"
#include "support/ClipboardFixture.h"

namespace lutaris {
namespace {

using test::Note;

class CopyCommandTest : public test::ClipboardTest {
protected:
    std::string FormatText(const std::string& name) const {
        const auto bytes = clipboard.GetFormat(name);
        return bytes ? std::string(bytes->begin(), bytes->end()) : std::string("<none>");
    }
};

TEST_F(CopyCommandTest, EmbedSourceIsTheSavedFileByteForByte) {
    MakeItems(3);
    doc.tabItems[1]->AppendNote(Note(7, 2, 4, Vibrato, -5));
    doc.tabItems[2]->reservedBlock[79] = 0xab;
    Select(1, 1);  // the whole document is copied, not the selection
    EXPECT_TRUE(doc.OnCommand(ID_EDIT_COPY));
    ASSERT_TRUE(doc.OnSaveDocument((dir / "song.ltf").string()));

    const auto embedded = clipboard.GetFormat("Embed Source");
    ASSERT_TRUE(embedded);
    const auto saved = test::ReadFileBytes(dir / "song.ltf");
    EXPECT_EQ(*embedded, std::vector<std::uint8_t>(saved.begin(), saved.end()));
    const CompoundFileReader reader(*embedded);
    EXPECT_EQ(reader.RootClassId(), kDocumentClassId);
    EXPECT_EQ(reader.ReadStream("Contents"), doc.ContentsBytes());
}

TEST_F(CopyCommandTest, CopyReplacesTheMarkerAndEnablesPaste) {
    MakeItems(2);
    Select(0, 1);
    doc.OnCommand(ID_EDIT_COPY);
    EXPECT_EQ(doc.copied, 1);
    EXPECT_FALSE(clipboard.HasFormat("Lutaris 0.2"));
    EXPECT_TRUE(clipboard.HasFormat("Object Descriptor"));
    // An untitled document has no file to link to.
    EXPECT_FALSE(clipboard.HasFormat("Link Source"));
    EXPECT_FALSE(clipboard.HasFormat("text/uri-list"));
    EXPECT_FALSE(doc.IsModified());

    doc.OnCommand(ID_EDIT_PASTE);
    doc.OnCommand(ID_EDIT_PASTE);
    EXPECT_EQ(ReadingOrder(), (std::vector<std::int32_t>{10, 11, 10, 11, 10, 11}));
}

TEST_F(CopyCommandTest, TheDescriptorCarriesTheExtentAndTheNamesAndAPictureFollows) {
    const test::ScopedScreenResolution screen(ScreenResolution{96, 96});
    doc.OnCommand(ID_EDIT_COPY);
    const auto descriptor = clipboard.GetFormat("Object Descriptor");
    ASSERT_TRUE(descriptor);
    const auto at = [&](std::size_t offset) {
        return (*descriptor)[offset] | (*descriptor)[offset + 1] << 8 |
               (*descriptor)[offset + 2] << 16 | (*descriptor)[offset + 3] << 24;
    };
    EXPECT_EQ(at(0), static_cast<int>(descriptor->size()));
    EXPECT_TRUE(std::equal(kDocumentClassId.bytes.begin(), kDocumentClassId.bytes.end(),
                           descriptor->begin() + 4));
    EXPECT_EQ(at(24), 1958);  // one empty item with the default settings
    EXPECT_EQ(at(28), 2434);
    const std::string names(descriptor->begin() + at(44), descriptor->end());
    EXPECT_EQ(names, std::string("L\0u\0t\0a\0r\0s\0 \0D\0o\0c\0u\0m\0e\0n\0t\0\0\0"
                                 "L\0u\0t\0a\0r\0i\0s\0\0\0",
                                 48));

    const std::string svg = FormatText("image/svg+xml");
    EXPECT_EQ(svg.rfind("<?xml", 0), 0u) << svg.substr(0, 80);
    EXPECT_NE(svg.find("<svg"), std::string::npos);
}

TEST_F(CopyCommandTest, ADocumentWithAFileOffersALinkToIt) {
    MakeItems(1);
    doc.SetPathName("my song.ltf");  // relative: taken against the current directory
    doc.OnCommand(ID_EDIT_COPY);
    const std::string uri =
        FileUriFromPath(std::filesystem::current_path().string()) + "/my%20song.ltf";
    EXPECT_EQ(FormatText("Link Source"), uri);
    EXPECT_EQ(FormatText("text/uri-list"), uri + "\r\n");
    EXPECT_EQ(clipboard.GetFormat("Link Source Descriptor"),
              clipboard.GetFormat("Object Descriptor"));
}

}  // namespace
}  // namespace lutaris
