// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include "app/startup/CommandLineInfo.h"

namespace lutaris {
namespace {

using Request = CommandLineInfo::Request;

TEST(CommandLineInfo, NoArgumentsMakeANewDocumentAndAPathOpensIt) {
    EXPECT_EQ(CommandLineInfo::Parse({}).request, Request::FileNew);
    const CommandLineInfo open = CommandLineInfo::Parse({"song.ltf"});
    EXPECT_EQ(open.request, Request::FileOpen);
    EXPECT_EQ(open.fileName, "song.ltf");
    const CommandLineInfo absolute = CommandLineInfo::Parse({"/home/me/song.ltf"});
    EXPECT_EQ(absolute.request, Request::FileOpen);
    EXPECT_EQ(absolute.fileName, "/home/me/song.ltf");
}

TEST(CommandLineInfo, PrintFlagsWithSlashOrDashInAnyCase) {
    for (const char* flag : {"/p", "-p", "/P"}) {
        const CommandLineInfo info = CommandLineInfo::Parse({flag, "song.ltf"});
        EXPECT_EQ(info.request, Request::FilePrint) << flag;
        EXPECT_EQ(info.fileName, "song.ltf");
    }
    const CommandLineInfo printTo =
        CommandLineInfo::Parse({"-PT", "song.ltf", "Office Laser", "driver", "port"});
    EXPECT_EQ(printTo.request, Request::FilePrintTo);
    EXPECT_EQ(printTo.fileName, "song.ltf");
    EXPECT_EQ(printTo.printerName, "Office Laser");
    EXPECT_EQ(printTo.driverName, "driver");
    EXPECT_EQ(printTo.portName, "port");
}

TEST(CommandLineInfo, PrintFlagsWithoutTheirParametersAreRefused) {
    EXPECT_EQ(CommandLineInfo::Parse({"/p"}).request, Request::Invalid);
    const CommandLineInfo printTo = CommandLineInfo::Parse({"/pt", "song.ltf"});
    EXPECT_EQ(printTo.request, Request::Invalid);
    EXPECT_NE(printTo.message.find("printer"), std::string::npos);
}

TEST(CommandLineInfo, ServerFlagsInAnyCaseAfterEitherPrefix) {
    for (const char* flag : {"/Embedding", "-automation", "-EMBEDDING", "/Automation"})
        EXPECT_EQ(CommandLineInfo::Parse({flag}).request, Request::Embedding) << flag;
    for (const char* flag : {"/UNREGISTER", "-Unregserver", "-unregister", "/unregserver"})
        EXPECT_EQ(CommandLineInfo::Parse({flag}).request, Request::Unregister) << flag;
    // A server flag wins over a document named beside it: the bus starts us with it alone.
    EXPECT_EQ(CommandLineInfo::Parse({"song.ltf", "-Embedding"}).request, Request::Embedding);
}

TEST(CommandLineInfo, UnknownFlagsAreNamedInTheMessage) {
    const CommandLineInfo info = CommandLineInfo::Parse({"song.ltf", "--verbose"});
    EXPECT_EQ(info.request, Request::Invalid);
    EXPECT_NE(info.message.find("\"--verbose\""), std::string::npos);
    EXPECT_NE(info.message.find("Usage"), std::string::npos);
}

TEST(CommandLineInfo, RecoverNamesTheCopyToTake) {
    const CommandLineInfo info = CommandLineInfo::Parse({"-Recover", "12-34-1"});
    EXPECT_EQ(info.request, CommandLineInfo::Request::Recover);
    EXPECT_EQ(info.fileName, "12-34-1");
    EXPECT_EQ(CommandLineInfo::Parse({"/recover"}).request, CommandLineInfo::Request::Invalid);
}

}  // namespace
}  // namespace lutaris
