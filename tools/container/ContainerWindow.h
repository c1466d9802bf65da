// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <memory>
#include <vector>

#include "ContainerDocument.h"
#include "RemoteCommands.h"
#include "XEmbedEmbedder.h"

class QMenu;
class QTextEdit;
class QToolBar;
class QVBoxLayout;

namespace lutaris::container {

class EmbeddedObjectLink;
class ObjectView;

// The reference container: a text and embedded objects, each shown by its picture, opened in
// a window of its own or edited in place inside the document. It prints one line per event on
// standard output ("active 0 in place", "saved FILE", ...) for the scripts that drive it.
class ContainerWindow : public QMainWindow {
    Q_OBJECT
public:
    ContainerWindow();
    ~ContainerWindow() override;

    // Opens the file, or starts a new document that will be saved under that name when the
    // file does not exist yet.
    bool OpenOrCreate(const QString& path);
    // Inserts a new object of that class and starts `verb` on it (0 in place, 1 open).
    bool InsertObject(const QString& progId, int verb);
    // Starts `verb` on object `index` of the document.
    bool ActivateObject(int index, int verb);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Entry {
        EmbeddedObjectRecord record;
        ObjectView* view = nullptr;
        EmbeddedObjectLink* link = nullptr;
        bool inPlace = false;
        bool open = false;
        bool takePending = false;
    };

    void BuildOwnMenus();
    void ShowOwnMenus();
    void ShowMergedMenus();
    void RefreshRemoteMenu(QMenu* menu, int index);
    void FillRemoteMenu(QMenu* menu, const QList<RemoteItem>& items);
    void BuildObjectToolbar();
    void DropObjectToolbar();
    void MirrorToolbarState();
    void UpdateObjectMenu();

    void NewDocument();
    void OpenDocument();
    bool SaveDocument();
    bool SaveDocumentAs();
    bool WriteTo(const QString& path);
    bool Load(const QString& path);
    void ClearDocument();
    bool MaybeSave();
    void SetModified(bool modified);
    void UpdateTitle();
    QString DocumentName() const;

    Entry* AddEntry(EmbeddedObjectRecord record);
    int IndexOf(const Entry* entry) const;
    Entry* EntryOf(const ObjectView* view) const;
    void Select(Entry* entry);
    bool EnsureLink(Entry* entry);
    void DropLink(Entry* entry);
    void Activate(Entry* entry, int verb);
    void DeactivateActive();
    // Takes the site, the object's toolbar and its menus down; false when it was not in place.
    bool DropInPlace(Entry* entry);
    void EndInPlace(Entry* entry);
    void ScheduleTake(Entry* entry);
    void Take(Entry* entry);
    void OnDied(Entry* entry);
    void OnRequestRect(Entry* entry, QRect rect);
    void CloseLinks();
    void Log(const QString& line) const;

    QTextEdit* text_ = nullptr;
    QWidget* page_ = nullptr;
    QVBoxLayout* objectsLayout_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    QMenu* editMenu_ = nullptr;
    QMenu* objectMenu_ = nullptr;
    QMenu* insertMenu_ = nullptr;
    QList<QMenu*> remoteMenus_;
    QPointer<QToolBar> objectToolbar_;
    bool objectToolbarShown_ = false;
    XEmbedEmbedder embedder_;
    std::vector<std::unique_ptr<Entry>> entries_;
    Entry* active_ = nullptr;
    Entry* selected_ = nullptr;
    QString path_;
    bool modified_ = false;
};

}  // namespace lutaris::container
