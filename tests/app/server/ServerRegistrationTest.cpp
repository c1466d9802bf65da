// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "app/server/ServerRegistration.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/TestPaths.h"

namespace lutaris {
namespace {

namespace fs = std::filesystem;
namespace reg = server_registration;

std::string ReadText(const std::string& path) {
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

TEST(ServerRegistration, CommandLineQuotesWhatAShellWouldSplitAndRefusesWhatNoLineCarries) {
    EXPECT_EQ(reg::ServerCommandLine("/usr/bin/lutaris"), "/usr/bin/lutaris -Embedding");
    // Both the bus and the key file's readers split Exec as a shell does.
    EXPECT_EQ(reg::ServerCommandLine("/home/a b/lutaris"), "\"/home/a b/lutaris\" -Embedding");
    EXPECT_EQ(reg::ServerCommandLine("/x/\"$`\\/lutaris"), "\"/x/\\\"\\$\\`\\\\/lutaris\" -Embedding");
    EXPECT_FALSE(reg::ServerCommandLine("lutaris"));            // the bus needs an absolute path
    EXPECT_FALSE(reg::ServerCommandLine("/a\nExec=/bin/sh"));   // a line break would add a key
    EXPECT_FALSE(reg::ServerCommandLine("/a%u/lutaris"));       // a field code in the key file
    EXPECT_FALSE(reg::ServerCommandLine(""));
}

TEST(ServerRegistration, WritesBothFilesWholeAndRemovesThem) {
    test::TempDir dir;
    const std::string data = (dir.Path() / "data").string();
    ASSERT_TRUE(reg::WriteRegistration(data, "/opt/my programs/lutaris"));
    const std::string service = reg::ServiceFilePath(data);
    const std::string object = reg::ObjectFilePath(data);
    EXPECT_EQ(service, data + "/dbus-1/services/Lutaris.Document.service");
    EXPECT_EQ(object, data + "/insertable-objects/Lutaris.Document.object");
    EXPECT_EQ(ReadText(service), "[D-BUS Service]\nName=Lutaris.Document\n"
                                 "Exec=\"/opt/my programs/lutaris\" -Embedding\n");
    EXPECT_EQ(ReadText(object),
              "[Insertable Object]\nClassId={4E1B7C53-2A96-4F08-B3D5-71C9E0A64F2D}\n"
              "ProgId=Lutaris.Document\nName=Lutars Document\nShortName=Lutars\n"
              "BusName=Lutaris.Document\nExec=\"/opt/my programs/lutaris\" -Embedding\n"
              "Verbs=0=&Edit;1=&Open\nInsertable=true\n");
    // Readable by the bus and by every container, whatever our umask.
    struct stat info {};
    ASSERT_EQ(::stat(service.c_str(), &info), 0);
    EXPECT_TRUE(info.st_mode & S_IROTH);

    // A moved program registers again at its new place; no temporary file stays behind.
    ASSERT_TRUE(reg::WriteRegistration(data, "/usr/bin/lutaris"));
    EXPECT_NE(ReadText(object).find("Exec=/usr/bin/lutaris -Embedding\n"), std::string::npos);
    EXPECT_EQ(std::distance(fs::directory_iterator(data + "/insertable-objects"),
                            fs::directory_iterator()), 1);

    EXPECT_TRUE(reg::RemoveRegistration(data));
    EXPECT_FALSE(fs::exists(service));
    EXPECT_FALSE(fs::exists(object));
    // Nothing left to remove is no failure.
    EXPECT_TRUE(reg::RemoveRegistration(data));
}

TEST(ServerRegistration, FailuresAreReportedNotHidden) {
    test::TempDir dir;
    // A file where the folder should be: nothing can be written below it.
    const std::string data = (dir.Path() / "blocked").string();
    std::ofstream(data) << "x";
    EXPECT_FALSE(reg::WriteRegistration(data, "/usr/bin/lutaris"));
    EXPECT_FALSE(reg::WriteRegistration((dir.Path() / "ok").string(), "relative/lutaris"));
    // A folder where a file should be cannot be removed as a file.
    const std::string other = (dir.Path() / "other").string();
    fs::create_directories(reg::ObjectFilePath(other) + "/inside");
    EXPECT_FALSE(reg::RemoveRegistration(other));
}

}  // namespace
}  // namespace lutaris
