// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <QDialog>
#include <QString>
#include <vector>

class QPushButton;
class QTreeWidget;

namespace lutaris {

// The question at a start after a crash: the recovery copies that a program which is no longer
// running left behind, with what to do with all of them.
class RecoveryDialog : public QDialog {
    Q_OBJECT
public:
    struct Row {
        QString title;
        // Empty for a document that was never saved.
        QString originalPath;
        QString savedAt;
        bool damaged = false;
    };
    // Recover opens each readable copy, Discard deletes them all, Later (also Esc and the
    // close box) keeps them for the next start.
    enum class Choice { Recover, Discard, Later };

    explicit RecoveryDialog(const std::vector<Row>& rows, QWidget* parent = nullptr);
    Choice Run();

    QTreeWidget* List() const { return list_; }
    QPushButton* RecoverButton() const { return recover_; }
    QPushButton* DiscardButton() const { return discard_; }
    QPushButton* LaterButton() const { return later_; }

private:
    QTreeWidget* list_;
    QPushButton* recover_;
    QPushButton* discard_;
    QPushButton* later_;
    Choice choice_ = Choice::Later;
};

}  // namespace lutaris
