#include "app/startup/CCorvaneApp.h"

#include <QApplication>
#include <QScreen>
#include <cstdio>

#include "app/editor/EditorWindow.h"
#include "app/frame/CMainFrame.h"
#include "app/frame/MainMenu.h"
#include "app/print/PrintCommands.h"
#include "app/server/EmbeddingServer.h"
#include "app/server/ServerRegistration.h"
#include "app/shell/CommandStrings.h"
#include "app/shell/ProfileStore.h"
#include "app/shell/QtEditorSession.h"
#include "app/startup/CommandLineInfo.h"
#include "document/CCorvaneDoc.h"
#include "edit/qt/CCorvaneView.h"
#include "model/CommandIds.h"
#include "platform/prompt/Prompter.h"
#include "render/ScreenResolution.h"

namespace lutaris {

namespace {

constexpr int kRecentFileCommands = 16;

}  // namespace

CCorvaneApp::CCorvaneApp(Prompter& prompter, ProfileStore& profile)
    : prompter_(prompter), profile_(profile) {}

CCorvaneApp::~CCorvaneApp() {
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
    window_->Files().SetFileHandler([this](const std::string& path) { AddToRecentFileList(path); });
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
    return true;
}

bool CCorvaneApp::ProcessShellCommand(const CommandLineInfo& info) {
    switch (info.request) {
        case CommandLineInfo::Request::FileNew:
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
