// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
// The reference container's document file: what it writes reads back whole, and a damaged
// or cut file is refused without a crash or a huge allocation.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "ContainerDocument.h"
#include "compound/ClassId.h"
#include "compound/CompoundFileReader.h"
#include "compound/CompoundFileWriter.h"

namespace lutaris::container {
namespace {

ContainerDocument TwoObjects() {
    ContainerDocument document;
    document.text = "Intro riff, then the chorus:\n\xC3\xA9t\xC3\xA9";
    EmbeddedObjectRecord first;
    first.progId = "Lutaris.Document";
    first.width = 360;
    first.height = 140;
    first.storage = {1, 2, 3, 0, 255};
    first.picture = {0x89, 'P', 'N', 'G'};
    EmbeddedObjectRecord second = first;
    second.width = 8192;
    second.height = 1;
    second.storage.assign(5000, 7);  // past the mini stream's cutoff
    second.picture.clear();
    document.objects = {first, second};
    return document;
}

std::vector<std::uint8_t> ContainerStream(const std::vector<std::uint8_t>& file) {
    CompoundFileReader reader(file);
    return reader.ReadStream("Container").value();
}

std::vector<std::uint8_t> Rewrap(const std::vector<std::uint8_t>& file,
                                 const std::vector<std::uint8_t>& stream) {
    CompoundFileReader reader(file);
    return WriteCompoundFile(reader.RootClassId(), "Container", stream);
}

TEST(ContainerDocumentFile, ReadsBackTextAndEveryObject) {
    const ContainerDocument document = TwoObjects();
    std::string error;
    const auto read = ReadContainerFile(WriteContainerFile(document), &error);
    ASSERT_TRUE(read) << error;
    EXPECT_EQ(read->text, document.text);
    ASSERT_EQ(read->objects.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(read->objects[i].progId, document.objects[i].progId);
        EXPECT_EQ(read->objects[i].width, document.objects[i].width);
        EXPECT_EQ(read->objects[i].height, document.objects[i].height);
        EXPECT_EQ(read->objects[i].storage, document.objects[i].storage);
        EXPECT_EQ(read->objects[i].picture, document.objects[i].picture);
    }
    const auto empty = ReadContainerFile(WriteContainerFile({}), &error);
    ASSERT_TRUE(empty) << error;
    EXPECT_TRUE(empty->text.empty());
    EXPECT_TRUE(empty->objects.empty());
}

TEST(ContainerDocumentFile, RefusesEveryCutOfTheStream) {
    const std::vector<std::uint8_t> file = WriteContainerFile(TwoObjects());
    const std::vector<std::uint8_t> stream = ContainerStream(file);
    for (std::size_t size = 0; size < stream.size(); ++size) {
        const std::vector<std::uint8_t> cut(stream.begin(), stream.begin() + size);
        std::string error;
        EXPECT_FALSE(ReadContainerFile(Rewrap(file, cut), &error)) << "cut at " << size;
        EXPECT_FALSE(error.empty());
    }
    std::vector<std::uint8_t> longer = stream;
    longer.push_back(0);
    EXPECT_FALSE(ReadContainerFile(Rewrap(file, longer), nullptr));
}

TEST(ContainerDocumentFile, RefusesLyingFieldsAndForeignFiles) {
    const std::vector<std::uint8_t> file = WriteContainerFile(TwoObjects());
    const std::vector<std::uint8_t> stream = ContainerStream(file);
    // Every 32-bit field set to a huge value in turn: a length, a count or a size that the
    // reader must not believe.
    for (std::size_t at = 8; at + 4 <= stream.size(); ++at) {
        std::vector<std::uint8_t> damaged = stream;
        for (int i = 0; i < 4; ++i) damaged[at + i] = i == 3 ? 0x7F : 0xFF;
        const auto read = ReadContainerFile(Rewrap(file, damaged), nullptr);
        if (read) {  // only bytes inside a storage or a picture may change without notice
            ASSERT_EQ(read->objects.size(), 2u) << "at " << at;
            EXPECT_LE(read->objects[1].width, kMaxObjectSide);
        }
    }
    std::vector<std::uint8_t> zeroWidth = stream;
    const std::size_t widthAt = 8 + 4 + TwoObjects().text.size() + 4 + 4 + 16;
    std::fill(zeroWidth.begin() + long(widthAt), zeroWidth.begin() + long(widthAt) + 4, 0);
    std::string error;
    EXPECT_FALSE(ReadContainerFile(Rewrap(file, zeroWidth), &error));
    EXPECT_NE(error.find("size"), std::string::npos) << error;

    // A tablature document is a compound file too, with another class and stream.
    EXPECT_FALSE(ReadContainerFile(WriteCompoundFile(ClassId{}, "Contents", stream), &error));
    const std::vector<std::uint8_t> text = {'h', 'e', 'l', 'l', 'o'};
    EXPECT_FALSE(ReadContainerFile(text, &error));
    std::vector<std::uint8_t> broken = file;
    broken.resize(broken.size() / 2);
    EXPECT_FALSE(ReadContainerFile(broken, &error));
}

}  // namespace
}  // namespace lutaris::container
