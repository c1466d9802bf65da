#pragma once

#include <QByteArray>
#include <QDBusContext>
#include <QObject>
#include <QRect>
#include <functional>

#include "document/EmbeddedObject.h"

namespace lutaris {

// `Lutaris.EmbeddedObject`: the object of this process on the bus. Each call goes to the
// object, whose errors go back as bus errors; the verbs and Close reach the server, which owns
// the windows and the process.
class EmbeddedObjectService : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "Lutaris.EmbeddedObject")
public:
    // What only the server can do: open the object's window (an error when it cannot), and
    // close the object and end the process.
    struct Server {
        std::function<EmbeddedObject::Reply(std::int32_t verb)> openWindow;
        std::function<void()> close;
    };

    EmbeddedObjectService(EmbeddedObject& object, Server server, QObject* parent = nullptr);

public slots:
    void InitNew();
    void Load(const QByteArray& storage);
    QByteArray Save();
    int GetExtent(uint aspect, int& cy);
    QByteArray Draw(const QString& mimeType, int width, int height);
    void SetHostNames(const QString& containerApp, const QString& containerObject);
    void DoVerb(int verb, qulonglong window, const QRect& rect);
    void Close();

signals:
    // After every update step of the document.
    void DataChanged();
    // The person chose File > Update or closed the changed object's window: take its storage.
    void Saved();
    // The object is closed: release it.
    void Closed();

private:
    // Sends the reply's error, if any; true when there was none.
    bool Answer(const EmbeddedObject::Reply& reply);

    EmbeddedObject& object_;
    Server server_;
};

}  // namespace lutaris
