// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
// lutaris-container: a small container program that embeds objects served over the session
// bus, shows their pictures, opens them and edits them in place.
//
//   lutaris-container [FILE] [--insert PROGID | --object INDEX] [--verb N]
//   lutaris-container --extract N OUT FILE
#include <QApplication>
#include <QFile>
#include <QSaveFile>
#include <QStringList>
#include <cstdio>
#include <optional>

#include "ContainerDocument.h"
#include "ContainerWindow.h"

namespace {

using lutaris::container::ContainerDocument;

int Usage() {
    std::fputs(
        "usage: lutaris-container [FILE] [--insert PROGID | --object INDEX] [--verb N]\n"
        "       lutaris-container --extract N OUT FILE\n",
        stderr);
    return 2;
}

// Writes object N's storage to OUT without a window: the storage a server saved.
int Extract(const QString& number, const QString& out, const QString& path) {
    bool ok = false;
    const qlonglong index = number.toLongLong(&ok);
    if (!ok || index < 0) return Usage();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "lutaris-container: cannot read %s\n", qPrintable(path));
        return 1;
    }
    const QByteArray bytes = file.readAll();
    std::string error;
    const std::optional<ContainerDocument> document = lutaris::container::ReadContainerFile(
        {reinterpret_cast<const std::uint8_t*>(bytes.data()), std::size_t(bytes.size())}, &error);
    if (!document) {
        std::fprintf(stderr, "lutaris-container: %s: %s\n", qPrintable(path), error.c_str());
        return 1;
    }
    if (std::size_t(index) >= document->objects.size()) {
        std::fprintf(stderr, "lutaris-container: %s holds %zu objects\n", qPrintable(path),
                     document->objects.size());
        return 1;
    }
    const std::vector<std::uint8_t>& storage = document->objects[std::size_t(index)].storage;
    if (storage.empty()) {
        std::fprintf(stderr, "lutaris-container: object %lld has no storage\n", index);
        return 1;
    }
    QSaveFile output(out);
    if (!output.open(QIODevice::WriteOnly) ||
        output.write(reinterpret_cast<const char*>(storage.data()), qint64(storage.size())) !=
            qint64(storage.size()) ||
        !output.commit()) {
        std::fprintf(stderr, "lutaris-container: cannot write %s\n", qPrintable(out));
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    if (!arguments.isEmpty() && arguments[0] == QStringLiteral("--extract")) {
        if (arguments.size() != 4) return Usage();
        return Extract(arguments[1], arguments[2], arguments[3]);
    }
    QString path;
    QString insert;
    int verb = 0;
    int object = -1;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QStringLiteral("--insert") && i + 1 < arguments.size()) {
            insert = arguments[++i];
        } else if (argument == QStringLiteral("--object") && i + 1 < arguments.size()) {
            bool ok = false;
            object = arguments[++i].toInt(&ok);
            if (!ok || object < 0) return Usage();
        } else if (argument == QStringLiteral("--verb") && i + 1 < arguments.size()) {
            bool ok = false;
            verb = arguments[++i].toInt(&ok);
            if (!ok) return Usage();
        } else if (argument.startsWith(QStringLiteral("--")) || !path.isEmpty()) {
            return Usage();
        } else {
            path = argument;
        }
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("lutaris-container"));
    lutaris::container::ContainerWindow window;
    if (!path.isEmpty() && !window.OpenOrCreate(path)) return 1;
    window.show();
    if (!insert.isEmpty() && object >= 0) return Usage();
    // After the window is on the screen: the site must be a mapped window.
    if (!insert.isEmpty()) {
        QMetaObject::invokeMethod(
            &window, [&window, insert, verb] { window.InsertObject(insert, verb); },
            Qt::QueuedConnection);
    }
    if (object >= 0) {
        QMetaObject::invokeMethod(
            &window,
            [&window, object, verb] {
                if (!window.ActivateObject(object, verb)) std::fputs("no such object\n", stderr);
            },
            Qt::QueuedConnection);
    }
    return app.exec();
}
