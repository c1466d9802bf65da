#pragma once

#include <QList>
#include <QObject>
#include <QRect>
#include <QString>
#include <QTimer>
#include <memory>

#include "document/EmbeddedObject.h"
#include "platform/prompt/ServerPrompter.h"

class QDBusObjectPath;
class QDBusServiceWatcher;

namespace lutaris {

class CCorvaneDoc;
class CInPlaceFrame;
class CMainFrame;
class ClassFactoryService;
class Clipboard;
class EmbeddedObjectService;
class PresentationPictures;
class PrintCommands;
class ProfileStore;
class Prompter;
class X11DestroyWatcher;
struct BusMenu;
struct BusToolbarButton;

// The program started by the session bus for a container ("-Embedding" or "-Automation"):
// it owns the well-known name, serves exactly one object and then gives the name up, so that
// the next container gets a process of its own (the multiple-instance factory). It shows no
// window until a container opens the object, watches the container's bus name and ends the
// process when the container goes, unless the person has unsaved work in the object's
// window: that document then lives on as an ordinary untitled one. Verb 0 edits the object in
// place, in a frame inside the container's window (X11 only; elsewhere, and without the
// container's window, it opens the object's own window as verb 1 does).
class EmbeddingServer : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kFactoryPath = "/Lutaris/ClassFactory";
    static constexpr const char* kObjectPath = "/Lutaris/EmbeddedObject";
    // A process that no container asks for an object within this time ends.
    static constexpr int kIdleMilliseconds = 30000;

    // `interactive` asks the person once the object has a window; `profile` keeps the print
    // settings. `display` is false when there is no window system to open a window on.
    EmbeddingServer(Prompter& interactive, ProfileStore& profile, bool display);
    ~EmbeddingServer() override;

    // Registers the factory and takes the well-known name; false (with the reason on stderr)
    // when there is no session bus or another process has the name.
    bool Start();

    EmbeddedObject* Object() { return object_.get(); }
    CMainFrame* Frame() { return frame_.get(); }
    CInPlaceFrame* InPlaceFrame() { return inPlace_.get(); }

private:
    bool CreateInstance(const QString& caller, QDBusObjectPath& path, QString& errorName,
                        QString& errorText);
    EmbeddedObject::Reply DoVerb(std::int32_t verb, quint64 window, const QRect& rect);
    EmbeddedObject::Reply OpenWindow();
    EmbeddedObject::Reply ActivateInPlace(quint64 site, const QRect& rect);
    // Ends editing in place: the frame goes from the container's window, which hears
    // Deactivated. Nothing happens when the object is not in place.
    void OnDeactivateUI(bool undoable);
    EmbeddedObject::Reply SetObjectRects(const QRect& position, const QRect& clip);
    EmbeddedObject::Reply GetMenu(QList<BusMenu>& menus);
    EmbeddedObject::Reply GetToolbar(QList<BusToolbarButton>& buttons);
    EmbeddedObject::Reply RunInPlaceCommand(quint32 id);
    EmbeddedObject::Reply Highlight(quint32 id);
    bool OnInPlaceCommand(int commandId);
    void WarmUpInPlace();
    // The container's window went: the container with it.
    void OnSiteDestroyed();
    bool OnFrameCommand(int commandId);
    bool OnFrameClose();
    void SaveCopyAs();
    void CloseObject();
    void OnContainerGone();
    // The container is gone but the person has work in the window: the document becomes an
    // ordinary untitled one in that window.
    void KeepAsOrdinaryDocument();
    void ExitSoon(int milliseconds);

    Prompter& interactive_;
    ProfileStore& profile_;
    bool display_;
    ServerPrompter prompter_;
    std::unique_ptr<Clipboard> clipboard_;
    std::unique_ptr<PresentationPictures> pictures_;
    std::unique_ptr<EmbeddedObject> object_;
    std::unique_ptr<CCorvaneDoc> orphan_;
    std::unique_ptr<CMainFrame> frame_;
    std::unique_ptr<CInPlaceFrame> inPlace_;
    X11DestroyWatcher* siteWatcher_ = nullptr;
    std::unique_ptr<PrintCommands> printing_;
    ClassFactoryService* factory_ = nullptr;
    EmbeddedObjectService* service_ = nullptr;
    QDBusServiceWatcher* watcher_ = nullptr;
    QTimer idleTimer_;
    bool created_ = false;
    bool ending_ = false;
};

}  // namespace lutaris
