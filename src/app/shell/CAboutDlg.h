#pragma once

#include <QDialog>

namespace lutaris {

// "About Lutaris": the program's icon, name, version and build.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
    int DoModal() { return exec(); }
};

}  // namespace lutaris
