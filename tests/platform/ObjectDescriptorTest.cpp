#include <gtest/gtest.h>

#include <algorithm>

#include "platform/ObjectDescriptor.h"

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

}  // namespace
}  // namespace lutaris
