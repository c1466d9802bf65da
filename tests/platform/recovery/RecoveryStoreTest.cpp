// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <map>
#include <set>

#include "platform/files/SafeFileReplacer.h"
#include "platform/recovery/RecoveryStore.h"
#include "support/TestPaths.h"

namespace lutaris {
namespace {

// Which processes run, as the test says.
class FakeProcesses : public ProcessTable {
public:
    std::set<std::int64_t> running;
    bool IsRunning(const ProcessIdentity& process) const override {
        return running.contains(process.pid);
    }
};

// Files in memory, with a write that fails when asked to.
class MemoryFiles : public RecoveryFiles {
public:
    std::map<std::string, std::vector<std::uint8_t>> files;
    std::string failOn;

    std::vector<std::string> List(const std::string& folder) const override {
        std::vector<std::string> names;
        for (const auto& [path, bytes] : files)
            if (path.starts_with(folder + "/")) names.push_back(path.substr(folder.size() + 1));
        return names;
    }
    bool Exists(const std::string& path) const override { return files.contains(path); }
    std::optional<std::vector<std::uint8_t>> Read(const std::string& path,
                                                  std::size_t maxBytes) const override {
        const auto found = files.find(path);
        if (found == files.end() || found->second.size() > maxBytes) return std::nullopt;
        return found->second;
    }
    void Write(const std::string& path, std::span<const std::uint8_t> bytes) override {
        if (!failOn.empty() && path.ends_with(failOn)) throw FileWriteError("disk full");
        files[path].assign(bytes.begin(), bytes.end());
    }
    bool Remove(const std::string& path) override {
        files.erase(path);
        return true;
    }
};

const std::vector<std::uint8_t> kDocument{'d', 'o', 'c'};

RecoveryInfo InfoOf(ProcessIdentity owner, std::int64_t time, std::string title) {
    return {owner, time, "/songs/" + title, title};
}

class RecoveryStoreTest : public ::testing::Test {
protected:
    RecoveryStore StoreOf(ProcessIdentity self) { return {"/state", files, processes, self}; }

    MemoryFiles files;
    FakeProcesses processes;
    const ProcessIdentity dead{100, 7}, alive{200, 8}, me{300, 9};
};

TEST_F(RecoveryStoreTest, OnlyCopiesOfProcessesThatEndedAreOffered) {
    RecoveryStore deadStore = StoreOf(dead), aliveStore = StoreOf(alive), mine = StoreOf(me);
    processes.running = {alive.pid, me.pid};
    const std::string lost = deadStore.NewId();
    deadStore.Write(lost, kDocument, InfoOf(dead, 10, "lost.ltf"));
    aliveStore.Write(aliveStore.NewId(), kDocument, InfoOf(alive, 20, "busy.ltf"));
    mine.Write(mine.NewId(), kDocument, InfoOf(me, 30, "mine.ltf"));

    // Neither running program takes the other's copy, nor its own.
    const auto found = mine.Orphans();
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].id, lost);
    EXPECT_EQ(found[0].owner, dead);
    EXPECT_FALSE(found[0].damaged);
    EXPECT_EQ(found[0].info->title, "lost.ltf");
    EXPECT_EQ(found[0].dataPath, "/state/" + lost + ".ltf");
    EXPECT_EQ(aliveStore.Orphans().size(), 1u);

    // When the other program ends, its copy is offered too, the newest first.
    processes.running.erase(alive.pid);
    const auto both = mine.Orphans();
    ASSERT_EQ(both.size(), 2u);
    EXPECT_EQ(both[0].info->title, "busy.ltf");
    EXPECT_EQ(both[1].info->title, "lost.ltf");
}

TEST_F(RecoveryStoreTest, DamagedCopiesAreListedAsSuchAndCanBeRemoved) {
    RecoveryStore store = StoreOf(dead), mine = StoreOf(me);
    const std::string noInfo = store.NewId(), badInfo = store.NewId(), noData = store.NewId(),
                      foreign = store.NewId(), good = store.NewId();
    files.files[store.DataPath(noInfo)] = kDocument;
    files.files[store.DataPath(badInfo)] = kDocument;
    files.files[store.InfoPath(badInfo)] = {'x', '\n'};
    store.Write(noData, kDocument, InfoOf(dead, 1, "gone.ltf"));
    files.files.erase(store.DataPath(noData));
    // An info that names another owner than the file name does was not written for this copy.
    store.Write(foreign, kDocument, InfoOf(alive, 1, "foreign.ltf"));
    store.Write(good, kDocument, InfoOf(dead, 1, "good.ltf"));
    files.files["/state/.x.ltf.lutaris-save-abc123"] = kDocument;  // a save's leftover
    // What a write of a copy that was killed midway left behind.
    files.files["/state/" + TemporaryFilePrefix(good + ".ltf") + "Zq81x"] = kDocument;
    files.files["/state/notes.txt"] = kDocument;
    files.files["/state/1-2.ltf"] = kDocument;  // not an id

    const auto found = mine.Orphans();
    ASSERT_EQ(found.size(), 5u);
    EXPECT_EQ(found[0].id, good);  // the readable ones come first
    EXPECT_FALSE(found[0].damaged);
    for (std::size_t i = 1; i < found.size(); ++i) {
        EXPECT_TRUE(found[i].damaged) << found[i].id;
        EXPECT_EQ(found[i].owner, dead);
    }
    for (const auto& copy : found) EXPECT_TRUE(mine.Remove(copy.id));
    EXPECT_TRUE(mine.Orphans().empty());
    EXPECT_EQ(files.files.size(), 3u);  // what is not ours stays
}

