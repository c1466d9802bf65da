// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/frame/RecentFileList.h"

namespace lutaris {

class CCorvaneDoc;
class CMainFrame;
class EditorSession;
class EditorWindow;
class EmbeddingServer;
class PrintCommands;
class RecoveryKeeper;
class RecoveryStore;
class RecoveryWriter;
class RecoveryFiles;
struct RecoveryCopy;
class ProfileStore;
class Prompter;
struct CommandLineInfo;

// The application object: one document in its window, the recent-file list and the start-up
// from the command line (or the embedding server in place of all that).
class CCorvaneApp {
public:
    CCorvaneApp(Prompter& prompter, ProfileStore& profile);
    ~CCorvaneApp();
    CCorvaneApp(const CCorvaneApp&) = delete;
    CCorvaneApp& operator=(const CCorvaneApp&) = delete;

    // Start-up with the command-line arguments (without the program's name). True lets the
    // event loop run; false ends the program with ExitCode(): after a printout or
    // "-Unregister", or when the command line asked for something that failed.
    bool InitInstance(const std::vector<std::string>& arguments);
    int ExitCode() const { return exitCode_; }
    // The program file's absolute path: with it, every stand-alone start registers the
    // program as the embedding server (without it, as in tests, nothing is registered).
    void SetProgramPath(std::string path) { programPath_ = std::move(path); }
    // The server of a start with "-Embedding" or "-Automation"; null otherwise.
    EmbeddingServer* Server() { return server_.get(); }

    // The application's share of the command routing (the recent files; the window has the
    // rest); false for ids that are not its own.
    bool OnCommand(int commandId);

    void OnOpenRecentFile(int index);
    // Asks to save changes, then opens `path` into the one document; false when it failed.
    bool OpenDocumentFile(const std::string& path);

    CCorvaneDoc& Document() { return *document_; }
    CMainFrame& Frame();
    PrintCommands& Printing();
    const RecentFileList& RecentFiles() const { return recentFiles_; }
    // The recovery copy of the stand-alone document; null before InitInstance, for the
    // embedding server and without a state folder.
    RecoveryKeeper* Recovery() { return keeper_.get(); }
    // Opens a recovery copy as the document: modified, saving to the copy's original path.
    bool Recover(const RecoveryCopy& copy);

private:
    bool ProcessShellCommand(const CommandLineInfo& info);
    void UpdateRegistry();
    bool Unregister();
    void AddToRecentFileList(const std::string& path);
    // Starts keeping recovery copies, and takes or offers the copies that ended programs left.
    void StartRecovery(const CommandLineInfo& info);
    // The dialog of the copies left behind; the first one recovered goes into this window when
    // `intoThisWindow`, every further one into a program of its own.
    void OfferRecovery(bool intoThisWindow);

    Prompter& prompter_;
    ProfileStore& profile_;
    RecentFileList recentFiles_;
    std::unique_ptr<EditorSession> session_;
    std::unique_ptr<CCorvaneDoc> document_;
    std::unique_ptr<EditorWindow> window_;
    std::unique_ptr<EmbeddingServer> server_;
    std::unique_ptr<RecoveryFiles> recoveryFiles_;
    std::unique_ptr<RecoveryStore> recoveryStore_;
    std::unique_ptr<RecoveryWriter> recoveryWriter_;
    std::unique_ptr<RecoveryKeeper> keeper_;
    std::string programPath_;
    int exitCode_ = 0;
};

}  // namespace lutaris
