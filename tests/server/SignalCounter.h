#pragma once

#include <QObject>

namespace lutaris::test {

// Counts the object's signals as the bus delivers them.
class SignalCounter : public QObject {
    Q_OBJECT
public:
    int dataChanged = 0;
    int saved = 0;
    int closed = 0;

public slots:
    void OnDataChanged() { ++dataChanged; }
    void OnSaved() { ++saved; }
    void OnClosed() { ++closed; }
};

}  // namespace lutaris::test
