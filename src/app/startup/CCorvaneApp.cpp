// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "app/startup/CCorvaneApp.h"

#include <QApplication>
#include <QDateTime>
#include <QProcess>
#include <QScreen>
#include <cstdio>
#include <cstdlib>

#include "app/editor/EditorWindow.h"
#include "app/frame/CMainFrame.h"
#include "app/frame/MainMenu.h"
#include "app/print/PrintCommands.h"
#include "app/server/EmbeddingServer.h"
#include "app/server/ServerRegistration.h"
#include "app/shell/CommandStrings.h"
#include "app/shell/ProfileStore.h"
#include "app/shell/QtEditorSession.h"
#include "app/shell/RecoveryDialog.h"
#include "app/startup/CommandLineInfo.h"
#include "app/startup/RecoveryKeeper.h"
#include "document/CCorvaneDoc.h"
#include "edit/qt/CCorvaneView.h"
#include "model/CommandIds.h"
#include "model/TabDocument.h"
#include "platform/prompt/Prompter.h"
#include "platform/prompt/ScriptedPrompter.h"
#include "platform/recovery/RecoveryStore.h"
#include "platform/recovery/RecoveryWriter.h"
#include "render/ScreenResolution.h"

namespace lutaris {

namespace {

constexpr int kRecentFileCommands = 16;

}  // namespace

CCorvaneApp::CCorvaneApp(Prompter& prompter, ProfileStore& profile)
    : prompter_(prompter), profile_(profile) {}

CCorvaneApp::~CCorvaneApp() {
    // A normal exit: whatever the person chose about the changes, the copy has done its work.
    if (keeper_) keeper_->Discard();
    keeper_.reset();
    recoveryWriter_.reset();  // finishes the removal
    server_.reset();
    // The window goes before the document it shows, the document before its session.
    window_.reset();
    document_.reset();
}

CMainFrame& CCorvaneApp::Frame() { return window_->Frame(); }
PrintCommands& CCorvaneApp::Printing() { return window_->Printing(); }

bool CCorvaneApp::InitInstance(const std::vector<std::string>& arguments) {
    const CommandLineInfo info = CommandLineInfo::Parse(arguments);
    if (info.request == CommandLineInfo::Request::Invalid) {
        std::fprintf(stderr, "lutaris: %s\n", info.message.c_str());
        prompter_.ShowMessage(info.message, kApplicationTitle, MessageIcon::Exclamation,
                              MessageButtons::Ok);
        exitCode_ = 2;
        return false;
    }
    if (info.request == CommandLineInfo::Request::Unregister) return Unregister();

    // Printouts are scaled against the screen's resolution, so that they come out as large as
    // the screen shows the tablature; a container's extent is measured by it too.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        SetScreenResolution({static_cast<std::int32_t>(screen->logicalDotsPerInchX()),
                             static_cast<std::int32_t>(screen->logicalDotsPerInchY())});
    }

    if (info.request == CommandLineInfo::Request::Embedding) {
        // No window: the container decides when the object is shown.
        server_ = std::make_unique<EmbeddingServer>(
            prompter_, profile_, QGuiApplication::platformName() != QStringLiteral("offscreen"));
        if (server_->Start()) return true;
        exitCode_ = 1;
        return false;
    }
    if (!programPath_.empty()) UpdateRegistry();
    recentFiles_.Assign(profile_.ReadRecentFiles(recentFiles_.MaxSize()));
    session_ = MakeQtEditorSession(prompter_);
    document_ = session_->MakeDocument();
    window_ = std::make_unique<EditorWindow>(*document_, profile_, FrameKind::StandAlone);
    window_->SetCommandHandler([this](int commandId) { return OnCommand(commandId); });
    window_->Files().SetFileHandler([this](const std::string& path) {
        AddToRecentFileList(path);
        if (keeper_) keeper_->Check();  // saved: no copy is needed
    });
    CMainFrame& frame = window_->Frame();
    // Through the frame's command routing, so that the view shows the opened file's caret.
    QObject::connect(&frame, &CMainFrame::RecentFileChosen, &frame,
                     [&frame](int index) { frame.OnCommand(ID_FILE_MRU_FILE1 + index); });
    frame.Menu().SetRecentFiles(recentFiles_.Paths());

    const bool processed = ProcessShellCommand(info);
    frame.UpdateTitle();
    if (!processed) {
        if (exitCode_ == 0) exitCode_ = 1;
        return false;
    }
    if (info.request == CommandLineInfo::Request::FilePrint ||
        info.request == CommandLineInfo::Request::FilePrintTo)
        return false;  // printed: nothing more to do

    frame.show();
    frame.View().OnInitialUpdate();
    frame.View().setFocus(Qt::OtherFocusReason);
    StartRecovery(info);
    return true;
}

