#pragma once

#include <QMainWindow>
#include <functional>

class QToolBar;

namespace lutaris {

class CCorvaneDoc;
class CCorvaneView;
class FrameActions;
class FrameStatusBar;
class MainMenu;

// The main window: menu 128, the main toolbar, the status bar and the view. It routes every
// command: its own (the bars), then the application's, then the document's.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    // Runs the application's commands; false for ids that are not the application's.
    using CommandHandler = std::function<bool(int commandId)>;

    explicit CMainFrame(CCorvaneDoc& document, QWidget* parent = nullptr);
    ~CMainFrame() override;

    void SetApplicationCommands(CommandHandler handler) { applicationCommands_ = std::move(handler); }
    void OnCommand(int commandId);
    // "Untitled - Lutaris", or the document's file name in place of "Untitled".
    void UpdateTitle();

    CCorvaneView& View() { return *view_; }
    FrameActions& Actions() { return *actions_; }
    MainMenu& Menu() { return *menu_; }
    QToolBar& ToolBar() { return *toolBar_; }
    FrameStatusBar& StatusPanes() { return *statusBar_; }

signals:
    void RecentFileChosen(int index);

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    bool OnFrameCommand(int commandId);
    void CreateToolBar();
    void ConnectPrompts();

    CCorvaneDoc& document_;
    FrameActions* actions_;
    MainMenu* menu_;
    QToolBar* toolBar_ = nullptr;
    FrameStatusBar* statusBar_;
    CCorvaneView* view_;
    CommandHandler applicationCommands_;
};

}  // namespace lutaris