TEST_F(RecoveryStoreTest, TheDocumentIsWrittenBeforeItsInfo) {
    RecoveryStore store = StoreOf(me);
    const std::string id = store.NewId();
    EXPECT_NE(id, store.NewId());
    files.failOn = ".ltf";
    EXPECT_THROW(store.Write(id, kDocument, InfoOf(me, 1, "a.ltf")), FileWriteError);
    EXPECT_TRUE(files.files.empty());  // no info naming a copy that is not there
    files.failOn = ".info";
    EXPECT_THROW(store.Write(id, kDocument, InfoOf(me, 1, "a.ltf")), FileWriteError);
    EXPECT_TRUE(files.Exists(store.DataPath(id)));
    EXPECT_FALSE(files.Exists(store.InfoPath(id)));
}

TEST(RecoveryStore, IdsNameTheirOwner) {
    EXPECT_EQ(RecoveryStore::OwnerOf("12-345-6"), (ProcessIdentity{12, 345}));
    for (const char* id : {"", "12", "12-3", "12-3-", "-3-4", "0-3-4", "a-3-4", "1-2-3-4", "1-2-x",
                           "99999999999999999999999-1-1"})
        EXPECT_FALSE(RecoveryStore::OwnerOf(id)) << id;
}

TEST(RecoveryStore, TheFolderFollowsTheStateHome) {
    std::map<std::string, std::string> environment;
    const auto read = [&environment](const char* name) -> std::optional<std::string> {
        const auto found = environment.find(name);
        if (found == environment.end()) return std::nullopt;
        return found->second;
    };
    EXPECT_EQ(RecoveryStore::DefaultFolder(read), std::nullopt);
    environment["HOME"] = "/home/ann";
    EXPECT_EQ(RecoveryStore::DefaultFolder(read), "/home/ann/.local/state/lutaris/recovery");
    environment["XDG_STATE_HOME"] = "relative/state";  // not absolute: ignored
    EXPECT_EQ(RecoveryStore::DefaultFolder(read), "/home/ann/.local/state/lutaris/recovery");
    environment["XDG_STATE_HOME"] = "/var/state";
    EXPECT_EQ(RecoveryStore::DefaultFolder(read), "/var/state/lutaris/recovery");
}

TEST(SystemProcessTable, TellsARunningProcessFromOneThatEnded) {
    const SystemProcessTable table;
    const ProcessIdentity self = CurrentProcess();
    EXPECT_NE(self.start, 0u);
    EXPECT_TRUE(table.IsRunning(self));
    // The same id with another start time is a later process that got the id again.
    EXPECT_FALSE(table.IsRunning({self.pid, self.start + 1}));
    const pid_t child = fork();
    if (child == 0) {
        pause();
        _exit(0);
    }
    ASSERT_GT(child, 0);
    const ProcessIdentity other{child, ProcessStartTime(child)};
    EXPECT_TRUE(table.IsRunning(other));
    kill(child, SIGKILL);
    // Killed but not yet reaped (a zombie): it runs no more.
    for (int i = 0; i < 200 && table.IsRunning(other); ++i) usleep(10000);
    EXPECT_FALSE(table.IsRunning(other));
    EXPECT_EQ(ProcessStartTime(child), other.start);  // still in the table
    waitpid(child, nullptr, 0);
    EXPECT_FALSE(table.IsRunning(other));
    EXPECT_FALSE(table.IsRunning({0, 0}));
    EXPECT_FALSE(table.IsRunning({-5, 0}));
}

TEST(DiskRecoveryFiles, MakesAPrivateFolderAndReplacesFilesWhole) {
    const test::TempDir dir;
    DiskRecoveryFiles files;
    const std::string folder = (dir / "state/lutaris/recovery").string();
    EXPECT_TRUE(files.List(folder).empty());
    files.Write(folder + "/a.info", kDocument);
    EXPECT_EQ(files.List(folder), std::vector<std::string>{"a.info"});
    EXPECT_EQ((std::filesystem::status(folder).permissions() & std::filesystem::perms::all),
              std::filesystem::perms::owner_all);
    files.Write(folder + "/a.info", std::vector<std::uint8_t>{'n', 'e', 'w'});
    EXPECT_EQ(files.Read(folder + "/a.info", 3), (std::vector<std::uint8_t>{'n', 'e', 'w'}));
    EXPECT_FALSE(files.Read(folder + "/a.info", 2));  // over the limit
    EXPECT_FALSE(files.Read(folder, 100));            // a folder is no file
    EXPECT_TRUE(files.Remove(folder + "/a.info"));
    EXPECT_TRUE(files.Remove(folder + "/a.info"));
    EXPECT_FALSE(files.Exists(folder + "/a.info"));
}

}  // namespace
}  // namespace lutaris
