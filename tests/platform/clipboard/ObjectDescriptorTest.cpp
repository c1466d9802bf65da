// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/clipboard/ObjectDescriptor.h"

namespace lutaris {
namespace {

std::uint32_t Uint32At(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
    return bytes[offset] | bytes[offset + 1] << 8 | bytes[offset + 2] << 16 |
           static_cast<std::uint32_t>(bytes[offset + 3]) << 24;
}

std::u16string StringAt(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
    std::u16string text;
    for (; offset + 1 < bytes.size(); offset += 2) {
        const auto unit = static_cast<char16_t>(bytes[offset] | bytes[offset + 1] << 8);
        if (unit == 0) return text;
        text.push_back(unit);
    }
    ADD_FAILURE() << "string not terminated";
    return text;
}

TEST(ObjectDescriptor, LaysOutTheFixedPartAndBothStrings) {
    ObjectDescriptor descriptor;
    descriptor.classId = ClassId{{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}};
    descriptor.width = 1958;
    descriptor.height = -2434;
    descriptor.fullUserTypeName = u"Lutars Document";
    descriptor.sourceOfCopy = u"Lutaris";
    const auto bytes = descriptor.Encode();

    ASSERT_EQ(bytes.size(), 52u + 2 * 16 + 2 * 8);
    EXPECT_EQ(Uint32At(bytes, 0), bytes.size());
    EXPECT_TRUE(
        std::equal(bytes.begin() + 4, bytes.begin() + 20, descriptor.classId.bytes.begin()));
    EXPECT_EQ(Uint32At(bytes, 20), 1u);
    EXPECT_EQ(Uint32At(bytes, 24), 1958u);
    EXPECT_EQ(static_cast<std::int32_t>(Uint32At(bytes, 28)), -2434);
    EXPECT_EQ(Uint32At(bytes, 32), 0u);
    EXPECT_EQ(Uint32At(bytes, 36), 0u);
    EXPECT_EQ(Uint32At(bytes, 40), 0u);
    EXPECT_EQ(Uint32At(bytes, 44), 52u);
    EXPECT_EQ(Uint32At(bytes, 48), 52u + 32);
    EXPECT_EQ(StringAt(bytes, Uint32At(bytes, 44)), u"Lutars Document");
    EXPECT_EQ(StringAt(bytes, Uint32At(bytes, 48)), u"Lutaris");
}

TEST(ObjectDescriptor, LeavesOutEmptyStringsWithOffsetZero) {
    ObjectDescriptor descriptor;
    descriptor.sourceOfCopy = u"\u00e9";
    const auto bytes = descriptor.Encode();
    ASSERT_EQ(bytes.size(), 56u);
    EXPECT_EQ(Uint32At(bytes, 44), 0u);
    EXPECT_EQ(Uint32At(bytes, 48), 52u);
    EXPECT_EQ(bytes[52], 0xe9);
    EXPECT_EQ(bytes[53], 0x00);
}

ObjectDescriptor Sample() {
    ObjectDescriptor descriptor;
    descriptor.classId = ClassId{{9, 8, 7, 6, 5, 4, 3, 2, 1, 0, 1, 2, 3, 4, 5, 6}};
    descriptor.width = 9578;
    descriptor.height = 2434;
    descriptor.grabX = -3;
    descriptor.status = 0x80000001u;
    descriptor.fullUserTypeName = u"Lutars Document";
    descriptor.sourceOfCopy = u"Lutaris";
    return descriptor;
}

void ExpectSame(const ObjectDescriptor& a, const ObjectDescriptor& b) {
    EXPECT_EQ(a.classId, b.classId);
    EXPECT_EQ(a.drawAspect, b.drawAspect);
    EXPECT_EQ(a.width, b.width);
    EXPECT_EQ(a.height, b.height);
    EXPECT_EQ(a.grabX, b.grabX);
    EXPECT_EQ(a.grabY, b.grabY);
    EXPECT_EQ(a.status, b.status);
    EXPECT_EQ(a.fullUserTypeName, b.fullUserTypeName);
    EXPECT_EQ(a.sourceOfCopy, b.sourceOfCopy);
}

TEST(ObjectDescriptor, DecodesWhatItEncodesAndIgnoresBytesPastItsSize) {
    const ObjectDescriptor sample = Sample();
    auto bytes = sample.Encode();
    auto decoded = ObjectDescriptor::Decode(bytes);
    ASSERT_TRUE(decoded);
    ExpectSame(*decoded, sample);

    // A memory block rounded up past the structure.
    bytes.insert(bytes.end(), {0xff, 0xff, 0xff});
    decoded = ObjectDescriptor::Decode(bytes);
    ASSERT_TRUE(decoded);
    ExpectSame(*decoded, sample);

    ObjectDescriptor nameless;
    nameless.width = 5;
    decoded = ObjectDescriptor::Decode(nameless.Encode());
    ASSERT_TRUE(decoded);
    ExpectSame(*decoded, nameless);
}

TEST(ObjectDescriptor, RefusesShortSizesAndNamesOutsideOrUnterminated) {
    const auto good = Sample().Encode();
    const auto withSize = [&](std::uint32_t size) {
        auto bytes = good;
        for (int i = 0; i < 4; ++i) bytes[i] = static_cast<std::uint8_t>(size >> (8 * i));
        return bytes;
    };
    const auto withTypeOffset = [&](std::uint32_t offset) {
        auto bytes = good;
        for (int i = 0; i < 4; ++i) bytes[44 + i] = static_cast<std::uint8_t>(offset >> (8 * i));
        return bytes;
    };
    EXPECT_FALSE(ObjectDescriptor::Decode({good.data(), 51}));
    EXPECT_FALSE(ObjectDescriptor::Decode(withSize(51)));
    EXPECT_FALSE(ObjectDescriptor::Decode(withSize(static_cast<std::uint32_t>(good.size()) + 1)));
    EXPECT_FALSE(ObjectDescriptor::Decode(withSize(0xffffffffu)));
    // The source name's terminator lies past a cbSize that cuts it off.
    EXPECT_FALSE(ObjectDescriptor::Decode(withSize(static_cast<std::uint32_t>(good.size()) - 2)));
    EXPECT_FALSE(ObjectDescriptor::Decode(withTypeOffset(8)));
    EXPECT_FALSE(ObjectDescriptor::Decode(withTypeOffset(static_cast<std::uint32_t>(good.size()))));
    EXPECT_FALSE(ObjectDescriptor::Decode(withTypeOffset(0x7fffffffu)));
    // An odd offset is read as it stands: the name runs on to the next zero unit.
    const auto odd = ObjectDescriptor::Decode(withTypeOffset(53));
    ASSERT_TRUE(odd);
    EXPECT_FALSE(odd->fullUserTypeName.empty());
}

}  // namespace
}  // namespace lutaris
