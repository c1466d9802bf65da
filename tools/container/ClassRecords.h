// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <QList>
#include <QPair>
#include <QString>

namespace lutaris::container {

// An insertable class as its record in an insertable-objects folder describes it.
struct ClassRecord {
    QString classId;
    QString progId;
    QString name;
    QString shortName;
    QString busName;
    QString exec;
    QList<QPair<int, QString>> verbs;  // "0=&Edit;1=&Open"
    bool insertable = false;
};

// Parses one record file's bytes (a key file with the group [Insertable Object]); nothing when
// the group, a ProgId or a BusName is missing.
bool ParseClassRecord(const QByteArray& bytes, ClassRecord& record);

// The insertable classes of $XDG_DATA_HOME and each of $XDG_DATA_DIRS, by name; a ProgId found
// twice counts where it was found first, as the folders' order ranks them.
QList<ClassRecord> FindInsertableClasses();

// The record of that ProgId, among all classes (insertable or not).
bool FindClass(const QString& progId, ClassRecord& record);

}  // namespace lutaris::container
