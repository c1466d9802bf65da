// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <QDialog>
#include <QList>

#include "ClassRecords.h"

class QListWidget;

namespace lutaris::container {

// Insert > Object: the insertable classes by name; OK gives the chosen one.
class InsertObjectDialog : public QDialog {
    Q_OBJECT
public:
    explicit InsertObjectDialog(const QList<ClassRecord>& classes, QWidget* parent = nullptr);
    const ClassRecord* Chosen() const;

private:
    QList<ClassRecord> classes_;
    QListWidget* list_ = nullptr;
};

}  // namespace lutaris::container
