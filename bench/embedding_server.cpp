// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
// The embedding server as a container meets it, on a session bus whose service file starts
// the built program (bench/embedding sets that up): CreateInstance including the start of a
// fresh server process, median of 10; and Load and Save of the HUGE songbook's storage over
// the bus against opening and saving the same document as a file in this process. Prints
// name=value lines, milliseconds.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QGuiApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "document/CCorvaneDoc.h"
#include "platform/files/DocumentFile.h"
#include "platform/prompt/ScriptedPrompter.h"
#include "support/LatencySample.h"
#include "support/TempFolder.h"
#include "support/Workloads.h"

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration duration) {
    return std::chrono::duration<double, std::milli>(duration).count();
}

QDBusMessage Call(const QString& service, const QString& path, const QString& interface,
                  const QString& method, const QVariantList& arguments = {}) {
    QDBusMessage call = QDBusMessage::createMethodCall(service, path, interface, method);
    call.setArguments(arguments);
    return QDBusConnection::sessionBus().call(call, QDBus::Block, 120000);
}

struct Instance {
    QString name;
    QString path;
};

Instance Create() {
    const QDBusMessage reply =
        Call(QStringLiteral("Lutaris.Document"), QStringLiteral("/Lutaris/ClassFactory"),
             QStringLiteral("Lutaris.ClassFactory"), QStringLiteral("CreateInstance"));
    if (reply.type() != QDBusMessage::ReplyMessage) {
        std::fprintf(stderr, "CreateInstance: %s\n",
                     reply.errorMessage().toLocal8Bit().constData());
        std::exit(1);
    }
    return {reply.arguments()[0].toString(), reply.arguments()[1].value<QDBusObjectPath>().path()};
}

QDBusMessage ObjectCall(const Instance& instance, const char* method,
                        const QVariantList& arguments = {}) {
    const QDBusMessage reply =
        Call(instance.name, instance.path, QStringLiteral("Lutaris.EmbeddedObject"),
             QString::fromLatin1(method), arguments);
    if (reply.type() != QDBusMessage::ReplyMessage) {
        std::fprintf(stderr, "%s: %s\n", method, reply.errorMessage().toLocal8Bit().constData());
        std::exit(1);
    }
    return reply;
}

void CloseAndWait(const Instance& instance) {
    ObjectCall(instance, "Close");
    auto* bus = QDBusConnection::sessionBus().interface();
    while (bus->isServiceRegistered(instance.name).value())
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    constexpr int kRuns = 10;

    std::vector<double> creates;
    for (int run = 0; run < kRuns; ++run) {
        const auto start = Clock::now();
        const Instance instance = Create();
        creates.push_back(Milliseconds(Clock::now() - start));
        std::fprintf(stderr, "CreateInstance %d: %.1f ms\n", run + 1, creates.back());
        CloseAndWait(instance);
    }
    std::printf("create_instance_median_ms=%.1f\n", lutaris::bench::MedianOf(creates));

    lutaris::ScriptedPrompter prompter;
    lutaris::CCorvaneDoc document(prompter);
    document.OnNewDocument();
    lutaris::bench::FillSongbook(document, lutaris::bench::kHugeItems);
    const std::vector<std::uint8_t> bytes = lutaris::DocumentFileBytes(document.ContentsBytes());
    const QByteArray storage(reinterpret_cast<const char*>(bytes.data()),
                             static_cast<qsizetype>(bytes.size()));
    std::printf("storage_bytes=%zu\n", bytes.size());

    constexpr int kHugeRuns = 5;
    const Instance instance = Create();
    std::vector<double> loads;
    std::vector<double> saves;
    for (int run = 0; run < kHugeRuns; ++run) {
        auto start = Clock::now();
        ObjectCall(instance, "Load", {storage});
        loads.push_back(Milliseconds(Clock::now() - start));
        start = Clock::now();
        const QDBusMessage saved = ObjectCall(instance, "Save");
        saves.push_back(Milliseconds(Clock::now() - start));
        if (saved.arguments().value(0).toByteArray() != storage) {
            std::fprintf(stderr, "Save gave other bytes than were loaded\n");
            return 1;
        }
    }
    CloseAndWait(instance);

    lutaris::bench::TempFolder folder;
    const std::string path = folder.File("huge.ltf");
    std::vector<double> fileSaves;
    std::vector<double> fileOpens;
    for (int run = 0; run < kHugeRuns; ++run) {
        auto start = Clock::now();
        document.OnSaveDocument(path);
        fileSaves.push_back(Milliseconds(Clock::now() - start));
        lutaris::CCorvaneDoc reader(prompter);
        start = Clock::now();
        reader.OnOpenDocument(path);
        fileOpens.push_back(Milliseconds(Clock::now() - start));
    }
    const double load = lutaris::bench::MedianOf(loads);
    const double save = lutaris::bench::MedianOf(saves);
    const double open = lutaris::bench::MedianOf(fileOpens);
    const double fileSave = lutaris::bench::MedianOf(fileSaves);
    std::printf("bus_load_huge_ms=%.1f\nbus_save_huge_ms=%.1f\n", load, save);
    std::printf("file_open_huge_ms=%.1f\nfile_save_huge_ms=%.1f\n", open, fileSave);
    std::printf("bus_load_plus_save_over_file_open_plus_save=%.2f\n",
                (load + save) / (open + fileSave));
    return 0;
}
