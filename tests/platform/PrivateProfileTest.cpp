#include <gtest/gtest.h>

#include "platform/PrivateProfile.h"
#include "support/TestPaths.h"

namespace lutaris {
namespace {

using test::TempDir;
using test::WriteFileText;

TEST(PrivateProfile, MissingFileOrKeyGivesTheDefault) {
    TempDir dir;
    const auto path = (dir / "none.ini").string();
    EXPECT_EQ(GetPrivateProfileInt("TAB", "leftMargin", 17, path), 17);
    WriteFileText(dir / "a.ini", "[TAB]\nother=3\n");
    EXPECT_EQ(GetPrivateProfileInt("TAB", "leftMargin", 17, (dir / "a.ini").string()), 17);
}

TEST(PrivateProfile, SectionAndKeyMatchWithoutCaseAndFirstSectionWins) {
    TempDir dir;
    WriteFileText(dir / "a.ini",
                  "[other]\nnumberOfStrings=9\n[tab]\n  NUMBEROFSTRINGS = 4 \n[TAB]\n"
                  "numberOfStrings=5\n");
    EXPECT_EQ(GetPrivateProfileInt("TAB", "numberOfStrings", 6, (dir / "a.ini").string()), 4);
}

TEST(PrivateProfile, ValuesAreTakenAsWrittenOrZeroWhenNotANumber) {
    TempDir dir;
    WriteFileText(dir / "a.ini",
                  "[TAB]\r\nneg=-7\r\nplus=+12\r\nlead=   33abc\r\nword=abc\r\nempty=\r\n"
                  "signonly=-\r\nhuge=4294967297\r\nlast=99");
    const auto path = (dir / "a.ini").string();
    EXPECT_EQ(GetPrivateProfileInt("TAB", "neg", 1, path), -7);
    EXPECT_EQ(GetPrivateProfileInt("TAB", "plus", 1, path), 12);
    EXPECT_EQ(GetPrivateProfileInt("TAB", "lead", 1, path), 33);
    EXPECT_EQ(GetPrivateProfileInt("TAB", "word", 1, path), 0);
    EXPECT_EQ(GetPrivateProfileInt("TAB", "signonly", 1, path), 0);
    EXPECT_EQ(GetPrivateProfileInt("TAB", "empty", 5, path), 5);
    EXPECT_EQ(GetPrivateProfileInt("TAB", "huge", 1, path), 1);   // wraps at 32 bits
    EXPECT_EQ(GetPrivateProfileInt("TAB", "last", 1, path), 99);  // no final line feed
}

TEST(PrivateProfile, MalformedFilesGiveDefaults) {
    TempDir dir;
    const auto path = (dir / "a.ini").string();
    WriteFileText(dir / "a.ini", "numberOfStrings=3\n");  // no section at all
    EXPECT_EQ(GetPrivateProfileInt("TAB", "numberOfStrings", 6, path), 6);
    WriteFileText(dir / "a.ini", std::string(300000, 'x') + "\n\x01\x02[TAB\nnumberOfStrings");
    EXPECT_EQ(GetPrivateProfileInt("TAB", "numberOfStrings", 6, path), 6);
    WriteFileText(dir / "a.ini", std::string("[TAB]\n\0\0\0numberOfStrings=2\n", 27));
    EXPECT_EQ(GetPrivateProfileInt("TAB", "numberOfStrings", 6, path), 6);  // not that key
}

TEST(ParseLeadingDecimal, ReadsSignAndDigitsOnly) {
    EXPECT_EQ(ParseLeadingDecimal(" 12"), 12);
    EXPECT_EQ(ParseLeadingDecimal("3x"), 3);
    EXPECT_EQ(ParseLeadingDecimal("-7"), -7);
    EXPECT_EQ(ParseLeadingDecimal("abc"), 0);
    EXPECT_EQ(ParseLeadingDecimal(""), 0);
}

}  // namespace
}  // namespace lutaris
