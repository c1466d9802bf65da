// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "ClassRecords.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QStringList>
#include <algorithm>

namespace lutaris::container {
namespace {

// A class record is a few lines; anything larger is not one.
constexpr qint64 kMaxRecordBytes = 64 * 1024;

QStringList DataFolders() {
    QStringList folders;
    QString home = qEnvironmentVariable("XDG_DATA_HOME");
    if (home.isEmpty()) home = QDir::homePath() + QStringLiteral("/.local/share");
    folders << home;
    QString dirs = qEnvironmentVariable("XDG_DATA_DIRS");
    if (dirs.isEmpty()) dirs = QStringLiteral("/usr/local/share:/usr/share");
    for (const QString& dir : dirs.split(QLatin1Char(':'), Qt::SkipEmptyParts)) folders << dir;
    return folders;
}

QList<ClassRecord> AllClasses() {
    QList<ClassRecord> records;
    QSet<QString> seen;
    for (const QString& folder : DataFolders()) {
        QDir dir(folder + QStringLiteral("/insertable-objects"));
        const QStringList names =
            dir.entryList({QStringLiteral("*.object")}, QDir::Files | QDir::Readable, QDir::Name);
        for (const QString& name : names) {
            QFile file(dir.filePath(name));
            if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxRecordBytes) continue;
            ClassRecord record;
            if (!ParseClassRecord(file.read(kMaxRecordBytes), record)) continue;
            if (seen.contains(record.progId)) continue;
            seen.insert(record.progId);
            records << record;
        }
    }
    return records;
}

}  // namespace

bool ParseClassRecord(const QByteArray& bytes, ClassRecord& record) {
    bool inGroup = false;
    bool sawGroup = false;
    for (const QByteArray& rawLine : bytes.split('\n')) {
        const QString line = QString::fromUtf8(rawLine).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
        if (line.startsWith(QLatin1Char('['))) {
            inGroup = line == QStringLiteral("[Insertable Object]");
            sawGroup = sawGroup || inGroup;
            continue;
        }
        if (!inGroup) continue;
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals <= 0) continue;
        const QString key = line.left(equals).trimmed();
        const QString value = line.mid(equals + 1).trimmed();
        if (key == QStringLiteral("ClassId")) record.classId = value;
        if (key == QStringLiteral("ProgId")) record.progId = value;
        if (key == QStringLiteral("Name")) record.name = value;
        if (key == QStringLiteral("ShortName")) record.shortName = value;
        if (key == QStringLiteral("BusName")) record.busName = value;
        if (key == QStringLiteral("Exec")) record.exec = value;
        if (key == QStringLiteral("Insertable"))
            record.insertable = value == QStringLiteral("true");
        if (key == QStringLiteral("Verbs")) {
            record.verbs.clear();
            for (const QString& verb : value.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
                const qsizetype at = verb.indexOf(QLatin1Char('='));
                bool number = false;
                const int id = verb.left(at).toInt(&number);
                if (at > 0 && number) record.verbs.append({id, verb.mid(at + 1)});
            }
        }
    }
    if (record.name.isEmpty()) record.name = record.progId;
    if (record.shortName.isEmpty()) record.shortName = record.name;
    return sawGroup && !record.progId.isEmpty() && !record.busName.isEmpty();
}

QList<ClassRecord> FindInsertableClasses() {
    QList<ClassRecord> records = AllClasses();
    records.erase(std::remove_if(records.begin(), records.end(),
                                 [](const ClassRecord& r) { return !r.insertable; }),
                  records.end());
    std::sort(records.begin(), records.end(), [](const ClassRecord& a, const ClassRecord& b) {
        return a.name.localeAwareCompare(b.name) < 0;
    });
    return records;
}

bool FindClass(const QString& progId, ClassRecord& record) {
    for (const ClassRecord& candidate : AllClasses()) {
        if (candidate.progId == progId) {
            record = candidate;
            return true;
        }
    }
    return false;
}

}  // namespace lutaris::container
