// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
// Editing in place as a container meets it, on a session bus whose service file starts the
// built program and on an X server (bench/inplace sets both up): the time from the DoVerb(0)
// call to the first paint of the tablature in the container's site, and the time from a fret
// key to its paint, in place (the key forwarded to the in-place frame, as a container does)
// against the same in the object's own window (verb 1). Medians; prints name=value lines,
// milliseconds. The screen is read with xcb_get_image until the picture changes, so each
// figure includes one read of the screen (a fraction of a millisecond here).
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCall>
#include <QGuiApplication>
#include <QRect>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "document/CCorvaneDoc.h"
#include "platform/files/DocumentFile.h"
#include "platform/prompt/ScriptedPrompter.h"
#include "server/XSite.h"
#include "support/LatencySample.h"
#include "support/Workloads.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr QSize kSiteSize(400, 200);
constexpr int kVerbRuns = 20;
constexpr int kKeys = 40;

double Milliseconds(Clock::duration duration) {
    return std::chrono::duration<double, std::milli>(duration).count();
}

struct Instance {
    QString name;
    QString path;
};

QDBusMessage Checked(const QDBusMessage& reply, const char* what) {
    if (reply.type() != QDBusMessage::ReplyMessage) {
        std::fprintf(stderr, "%s: %s\n", what, reply.errorMessage().toLocal8Bit().constData());
        std::exit(1);
    }
    return reply;
}

QDBusMessage ObjectMessage(const Instance& instance, const char* method,
                           const QVariantList& arguments = {}) {
    QDBusMessage call = QDBusMessage::createMethodCall(instance.name, instance.path,
                                                       QStringLiteral("Lutaris.EmbeddedObject"),
                                                       QString::fromLatin1(method));
    call.setArguments(arguments);
    return call;
}

QDBusMessage ObjectCall(const Instance& instance, const char* method,
                        const QVariantList& arguments = {}) {
    return Checked(QDBusConnection::sessionBus().call(ObjectMessage(instance, method, arguments),
                                                      QDBus::Block, 120000),
                   method);
}

Instance Create() {
    const QDBusMessage reply =
        Checked(QDBusConnection::sessionBus().call(
                    QDBusMessage::createMethodCall(
                        QStringLiteral("Lutaris.Document"), QStringLiteral("/Lutaris/ClassFactory"),
                        QStringLiteral("Lutaris.ClassFactory"), QStringLiteral("CreateInstance")),
                    QDBus::Block, 120000),
                "CreateInstance");
    return {reply.arguments()[0].toString(), reply.arguments()[1].value<QDBusObjectPath>().path()};
}

// Waits (up to ten seconds) until `done` holds; false when it never did.
bool Poll(const std::function<bool()>& done) {
    const auto start = Clock::now();
    while (!done()) {
        if (Clock::now() - start > std::chrono::seconds(10)) return false;
        QCoreApplication::processEvents();
    }
    return true;
}

// True when the tablature's lines are in the picture: dark pixels inside the border.
bool TablatureShown(const QImage& image) {
    if (image.isNull()) return false;
    for (int y = 10; y < image.height() - 10; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 10; x < image.width() - 10; ++x)
            if (qGray(line[x]) < 128) return true;
    }
    return false;
}

bool Blank(const QImage& image) {
    if (image.isNull()) return false;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if ((line[x] & 0xffffff) != 0xffffff) return false;
    }
    return true;
}

// Where two pictures of the same size differ, as one rectangle.
QRect Changed(const QImage& a, const QImage& b) {
    QRect changed;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y)) changed |= QRect(x, y, 1, 1);
    return changed;
}