void CCorvaneApp::StartRecovery(const CommandLineInfo& info) {
    const std::optional<std::string> folder =
        RecoveryStore::DefaultFolder([](const char* name) -> std::optional<std::string> {
            const char* value = std::getenv(name);
            if (value == nullptr) return std::nullopt;
            return std::string(value);
        });
    if (!folder) return;
    static const SystemProcessTable processes;
    recoveryFiles_ = std::make_unique<DiskRecoveryFiles>();
    recoveryStore_ =
        std::make_unique<RecoveryStore>(*folder, *recoveryFiles_, processes, CurrentProcess());
    recoveryWriter_ = std::make_unique<RecoveryWriter>();
    keeper_ = std::make_unique<RecoveryKeeper>(*document_, *recoveryStore_, *recoveryWriter_);
    keeper_->SetInterval(RecoveryKeeper::IntervalFromSettings());
    if (info.request == CommandLineInfo::Request::Recover) {
        for (const RecoveryCopy& copy : recoveryStore_->Orphans()) {
            if (copy.id == info.fileName && !copy.damaged) Recover(copy);
        }
        return;
    }
    OfferRecovery(info.request == CommandLineInfo::Request::FileNew);
}

void CCorvaneApp::OfferRecovery(bool intoThisWindow) {
    std::vector<RecoveryCopy> copies = recoveryStore_->Orphans();
    if (copies.empty()) return;
    // A copy whose document cannot be read is shown as damaged before anyone chooses it.
    ScriptedPrompter silent;
    std::vector<RecoveryDialog::Row> rows;
    for (RecoveryCopy& copy : copies) {
        if (!copy.damaged) {
            TabDocument probe(silent);
            copy.damaged = !probe.OnOpenDocument(copy.dataPath);
        }
        RecoveryDialog::Row row;
        row.damaged = copy.damaged;
        if (copy.info) {
            row.title = QString::fromStdString(copy.info->title);
            row.originalPath = QString::fromStdString(copy.info->originalPath);
            row.savedAt = QDateTime::fromSecsSinceEpoch(copy.info->savedAt)
                              .toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
        } else {
            row.title = QString::fromStdString(copy.id);
        }
        rows.push_back(row);
    }
    RecoveryDialog dialog(rows, &Frame());
    switch (dialog.Run()) {
        case RecoveryDialog::Choice::Recover:
            for (const RecoveryCopy& copy : copies) {
                if (copy.damaged) continue;  // kept, to be discarded at a later start
                if (intoThisWindow) {
                    intoThisWindow = !Recover(copy);
                } else if (!programPath_.empty()) {
                    QProcess::startDetached(
                        QString::fromStdString(programPath_),
                        {QStringLiteral("-Recover"), QString::fromStdString(copy.id)});
                }
            }
            break;
        case RecoveryDialog::Choice::Discard:
            for (const RecoveryCopy& copy : copies) recoveryStore_->Remove(copy.id);
            break;
        case RecoveryDialog::Choice::Later:
            break;
    }
}

bool CCorvaneApp::Recover(const RecoveryCopy& copy) {
    if (!copy.info || !document_->OnOpenDocument(copy.dataPath)) return false;
    // The person's document, with the changes that were never saved: it saves where it was
    // going to, and asks to be saved.
    document_->SetPathName(copy.info->originalPath);
    document_->SetModifiedFlag(true);
    if (keeper_) {
        // This program's own copy is on disk before the old one goes.
        keeper_->WriteNow();
        recoveryWriter_->Post({},
                              [store = recoveryStore_.get(), id = copy.id] { store->Remove(id); });
    }
    Frame().UpdateTitle();
    document_->UpdateAllViews();
    return true;
}

