// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <QByteArray>
#include <QDBusMessage>
#include <QObject>
#include <QRect>
#include <QSize>
#include <QString>
#include <QVariantList>

class QDBusServiceWatcher;

namespace lutaris::container {

// The container's side of one object served over the bus: the calls of the embedded-object
// interface and its signals. Every call waits for its reply (with a timeout), since the server
// never calls back into the container.
class EmbeddedObjectLink : public QObject {
    Q_OBJECT
public:
    // Asks the class factory on `busName` for an object, again while the server answers that
    // it is still starting. Nothing (and `error` says why) when no object came.
    static EmbeddedObjectLink* Create(const QString& busName, QString* error,
                                      QObject* parent = nullptr);
    ~EmbeddedObjectLink() override;

    QString ServerName() const { return server_; }
    bool Alive() const { return alive_; }

    // Each returns false (and LastError() says why) when the call failed.
    bool InitNew();
    bool Load(const QByteArray& storage);
    bool Save(QByteArray& storage);
    bool GetExtent(QSize& himetric);
    bool Draw(const QString& mimeType, QSize pixels, QByteArray& picture);
    bool SetHostNames(const QString& app, const QString& object);
    bool DoVerb(int verb, quint64 window, QRect rect);
    quint64 GetInPlaceWindow();
    bool SetObjectRects(QRect position, QRect clip);
    bool GetMenu(QDBusMessage& reply);
    bool GetToolbar(QDBusMessage& reply);
    bool Command(quint32 id);
    void Highlight(quint32 id);  // no wait: a hover must not stall the menu
    void Close();
    QString LastError() const { return lastError_; }

signals:
    void DataChanged();
    void Saved();
    void Closed();
    void Deactivated();
    void RequestRect(QRect rect);
    void MenuChanged();
    void StatusText(const QString& text);
    // The server's bus name vanished: the process is gone.
    void Died();

private slots:
    void OnDataChanged() { emit DataChanged(); }
    void OnSaved() { emit Saved(); }
    void OnClosed() { emit Closed(); }
    void OnDeactivated() { emit Deactivated(); }
    void OnRequestRect(const QDBusMessage& message);
    void OnMenuChanged() { emit MenuChanged(); }
    void OnStatusText(const QString& text) { emit StatusText(text); }
    void OnServiceGone();

private:
    EmbeddedObjectLink(const QString& server, const QString& path, QObject* parent);
    bool Call(const char* method, const QVariantList& arguments, QDBusMessage* reply = nullptr,
              int timeout = 20000);

    QString server_;
    QString path_;
    QString lastError_;
    bool alive_ = true;
    QDBusServiceWatcher* watcher_ = nullptr;
};

}  // namespace lutaris::container