// Types `keys` frets into `window` (alternately 1 and 2: the fret becomes 1, 12, 21, 12, ...)
// and measures each one's way to the screen's `area`.
std::vector<double> KeyToPaint(lutaris::test::XSite& x, xcb_window_t window, const QRect& area,
                               int keys) {
    std::vector<double> times;
    QImage before = x.GrabScreen(area);
    for (int key = 0; key < keys; ++key) {
        const auto start = Clock::now();
        x.ForwardKey(window, key % 2 == 0 ? '1' : '2');
        QImage after;
        if (!Poll([&] { return (after = x.GrabScreen(area)) != before; })) {
            std::fprintf(stderr, "key %d was not painted\n", key + 1);
            std::exit(1);
        }
        times.push_back(Milliseconds(Clock::now() - start));
        before = after;
        // Let the repaint of the caret and the key's release settle before the next key.
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        before = x.GrabScreen(area);
    }
    return times;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    lutaris::test::XSite x(kSiteSize);
    if (!x.Ok()) {
        std::fprintf(stderr, "no X server\n");
        return 1;
    }

    // A songbook of a few hundred tab items: more than the site shows.
    lutaris::ScriptedPrompter prompter;
    lutaris::CCorvaneDoc document(prompter);
    document.OnNewDocument();
    lutaris::bench::FillSongbook(document, 300);
    const std::vector<std::uint8_t> bytes = lutaris::DocumentFileBytes(document.ContentsBytes());
    const QByteArray storage(reinterpret_cast<const char*>(bytes.data()),
                             static_cast<qsizetype>(bytes.size()));

    const Instance object = Create();
    ObjectCall(object, "Load", {storage});
    ObjectCall(object, "SetHostNames", {QStringLiteral("Bench"), QStringLiteral("Bench")});
    // A container shows the object's picture before the person double-clicks it.
    ObjectCall(object, "Draw",
               {QStringLiteral("image/png"), kSiteSize.width(), kSiteSize.height()});
    const QRect position(QPoint(0, 0), kSiteSize);
    const QVariantList edit{0, qulonglong{x.Site()}, position};

    std::vector<double> firstPaints;
    std::vector<double> replies;
    for (int run = 0; run < kVerbRuns; ++run) {
        if (!Poll([&] { return Blank(x.Grab()); })) {
            std::fprintf(stderr, "the site did not clear\n");
            return 1;
        }
        const auto start = Clock::now();
        QDBusPendingCall call =
            QDBusConnection::sessionBus().asyncCall(ObjectMessage(object, "DoVerb", edit), 120000);
        if (!Poll([&] { return TablatureShown(x.Grab()); })) {
            std::fprintf(stderr, "nothing was painted in place\n");
            return 1;
        }
        firstPaints.push_back(Milliseconds(Clock::now() - start));
        call.waitForFinished();
        Checked(call.reply(), "DoVerb(0)");
        replies.push_back(Milliseconds(Clock::now() - start));
        std::fprintf(stderr, "DoVerb(0) %d: first paint %.2f ms\n", run + 1, firstPaints.back());
        ObjectCall(object, "DoVerb", {-1, qulonglong{0}, QRect()});
    }
    // The process's first activation builds what later ones find ready (fonts, Qt's widgets).
    std::printf("doverb0_first_activation_ms=%.2f\n", firstPaints.front());
    std::printf("doverb0_to_first_paint_median_ms=%.2f\n", lutaris::bench::MedianOf(firstPaints));
    std::printf("doverb0_first_paint_max_ms=%.2f\n",
                *std::max_element(firstPaints.begin(), firstPaints.end()));

    // A fret typed in place: the container forwards the key after the XEmbed focus.
    ObjectCall(object, "DoVerb", edit);
    const auto frame = static_cast<xcb_window_t>(
        ObjectCall(object, "GetInPlaceWindow").arguments().value(0).toULongLong());
    x.Embed(frame);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    const QRect siteArea(x.ScreenOrigin(x.Site()), kSiteSize);
    const double inPlace = lutaris::bench::MedianOf(KeyToPaint(x, frame, siteArea, kKeys));
    std::printf("key_to_paint_in_place_median_ms=%.2f\n", inPlace);

    // The same in the object's own window.
    ObjectCall(object, "DoVerb", {1, qulonglong{0}, QRect()});
    xcb_window_t window = 0;
    if (!Poll([&] { return (window = x.TopLevelNamed("Lutars in Bench")) != 0; })) {
        std::fprintf(stderr, "the object's window did not come\n");
        return 1;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    x.Focus(window);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    // As large an area as in place, around the caret wherever the view scrolled it to: where
    // a first fret changed the window.
    const QRect windowRect(x.ScreenOrigin(window), x.Geometry(window).size());
    const QImage unchanged = x.GrabScreen(windowRect);
    x.ForwardKey(window, '3');
    QRect caret;
    if (!Poll([&] { return !(caret = Changed(unchanged, x.GrabScreen(windowRect))).isEmpty(); })) {
        std::fprintf(stderr, "a key in the object's window changed nothing\n");
        return 1;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    QRect windowArea(QPoint(0, 0), kSiteSize);
    windowArea.moveCenter(windowRect.topLeft() + caret.center());
    windowArea.moveLeft(std::clamp(windowArea.left(), windowRect.left(),
                                   windowRect.right() + 1 - windowArea.width()));
    windowArea.moveTop(std::clamp(windowArea.top(), windowRect.top(),
                                  windowRect.bottom() + 1 - windowArea.height()));
    const double own = lutaris::bench::MedianOf(KeyToPaint(x, window, windowArea, kKeys));
    std::printf("key_to_paint_own_window_median_ms=%.2f\n", own);
    std::printf("key_to_paint_in_place_over_own_window=%.2f\n", inPlace / own);
    ObjectCall(object, "Close");
    // The server ends before its X server does.
    Poll([&] {
        return !QDBusConnection::sessionBus().interface()->isServiceRegistered(object.name).value();
    });
    return 0;
}