bool CCorvaneApp::ProcessShellCommand(const CommandLineInfo& info) {
    switch (info.request) {
        case CommandLineInfo::Request::FileNew:
        case CommandLineInfo::Request::Recover:
            return document_->OnNewDocument();
        case CommandLineInfo::Request::FileOpen:
            return window_->Files().Load(info.fileName);
        case CommandLineInfo::Request::FilePrint:
        case CommandLineInfo::Request::FilePrintTo:
            if (!window_->Files().Load(info.fileName)) return false;
            if (info.request == CommandLineInfo::Request::FilePrintTo)
                Printing().SelectPrinter(QString::fromStdString(info.printerName));
            if (!Printing().Printer().isValid()) {
                prompter_.ShowMessage("No printer is available.", kApplicationTitle,
                                      MessageIcon::Exclamation, MessageButtons::Ok);
                return false;
            }
            // A printer that cannot be started (a PDF file that cannot be written) printed
            // nothing: that is no success.
            if (!Printing().PrintDirect()) {
                prompter_.ShowMessage("The document could not be printed.", kApplicationTitle,
                                      MessageIcon::Exclamation, MessageButtons::Ok);
                return false;
            }
            return true;
        case CommandLineInfo::Request::Embedding:
        case CommandLineInfo::Request::Unregister:
        case CommandLineInfo::Request::Invalid:
            break;
    }
    return false;
}

void CCorvaneApp::UpdateRegistry() {
    const std::optional<std::string> folder = server_registration::UserDataFolder();
    if (folder && server_registration::WriteRegistration(*folder, programPath_)) return;
    // String 61834: a warning, the start goes on.
    const char* warning = "Failed to update the system registry.\nPlease try using REGEDIT.";
    std::fprintf(stderr, "lutaris: %s\n", warning);
    prompter_.ShowMessage(warning, kApplicationTitle, MessageIcon::Exclamation, MessageButtons::Ok);
}

bool CCorvaneApp::Unregister() {
    const std::optional<std::string> folder = server_registration::UserDataFolder();
    const bool removed = folder && server_registration::RemoveRegistration(*folder);
    // Strings 61707 and 61708; no window is shown for them.
    std::printf("%s\n", removed ? "The registration entries have been removed."
                                : "Not all of the registration entries could be removed.");
    std::fflush(stdout);
    exitCode_ = removed ? 0 : 1;
    return false;
}

bool CCorvaneApp::OnCommand(int commandId) {
    if (commandId < ID_FILE_MRU_FILE1 || commandId >= ID_FILE_MRU_FILE1 + kRecentFileCommands)
        return false;
    OnOpenRecentFile(commandId - ID_FILE_MRU_FILE1);
    return true;
}

void CCorvaneApp::OnOpenRecentFile(int index) {
    const std::vector<std::string>& paths = recentFiles_.Paths();
    if (index < 0 || static_cast<std::size_t>(index) >= paths.size()) return;
    const std::string path = paths[static_cast<std::size_t>(index)];
    if (!OpenDocumentFile(path)) {
        // A file that cannot be opened any more leaves the list.
        const auto& now = recentFiles_.Paths();
        for (std::size_t i = 0; i < now.size(); ++i) {
            if (now[i] != path) continue;
            recentFiles_.Remove(i);
            profile_.WriteRecentFiles(recentFiles_.Paths(), recentFiles_.MaxSize());
            Frame().Menu().SetRecentFiles(recentFiles_.Paths());
            break;
        }
    }
}

bool CCorvaneApp::OpenDocumentFile(const std::string& path) {
    // The person may keep the open document: that is no failure of the file.
    return window_->Files().OpenFile(path) != FileCommands::Outcome::Failed;
}

void CCorvaneApp::AddToRecentFileList(const std::string& path) {
    recentFiles_.Add(path);
    profile_.WriteRecentFiles(recentFiles_.Paths(), recentFiles_.MaxSize());
    Frame().Menu().SetRecentFiles(recentFiles_.Paths());
}

}  // namespace lutaris
