// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
// A container's view of the embedding server: run on a session bus whose service file starts
// the built program (tests/scripts/embedding_server.sh sets that up), on an X server.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/types.h>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCall>
#include <QDBusReply>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QRect>
#include <QXmlStreamReader>
#include <chrono>
#include <filesystem>
#include <functional>
#include <iostream>
#include <optional>
#include <random>
#include <set>
#include <thread>

#include "document/CCorvaneDoc.h"
#include "platform/prompt/ScriptedPrompter.h"
#include "server/SignalCounter.h"
#include "server/XSite.h"
#include "support/TestPaths.h"
#include "support/TypedTabs.h"

namespace lutaris {
namespace {

const QString kObjectInterface = QStringLiteral("Lutaris.EmbeddedObject");
char* gProgram = nullptr;

QDBusConnection Bus() { return QDBusConnection::sessionBus(); }

// Lets the bus's messages in until `done` holds or `milliseconds` have passed.
bool WaitFor(const std::function<bool()>& done, int milliseconds = 5000) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > milliseconds) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

struct Instance {
    QString busName;
    QString path;
    QDBusMessage reply;
};

Instance CreateInstance() {
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("Lutaris.Document"), QStringLiteral("/Lutaris/ClassFactory"),
        QStringLiteral("Lutaris.ClassFactory"), QStringLiteral("CreateInstance"));
    Instance instance;
    instance.reply = Bus().call(call, QDBus::Block, 20000);
    if (instance.reply.type() == QDBusMessage::ReplyMessage &&
        instance.reply.arguments().size() == 2) {
        instance.busName = instance.reply.arguments()[0].toString();
        instance.path = instance.reply.arguments()[1].value<QDBusObjectPath>().path();
    }
    return instance;
}

QDBusMessage Call(const Instance& instance, const char* method,
                  const QVariantList& arguments = {}) {
    QDBusMessage call = QDBusMessage::createMethodCall(
        instance.busName, instance.path, kObjectInterface, QString::fromLatin1(method));
    call.setArguments(arguments);
    return Bus().call(call, QDBus::Block, 20000);
}

void ExpectError(const QDBusMessage& reply, const char* name, const char* text = nullptr) {
    ASSERT_EQ(reply.type(), QDBusMessage::ErrorMessage) << reply.arguments().size();
    EXPECT_EQ(reply.errorName().toStdString(), name);
    if (text) {
        EXPECT_EQ(reply.errorMessage().toStdString(), text);
    }
}

void ExpectOk(const QDBusMessage& reply) {
    ASSERT_EQ(reply.type(), QDBusMessage::ReplyMessage)
        << reply.errorName().toStdString() << ": " << reply.errorMessage().toStdString();
}

bool HasOwner(const QString& name) { return Bus().interface()->isServiceRegistered(name).value(); }

QByteArray ReadFile(const std::string& path) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

// A document of a few typed tab items, saved as the editor saves it.
std::string SaveSampleDocument(const std::filesystem::path& folder) {
    ScriptedPrompter prompter;
    CCorvaneDoc document(prompter);
    document.OnNewDocument();
    std::mt19937 random(17);
    test::FillWithTypedNotes(*document.tabItems[0], random);
    for (int i = 1; i < 4; ++i) test::FillWithTypedNotes(*document.AppendTabItem(i), random);
    const std::string path = (folder / "sample.ltf").string();
    EXPECT_TRUE(document.OnSaveDocument(path));
    return path;
}

std::string WindowsOnScreen() {
    QProcess tree;
    tree.start(QStringLiteral("xwininfo"), {QStringLiteral("-root"), QStringLiteral("-tree")});
    tree.waitForFinished(10000);
    return tree.readAllStandardOutput().toStdString();
}

// The X window of that title, as xdotool names it (only a mapped one when `visible`); empty
// when there is none.
QString WindowNamed(const QString& title, bool visible = false) {
    QStringList arguments{QStringLiteral("search")};
    if (visible) arguments << QStringLiteral("--onlyvisible");
    arguments << QStringLiteral("--name") << QStringLiteral("^") + title + "$";
    QProcess search;
    search.start(QStringLiteral("xdotool"), arguments);
    search.waitForFinished(10000);
    return QString::fromLatin1(search.readAllStandardOutput()).split('\n').value(0).trimmed();
}

// Waits up to ten seconds for the window of that title; empty when it did not come.
QString AwaitWindow(const QString& title) {
    QString window;
    WaitFor([&] { return !(window = WindowNamed(title)).isEmpty(); }, 10000);
    return window;
}

void PressKeys(const QString& window, const QStringList& keys) {
    QProcess::execute(QStringLiteral("xdotool"),
                      {QStringLiteral("windowfocus"), QStringLiteral("--sync"), window});
    QStringList arguments{QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("50")};
    arguments << keys;
    QProcess::execute(QStringLiteral("xdotool"), arguments);
}

void Watch(const Instance& instance, test::SignalCounter& counter) {
    for (const auto& [signal, slot] :
         {std::pair{"DataChanged", SLOT(OnDataChanged())}, std::pair{"Saved", SLOT(OnSaved())},
          std::pair{"Closed", SLOT(OnClosed())}, std::pair{"Deactivated", SLOT(OnDeactivated())},
          std::pair{"MenuChanged", SLOT(OnMenuChanged())},
          std::pair{"StatusText", SLOT(OnStatusText(QString))},
          std::pair{"RequestRect", SLOT(OnRequestRect(QRect))}}) {
        ASSERT_TRUE(Bus().connect(instance.busName, instance.path, kObjectInterface,
                                  QString::fromLatin1(signal), &counter, slot));
    }
}

// A new object whose signals `counter` counts; without a bus name when there is none.
Instance WatchedInstance(test::SignalCounter& counter) {
    Instance instance = CreateInstance();
    if (!instance.busName.isEmpty()) Watch(instance, counter);
    return instance;
}

// The container's names for itself and for the object.
QDBusMessage SetHostNames(const Instance& instance, const QString& objectName) {
    return Call(instance, "SetHostNames", {QStringLiteral("Test Container"), objectName});
}

TEST(EmbeddingServer, EachObjectHasAProcessOfItsOwn) {
    const Instance first = CreateInstance();
    ASSERT_FALSE(first.busName.isEmpty()) << first.reply.errorMessage().toStdString();
    EXPECT_TRUE(first.busName.startsWith(':'));
    EXPECT_EQ(first.path, QStringLiteral("/Lutaris/EmbeddedObject"));
    const Instance second = CreateInstance();
    ASSERT_FALSE(second.busName.isEmpty()) << second.reply.errorMessage().toStdString();
    EXPECT_NE(first.busName, second.busName);
    const uint firstPid = Bus().interface()->servicePid(first.busName).value();
    const uint secondPid = Bus().interface()->servicePid(second.busName).value();
    EXPECT_NE(firstPid, secondPid);
    // Nobody holds the factory's name between activations.
    EXPECT_FALSE(HasOwner(QStringLiteral("Lutaris.Document")));
    ExpectOk(Call(first, "Close"));
    ExpectOk(Call(second, "Close"));
    EXPECT_TRUE(
        WaitFor([&] { return !HasOwner(first.busName) && !HasOwner(second.busName); }, 2000));
}

TEST(EmbeddingServer, TwoRequestsQueuedDuringActivationGetOneObjectAndTryAgain) {
    auto request = [] {
        return QDBusMessage::createMethodCall(
            QStringLiteral("Lutaris.Document"), QStringLiteral("/Lutaris/ClassFactory"),
            QStringLiteral("Lutaris.ClassFactory"), QStringLiteral("CreateInstance"));
    };
    QDBusPendingCall a = Bus().asyncCall(request(), 20000);
    QDBusPendingCall b = Bus().asyncCall(request(), 20000);
    a.waitForFinished();
    b.waitForFinished();
    const QDBusMessage replies[] = {a.reply(), b.reply()};
    int objects = 0;
    int retries = 0;
    for (const QDBusMessage& reply : replies) {
        if (reply.type() == QDBusMessage::ReplyMessage) {
            ++objects;
            Instance instance{reply.arguments()[0].toString(),
                              reply.arguments()[1].value<QDBusObjectPath>().path(), reply};
            ExpectOk(Call(instance, "Close"));
        } else if (reply.errorName() == QStringLiteral("Lutaris.Error.TryAgain")) {
            ++retries;
        }
    }
    // Both reach the process that the first one started, or the second one a process of its
    // own: never two objects in one process.
    EXPECT_GE(objects, 1);
    EXPECT_EQ(objects + retries, 2);
}

TEST(EmbeddingServer, LoadsDrawsAndSavesTheStorageByteForByte) {
    test::TempDir dir;
    const QByteArray file = ReadFile(SaveSampleDocument(dir.Path()));
    ASSERT_FALSE(file.isEmpty());
    const Instance object = CreateInstance();
    ASSERT_FALSE(object.busName.isEmpty());

    // Nothing to show before InitNew or Load.
    ExpectError(Call(object, "GetExtent", {1u}), "Lutaris.Error.NotInitialized");
    ExpectOk(Call(object, "InitNew"));
    // One empty tab item with default settings at 96 dots per inch.
    QDBusMessage extent = Call(object, "GetExtent", {1u});
    ExpectOk(extent);
    EXPECT_EQ(extent.arguments().value(0).toInt(), 1958);
    EXPECT_EQ(extent.arguments().value(1).toInt(), 2434);

    ExpectOk(Call(object, "Load", {file}));
    QDBusMessage saved = Call(object, "Save");
    ExpectOk(saved);
    EXPECT_EQ(saved.arguments().value(0).toByteArray(), file);

    extent = Call(object, "GetExtent", {1u});
    ExpectOk(extent);
    const int cx = extent.arguments().value(0).toInt();
    const int cy = extent.arguments().value(1).toInt();
    EXPECT_GT(cx, 1958);
    EXPECT_EQ(cy, 2434);  // the height depends on the settings alone
    ExpectError(Call(object, "GetExtent", {2u}), "Lutaris.Error.BadAspect");

    const QDBusMessage svg = Call(object, "Draw", {QStringLiteral("image/svg+xml"), 400, 100});
    ExpectOk(svg);
    EXPECT_TRUE(svg.arguments().value(0).toByteArray().contains("<svg"));
    const QDBusMessage png = Call(object, "Draw", {QStringLiteral("image/png"), 640, 120});
    ExpectOk(png);
    const QImage image = QImage::fromData(png.arguments().value(0).toByteArray(), "PNG");
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(640, 120));
    // Not a blank picture: the tablature is drawn in it.
    bool inked = false;
    for (int y = 0; y < image.height() && !inked; ++y)
        for (int x = 0; x < image.width() && !inked; ++x)
            inked = image.pixelColor(x, y) != QColor(Qt::white);
    EXPECT_TRUE(inked);
    ExpectError(Call(object, "Draw", {QStringLiteral("image/png"), 100000, 10}),
                "Lutaris.Error.BadSize");
    ExpectError(Call(object, "Draw", {QStringLiteral("image/png"), 5000, 5000}),
                "Lutaris.Error.BadSize");
    ExpectError(Call(object, "Draw", {QStringLiteral("image/png"), 0, 10}),
                "Lutaris.Error.BadSize");
    ExpectError(Call(object, "Draw", {QStringLiteral("image/gif"), 10, 10}),
                "Lutaris.Error.BadFormat");
    ExpectError(Call(object, "DoVerb", {7, qulonglong{0}, QRect(0, 0, 10, 10)}),
                "Lutaris.Error.BadVerb");
    ExpectOk(Call(object, "Close"));
}

TEST(EmbeddingServer, BadStorageGetsTheProgramsOwnTextsAndTheObjectStaysUsable) {
    const Instance object = CreateInstance();
    ASSERT_FALSE(object.busName.isEmpty());
    ExpectError(Call(object, "Load", {QByteArray("Lutaris_0.3 and more bytes")}),
                "Lutaris.Error.NotLutarisFile", "This is not a Lutaris file");
    ExpectError(Call(object, "Load", {QByteArray("Lutaris_0.2\x01\x00", 13)}),
                "Lutaris.Error.UnexpectedFormat", "Unexpected file format.");
    // A compound file's signature before a broken header.
    QByteArray damaged("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
    damaged.append(600, '\x7f');
    ExpectError(Call(object, "Load", {damaged}), "Lutaris.Error.OpenFailed",
                "Failed to open document.");
    // A failed load leaves a new document, as a failed open does.
    const QDBusMessage extent = Call(object, "GetExtent", {1u});
    ExpectOk(extent);
    EXPECT_EQ(extent.arguments().value(0).toInt(), 1958);
    // A plain "Contents" stream is taken as a file without the compound container is.
    QByteArray plain("Lutaris_0.2", 11);
    for (int value : {1, 1, 24, 12, 8, 6, 30, 1, 0})
        plain.append(reinterpret_cast<const char*>(&value), 4);
    ExpectOk(Call(object, "Load", {plain}));
    ExpectOk(Call(object, "Close"));
    // After Close the process goes.
    EXPECT_TRUE(WaitFor([&] { return !HasOwner(object.busName); }, 2000));
}

TEST(EmbeddingServer, TheInterfacesAreTheOnesTheRepositoryDescribes) {
    // Every method and signal with its argument types, from introspection XML.
    auto members = [](const QString& xml) {
        std::set<std::string> found;
        QXmlStreamReader reader(xml);
        QString interface;
        QString member;
        QString ins;
        QString outs;
        while (!reader.atEnd()) {
            reader.readNext();
            const QString name = reader.name().toString();
            if (reader.isStartElement() && name == QStringLiteral("interface")) {
                interface = reader.attributes().value(QStringLiteral("name")).toString();
            } else if (reader.isStartElement() &&
                       (name == QStringLiteral("method") || name == QStringLiteral("signal"))) {
                member = name + ' ' + reader.attributes().value(QStringLiteral("name")).toString();
                ins.clear();
                outs.clear();
            } else if (reader.isStartElement() && name == QStringLiteral("arg") &&
                       !member.isEmpty()) {
                const QString direction =
                    reader.attributes().value(QStringLiteral("direction")).toString();
                // Qt names the return value first; the order of ins and outs among themselves
                // is what counts.
                const QString type = reader.attributes().value(QStringLiteral("type")).toString();
                if (direction == QStringLiteral("out"))
                    outs += QStringLiteral(" out:") + type;
                else
                    ins += QStringLiteral(" in:") + type;
            } else if (reader.isEndElement() &&
                       (name == QStringLiteral("method") || name == QStringLiteral("signal"))) {
                if (interface.startsWith(QStringLiteral("Lutaris.")))
                    found.insert((interface + ' ' + member + ins + outs).toStdString());
                member.clear();
            }
        }
        return found;
    };
    QFile published(QStringLiteral(LUTARIS_SOURCE_DIR "/dbus/Lutaris.Document.xml"));
    ASSERT_TRUE(published.open(QIODevice::ReadOnly));
    const std::set<std::string> expected = members(QString::fromUtf8(published.readAll()));
    ASSERT_FALSE(expected.empty());

    const Instance object = CreateInstance();
    ASSERT_FALSE(object.busName.isEmpty());
    std::set<std::string> live;
    for (const QString& path : {QStringLiteral("/Lutaris/ClassFactory"), object.path}) {
        QDBusMessage call = QDBusMessage::createMethodCall(
            object.busName, path, QStringLiteral("org.freedesktop.DBus.Introspectable"),
            QStringLiteral("Introspect"));
        const QDBusMessage reply = Bus().call(call);
        ExpectOk(reply);
        const std::set<std::string> some = members(reply.arguments().value(0).toString());
        live.insert(some.begin(), some.end());
    }
    EXPECT_EQ(live, expected);
    ExpectOk(Call(object, "Close"));
}

TEST(EmbeddingServer, VerbOneOpensTheWindowWhoseUpdateSendsSaved) {
    test::SignalCounter counter;
    const Instance object = WatchedInstance(counter);
    ASSERT_FALSE(object.busName.isEmpty());
    ExpectOk(Call(object, "InitNew"));
    ExpectOk(SetHostNames(object, QStringLiteral("Song 1")));
    QDBusMessage before = Call(object, "Save");
    ExpectOk(before);
    ExpectOk(Call(object, "DoVerb", {1, qulonglong{0}, QRect(0, 0, 100, 100)}));
    const QString window = AwaitWindow(QStringLiteral("Lutars in Song 1"));
    ASSERT_FALSE(window.isEmpty()) << WindowsOnScreen();

    // A fret typed in the window changes the object: the container hears of it.
    PressKeys(window, {QStringLiteral("7")});
    EXPECT_TRUE(WaitFor([&] { return counter.dataChanged > 0; })) << "no DataChanged";
    // Ctrl+S is File > Update here: the container is asked to take the storage.
    PressKeys(window, {QStringLiteral("ctrl+s")});
    EXPECT_TRUE(WaitFor([&] { return counter.saved > 0; })) << "no Saved";
    const QDBusMessage after = Call(object, "Save");
    ExpectOk(after);
    EXPECT_NE(after.arguments().value(0).toByteArray(), before.arguments().value(0).toByteArray());
    // Verb 0 without a window of the container's to edit in opens the same window.
    ExpectOk(Call(object, "DoVerb", {0, qulonglong{0}, QRect()}));
    ExpectOk(Call(object, "Close"));
    EXPECT_TRUE(WaitFor([&] { return counter.closed > 0; })) << "no Closed";
    EXPECT_TRUE(WaitFor([&] { return !HasOwner(object.busName); }, 2000));
}

TEST(EmbeddingServer, ExitFromAChangedWindowHandsTheChangesOverAndKeepsTheObject) {
    test::SignalCounter counter;
    const Instance object = WatchedInstance(counter);
    ASSERT_FALSE(object.busName.isEmpty());
    ExpectOk(Call(object, "InitNew"));
    ExpectOk(SetHostNames(object, QStringLiteral("Song 2")));
    const QDBusMessage before = Call(object, "Save");
    ExpectOk(Call(object, "DoVerb", {1, qulonglong{0}, QRect()}));
    const QString window = AwaitWindow(QStringLiteral("Lutars in Song 2"));
    ASSERT_FALSE(window.isEmpty());
    PressKeys(window, {QStringLiteral("3")});
    ASSERT_TRUE(WaitFor([&] { return counter.dataChanged > 0; }));
    // File > Exit.
    PressKeys(window, {QStringLiteral("alt+f"), QStringLiteral("x")});
    EXPECT_TRUE(WaitFor([&] { return counter.saved > 0 && counter.closed > 0; }))
        << "saved " << counter.saved << ", closed " << counter.closed;
    EXPECT_TRUE(
        WaitFor([&] { return WindowNamed(QStringLiteral("Lutars in Song 2"), true).isEmpty(); }));
    // The container still takes the storage, with the typed fret.
    const QDBusMessage after = Call(object, "Save");
    ExpectOk(after);
    EXPECT_NE(after.arguments().value(0).toByteArray(), before.arguments().value(0).toByteArray());
    ExpectOk(Call(object, "Close"));
}

// Editing in place: the container's side played on an X connection of the test's own.

constexpr std::uint32_t kKeysymEscape = 0xff1b;
constexpr std::uint32_t kKeysymInsert = 0xff63;
constexpr std::uint16_t kControlMask = 4;

// Menu 4 as "title: id text flags, ..." per menu; flags e (enabled), c (checkable), x (checked).
std::vector<std::string> MenuLines(const QDBusMessage& reply) {
    std::vector<std::string> lines;
    const QDBusArgument menus = reply.arguments().value(0).value<QDBusArgument>();
    menus.beginArray();
    while (!menus.atEnd()) {
        QString title;
        menus.beginStructure();
        menus >> title;
        std::string line = title.toStdString() + ":";
        menus.beginArray();
        while (!menus.atEnd()) {
            int id = 0;
            QString text;
            bool enabled = false;
            bool checkable = false;
            bool checked = false;
            menus.beginStructure();
            menus >> id >> text >> enabled >> checkable >> checked;
            menus.endStructure();
            line += " " + std::to_string(id) + (text.isEmpty() ? "" : " " + text.toStdString()) +
                    (enabled ? " e" : "") + (checkable ? " c" : "") + (checked ? " x" : "") + ",";
        }
        menus.endArray();
        menus.endStructure();
        lines.push_back(line);
    }
    menus.endArray();
    return lines;
}

struct ToolbarButton {
    int id = 0;
    QString tooltip;
    QString prompt;
    QByteArray png;
};

std::vector<ToolbarButton> ToolbarButtons(const QDBusMessage& reply) {
    std::vector<ToolbarButton> buttons;
    const QDBusArgument list = reply.arguments().value(0).value<QDBusArgument>();
    list.beginArray();
    while (!list.atEnd()) {
        ToolbarButton button;
        list.beginStructure();
        list >> button.id >> button.tooltip >> button.prompt >> button.png;
        list.endStructure();
        buttons.push_back(button);
    }
    list.endArray();
    return buttons;
}

qulonglong InPlaceWindow(const Instance& object) {
    const QDBusMessage reply = Call(object, "GetInPlaceWindow");
    EXPECT_EQ(reply.type(), QDBusMessage::ReplyMessage) << reply.errorMessage().toStdString();
    return reply.arguments().value(0).toULongLong();
}

// The X clipboard's targets, as another program sees them.
QString ClipboardTargets() {
    QProcess xclip;
    xclip.start(QStringLiteral("xclip"),
                {QStringLiteral("-selection"), QStringLiteral("clipboard"), QStringLiteral("-o"),
                 QStringLiteral("-t"), QStringLiteral("TARGETS")});
    xclip.waitForFinished(5000);
    return QString::fromUtf8(xclip.readAllStandardOutput());
}

void SaveScreenshot(const QImage& image, const char* name) {
    const QByteArray folder = qgetenv("LUTARIS_SCREENSHOT_DIR");
    if (!folder.isEmpty()) image.save(QString::fromLocal8Bit(folder) + '/' + name);
}

TEST(EmbeddingInPlace, VerbZeroPutsTheFrameIntoTheSiteAndOffersMenuFourAndToolbarFour) {
    test::XSite site(QSize(400, 200));
    ASSERT_TRUE(site.Ok()) << "X connection error " << site.ConnectionError();
    test::TempDir dir;
    const QByteArray file = ReadFile(SaveSampleDocument(dir.Path()));
    test::SignalCounter counter;
    const Instance object = WatchedInstance(counter);
    ASSERT_FALSE(object.busName.isEmpty());
    ExpectOk(Call(object, "Load", {file}));
    ExpectOk(SetHostNames(object, QStringLiteral("Song 3")));
    EXPECT_EQ(InPlaceWindow(object), 0u);
    ExpectError(Call(object, "GetMenu"), "Lutaris.Error.NotInPlace");
    ExpectError(Call(object, "DoVerb", {0, qulonglong{site.Site()} + 0x7000, QRect(0, 0, 10, 10)}),
                "Lutaris.Error.BadWindow");

    ExpectOk(Call(object, "DoVerb", {0, qulonglong{site.Site()}, QRect(0, 0, 400, 200)}));
    const auto window = static_cast<xcb_window_t>(InPlaceWindow(object));
    ASSERT_NE(window, 0u);
    EXPECT_EQ(site.Parent(window), site.Site());
    EXPECT_EQ(site.Geometry(window), QRect(0, 0, 400, 200));
    EXPECT_EQ(site.Name(window), "Song 3 - Lutars");

    // The tablature is drawn inside a hatched border with black handles.
    QImage shown;
    auto drawn = [&] {
        shown = site.Grab();
        if (shown.isNull()) return false;
        int ink = 0;
        for (int x = 20; x < 380; ++x) ink += shown.pixelColor(x, 60) != QColor(Qt::white);
        return shown.pixelColor(1, 1) == QColor(Qt::black) && ink > 0;
    };
    EXPECT_TRUE(WaitFor(drawn)) << "nothing drawn in the site";
    SaveScreenshot(shown, "inplace-site.png");
    std::set<QRgb> borderColours;
    for (int x = 10; x < 190; ++x) borderColours.insert(shown.pixel(x, 2));
    EXPECT_GE(borderColours.size(), 2u) << "the border is not hatched";

    // The frame takes the rectangle the container gives it.
    ExpectOk(Call(object, "SetObjectRects", {QRect(5, 5, 300, 150), QRect(0, 0, 400, 200)}));
    EXPECT_TRUE(WaitFor([&] { return site.Geometry(window) == QRect(5, 5, 300, 150); }))
        << site.Geometry(window).width();
    ExpectError(Call(object, "SetObjectRects", {QRect(0, 0, -5, 10), QRect()}),
                "Lutaris.Error.BadSize");
    // Dragging the bottom right handle asks for a larger rectangle and leaves the frame as it
    // is. The handle's middle: site (10, 10) + frame (5, 5) + (297, 147).
    QProcess::execute(
        QStringLiteral("xdotool"),
        QStringList{QStringLiteral("mousemove"), QStringLiteral("--sync"), QStringLiteral("312"),
                    QStringLiteral("162"), QStringLiteral("mousedown"), QStringLiteral("1"),
                    QStringLiteral("mousemove"), QStringLiteral("--sync"), QStringLiteral("342"),
                    QStringLiteral("182"), QStringLiteral("mouseup"), QStringLiteral("1")});
    EXPECT_TRUE(WaitFor([&] { return !counter.requestedRects.isEmpty(); })) << "no RequestRect";
    EXPECT_EQ(counter.requestedRects.value(0), QRect(5, 5, 330, 170));
    EXPECT_EQ(site.Geometry(window), QRect(5, 5, 300, 150));
    // Clipped to the left half: the right border's middle handle (at 302, 80 of the site) is
    // no longer drawn, the left one (at 7, 80) still is.
    auto handleShown = [&](int x) { return site.Grab().pixelColor(x, 80) == QColor(Qt::black); };
    EXPECT_TRUE(WaitFor([&] { return handleShown(302) && handleShown(7); }));
    ExpectOk(Call(object, "SetObjectRects", {QRect(5, 5, 300, 150), QRect(0, 0, 150, 200)}));
    EXPECT_TRUE(WaitFor([&] { return !handleShown(302); })) << "the clip was not applied";
    EXPECT_TRUE(handleShown(7));
    ExpectOk(Call(object, "SetObjectRects", {QRect(5, 5, 300, 150), QRect(0, 0, 400, 200)}));
    EXPECT_TRUE(WaitFor([&] { return handleShown(302); })) << "the clip stayed";

    const QDBusMessage menu = Call(object, "GetMenu");
    ExpectOk(menu);
    const std::vector<std::string> expected = {
        "&Edit: 57643 &Undo\tCtrl+Z, 57644 &Redo\tCtrl+Y, 0, 57635 Cu&t\tCtrl+X, "
        "57634 &Copy\tCtrl+C, 57637 &Paste\tCtrl+V e, 57642 Select &All\tCtrl+A e, 0, "
        "-1 &Action e, 32789 &Bend Up\tB e, 32790 Bend Release\tR e, "
        "32791 Slide Up\t/ e, 32792 Slide Down\t\\ e, 32794 Hammer On\tH e, 32795 Pull Off\tP e, "
        "32788 Mute\tX e, 32793 Vibrato\t~ e, 32796 Tap\tT e, 32799 Optional\tO e, "
        "32797 Harmonic\tA e, 0, 32798 Clear Action\tZ e, -2, 32800 &Tab Settings e,",
        "&View: 59392 &Toolbar e c x,",
        "&Play: 32802 &Play\tSpace e, 32803 &Loop e c, 32804 Sound Notes While &Typing e c x, 0, "
        "32805 Playback &Settings... e,",
        ":",
        ":",
        "&Help: 57664 &About Lutaris... e,",
    };
    EXPECT_EQ(MenuLines(menu), expected);

    const QDBusMessage toolbar = Call(object, "GetToolbar");
    ExpectOk(toolbar);
    const std::vector<ToolbarButton> buttons = ToolbarButtons(toolbar);
    ASSERT_EQ(buttons.size(), 5u);
    const int ids[] = {57635, 57634, 57637, 0, 57664};
    const char* tips[] = {"Cut", "Copy", "Paste", "", "About"};
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        EXPECT_EQ(buttons[i].id, ids[i]);
        EXPECT_EQ(buttons[i].tooltip.toStdString(), tips[i]);
        if (ids[i] == 0) {
            EXPECT_TRUE(buttons[i].png.isEmpty() && buttons[i].prompt.isEmpty());
            continue;
        }
        EXPECT_EQ(QImage::fromData(buttons[i].png, "PNG").size(), QSize(16, 15)) << i;
    }
    EXPECT_EQ(buttons[0].prompt.toStdString(), "Cut the selection and put it on the Clipboard");

    // The prompts of the menu and the buttons reach the container's status bar.
    for (const uint id : {57634u, 32796u, 0u}) ExpectOk(Call(object, "Highlight", {id}));
    EXPECT_TRUE(WaitFor([&] { return counter.statusTexts.size() >= 3; }));
    EXPECT_EQ(counter.statusTexts,
              QStringList({QStringLiteral("Copy the selection and put it on the Clipboard"),
                           QString(), QStringLiteral("Ready")}));

    // Without a selection there is nothing to copy; the toolbar's visibility is a command.
    ExpectError(Call(object, "Command", {57634u}), "Lutaris.Error.BadCommand",
                "The object has no command 57634.");
    // Nothing to undo or redo yet.
    ExpectError(Call(object, "Command", {57643u}), "Lutaris.Error.BadCommand");
    ExpectError(Call(object, "Command", {57644u}), "Lutaris.Error.BadCommand");
    ExpectError(Call(object, "Command", {57600u}), "Lutaris.Error.BadCommand");
    ExpectOk(Call(object, "Command", {59392u}));
    EXPECT_TRUE(WaitFor([&] { return counter.menuChanged > 0; })) << "no MenuChanged";
    EXPECT_EQ(MenuLines(Call(object, "GetMenu")).at(1), "&View: 59392 &Toolbar e c,");

    // A second verb 0 only moves the frame.
    ExpectOk(Call(object, "DoVerb", {0, qulonglong{site.Site()}, QRect(0, 0, 200, 100)}));
    EXPECT_EQ(InPlaceWindow(object), window);
    EXPECT_TRUE(WaitFor([&] { return site.Geometry(window) == QRect(0, 0, 200, 100); }));

    // The container's click outside: the frame goes from the site.
    ExpectOk(Call(object, "DoVerb", {-1, qulonglong{0}, QRect()}));
    EXPECT_TRUE(WaitFor([&] { return counter.deactivated == 1; }));
    EXPECT_TRUE(site.Children(site.Site()).empty());
    EXPECT_EQ(InPlaceWindow(object), 0u);
    ExpectError(Call(object, "Command", {57637u}), "Lutaris.Error.NotInPlace");
    ExpectOk(Call(object, "Close"));
}

TEST(EmbeddingInPlace, ForwardedKeysEditTheObjectCopyWorksAndEscEndsEditing) {
    test::XSite site(QSize(400, 200));
    ASSERT_TRUE(site.Ok()) << "X connection error " << site.ConnectionError();
    test::SignalCounter counter;
    const Instance object = WatchedInstance(counter);
    ASSERT_FALSE(object.busName.isEmpty());
    ExpectOk(Call(object, "InitNew"));
    const QDBusMessage before = Call(object, "Save");
    ExpectOk(Call(object, "DoVerb", {0, qulonglong{site.Site()}, QRect(0, 0, 400, 200)}));
    const auto window = static_cast<xcb_window_t>(InPlaceWindow(object));
    ASSERT_NE(window, 0u);
    site.Embed(window);

    // A fret typed in place, as the container forwards the key it got.
    site.ForwardKey(window, '7');
    EXPECT_TRUE(WaitFor([&] { return counter.dataChanged > 0; })) << "no DataChanged";
    const QDBusMessage typed = Call(object, "Save");
    ExpectOk(typed);
    EXPECT_NE(typed.arguments().value(0).toByteArray(), before.arguments().value(0).toByteArray());
    // Ctrl+T is no accelerator in place: it reaches the view as the T of Tap.
    const int changes = counter.dataChanged;
    site.ForwardKey(window, 't', kControlMask);
    EXPECT_TRUE(WaitFor([&] { return counter.dataChanged > changes; })) << "Ctrl+T did nothing";

    // A double click on the tab item selects it: Copy comes alive and copies.
    QProcess::execute(QStringLiteral("xdotool"),
                      {QStringLiteral("mousemove"), QStringLiteral("--sync"), QStringLiteral("50"),
                       QStringLiteral("50"), QStringLiteral("click"), QStringLiteral("--repeat"),
                       QStringLiteral("2"), QStringLiteral("--delay"), QStringLiteral("80"),
                       QStringLiteral("1")});
    EXPECT_TRUE(WaitFor([&] { return counter.menuChanged > 0; })) << "no MenuChanged";
    EXPECT_NE(MenuLines(Call(object, "GetMenu")).at(0).find("57634 &Copy\tCtrl+C e,"),
              std::string::npos);
    EXPECT_FALSE(ClipboardTargets().contains(QStringLiteral("Embed Source")));
    ExpectOk(Call(object, "Command", {57634u}));
    EXPECT_TRUE(WaitFor([&] {
        return ClipboardTargets().contains(QStringLiteral("Embed Source"));
    })) << ClipboardTargets().toStdString();
    // Another program takes the clipboard; Ctrl+Insert, accelerator table 4's other Copy key,
    // copies again.
    QProcess other;
    other.start(QStringLiteral("xclip"), {QStringLiteral("-quiet"), QStringLiteral("-selection"),
                                          QStringLiteral("clipboard"), QStringLiteral("-i")});
    other.write("taken");
    other.closeWriteChannel();
    EXPECT_TRUE(
        WaitFor([&] { return !ClipboardTargets().contains(QStringLiteral("Embed Source")); }));
    site.ForwardKey(window, kKeysymInsert, kControlMask);
    EXPECT_TRUE(WaitFor([&] {
        return ClipboardTargets().contains(QStringLiteral("Embed Source"));
    })) << "Ctrl+Insert did not copy";
    other.kill();
    other.waitForFinished();

    // Esc ends editing: the frame's window leaves the site.
    site.ForwardKey(window, kKeysymEscape);
    EXPECT_TRUE(WaitFor([&] { return counter.deactivated == 1; })) << "no Deactivated";
    EXPECT_TRUE(site.Children(site.Site()).empty());
    EXPECT_EQ(InPlaceWindow(object), 0u);
    // The object stays for the container, which edits it again.
    ExpectOk(Call(object, "DoVerb", {0, qulonglong{site.Site()}, QRect(0, 0, 400, 200)}));
    EXPECT_EQ(site.Children(site.Site()).size(), 1u);
    ExpectOk(Call(object, "Close"));
    EXPECT_TRUE(WaitFor([&] { return counter.deactivated == 2 && counter.closed > 0; }));
}

TEST(EmbeddingInPlace, EditingEndsSafelyWhileADialogOfTheFrameIsOpen) {
    test::XSite site(QSize(300, 150));
    ASSERT_TRUE(site.Ok()) << "X connection error " << site.ConnectionError();
    test::SignalCounter counter;
    const Instance object = WatchedInstance(counter);
    ASSERT_FALSE(object.busName.isEmpty());
    ExpectOk(Call(object, "InitNew"));
    ExpectOk(Call(object, "DoVerb", {0, qulonglong{site.Site()}, QRect(0, 0, 300, 150)}));
    // Edit > Tab Settings from the container's merged menu: the dialog waits for the person.
    QDBusMessage settings = QDBusMessage::createMethodCall(
        object.busName, object.path, kObjectInterface, QStringLiteral("Command"));
    settings.setArguments({32800u});
    QDBusPendingCall pending = Bus().asyncCall(settings, 20000);
    const QString box = AwaitWindow(QStringLiteral("Tablature Settings"));
    ASSERT_FALSE(box.isEmpty()) << WindowsOnScreen();
    // Meanwhile the person clicks outside the object.
    ExpectOk(Call(object, "DoVerb", {-1, qulonglong{0}, QRect()}));
    EXPECT_TRUE(WaitFor([&] { return counter.deactivated == 1; }));
    EXPECT_TRUE(site.Children(site.Site()).empty());
    PressKeys(box, {QStringLiteral("Return")});
    pending.waitForFinished();
    ExpectOk(pending.reply());
    // The server lived through the dialog's end and still serves the object.
    ExpectOk(Call(object, "Save"));
    ExpectOk(Call(object, "DoVerb", {0, qulonglong{site.Site()}, QRect(0, 0, 300, 150)}));
    EXPECT_EQ(site.Children(site.Site()).size(), 1u);
    ExpectOk(Call(object, "Close"));
}

TEST(EmbeddingInPlace, TheServerEndsWhenTheSiteIsDestroyed) {
    test::XSite site(QSize(300, 150));
    ASSERT_TRUE(site.Ok()) << "X connection error " << site.ConnectionError();
    const Instance object = CreateInstance();
    ASSERT_FALSE(object.busName.isEmpty());
    ExpectOk(Call(object, "InitNew"));
    ExpectOk(Call(object, "DoVerb", {0, qulonglong{site.Site()}, QRect(0, 0, 300, 150)}));
    site.DestroySite();
    QElapsedTimer timer;
    timer.start();
    EXPECT_TRUE(WaitFor([&] { return !HasOwner(object.busName); }, 1000))
        << "the server outlived its site by " << timer.elapsed() << " ms";
}

// The script runs these once more on a bus whose servers get no display.
TEST(EmbeddingServerWithoutDisplay, VerbOneIsAnErrorAndThePicturesStillCome) {
    if (qEnvironmentVariableIsEmpty("LUTARIS_SERVER_WITHOUT_DISPLAY"))
        GTEST_SKIP() << "the servers of this bus have a display";
    const Instance object = CreateInstance();
    ASSERT_FALSE(object.busName.isEmpty()) << object.reply.errorMessage().toStdString();
    ExpectOk(Call(object, "InitNew"));
    ExpectError(Call(object, "DoVerb", {1, qulonglong{0}, QRect()}), "Lutaris.Error.NoDisplay");
    // Verb 0 with a window to edit in, but no X server to reach it: as verb 1.
    ExpectError(Call(object, "DoVerb", {0, qulonglong{0x200001}, QRect(0, 0, 100, 50)}),
                "Lutaris.Error.NoDisplay");
    EXPECT_EQ(Call(object, "GetInPlaceWindow").arguments().value(0).toULongLong(), 0u);
    const QDBusMessage png = Call(object, "Draw", {QStringLiteral("image/png"), 50, 60});
    ExpectOk(png);
    EXPECT_EQ(QImage::fromData(png.arguments().value(0).toByteArray(), "PNG").size(),
              QSize(50, 60));
    ExpectOk(Call(object, "Close"));
}

// A container of its own process, so that it can be killed: prints the object's bus name and
// waits. With "open", it opens the object's window too; with "inplace" it edits the object in
// a site window of its own.
int RunContainer(const std::string& mode, const QString& objectName) {
    const Instance object = CreateInstance();
    if (object.busName.isEmpty()) return 1;
    Call(object, "InitNew");
    SetHostNames(object, objectName);
    if (mode == "open") Call(object, "DoVerb", {1, qulonglong{0}, QRect(0, 0, 100, 100)});
    std::optional<test::XSite> site;
    if (mode == "inplace") {
        site.emplace(QSize(200, 100));
        if (!site->Ok()) return 1;
        const QDBusMessage reply =
            Call(object, "DoVerb", {0, qulonglong{site->Site()}, QRect(0, 0, 200, 100)});
        if (reply.type() != QDBusMessage::ReplyMessage) return 1;
    }
    std::cout << object.busName.toStdString() << std::endl;
    std::this_thread::sleep_for(std::chrono::minutes(5));
    return 0;
}

QString StartContainer(QProcess& container, const QStringList& arguments) {
    container.start(QString::fromLocal8Bit(gProgram), arguments);
    if (!container.waitForReadyRead(20000)) return {};
    return QString::fromLatin1(container.readLine()).trimmed();
}

// A container started with `arguments` is killed: its server ends within a second.
void ExpectServerGoesWithContainer(const QStringList& arguments) {
    QProcess container;
    const QString name = StartContainer(container, arguments);
    ASSERT_FALSE(name.isEmpty());
    ASSERT_TRUE(HasOwner(name));
    container.kill();
    container.waitForFinished();
    QElapsedTimer timer;
    timer.start();
    EXPECT_TRUE(WaitFor([&] { return !HasOwner(name); }, 1000))
        << "the server outlived its container by " << timer.elapsed() << " ms";
}

TEST(EmbeddingServer, TheServerGoesWithItsContainer) {
    ExpectServerGoesWithContainer({QStringLiteral("--container")});
}

TEST(EmbeddingInPlace, TheServerGoesWithItsContainer) {
    ExpectServerGoesWithContainer({QStringLiteral("--container"), QStringLiteral("inplace")});
}

TEST(EmbeddingServer, TypedWorkOutlivesTheContainerAsAnUntitledDocument) {
    QProcess container;
    const QString name = StartContainer(
        container,
        {QStringLiteral("--container"), QStringLiteral("open"), QStringLiteral("Orphan")});
    ASSERT_FALSE(name.isEmpty());
    const uint pid = Bus().interface()->servicePid(name).value();
    const QString window = AwaitWindow(QStringLiteral("Lutars in Orphan"));
    ASSERT_FALSE(window.isEmpty()) << WindowsOnScreen();
    PressKeys(window, {QStringLiteral("5")});
    // The keys are in the window's queue; give the server the moment to take them.
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    container.kill();
    container.waitForFinished();
    // The window stays, now with an ordinary document that the person can save.
    EXPECT_TRUE(WaitFor(
        [&] { return !WindowNamed(QStringLiteral("\\*Untitled - Lutaris")).isEmpty(); }, 5000))
        << WindowsOnScreen();
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    EXPECT_EQ(::kill(static_cast<pid_t>(pid), 0), 0) << "the server ended with the person's work";
    ::kill(static_cast<pid_t>(pid), SIGKILL);
}

}  // namespace
}  // namespace lutaris

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");  // the client draws nothing
    QGuiApplication application(argc, argv);
    lutaris::gProgram = argv[0];
    if (argc >= 2 && std::string(argv[1]) == "--container") {
        return lutaris::RunContainer(argc >= 3 ? argv[2] : "", argc >= 4
                                                                   ? QString::fromLocal8Bit(argv[3])
                                                                   : QStringLiteral("Held"));
    }
    // An X server resets itself when its last client leaves, and refuses connections while it
    // does: between two tests the servers and tools may all be gone. One connection of ours for
    // the whole run keeps it up.
    xcb_connection_t* keepAlive =
        qEnvironmentVariableIsEmpty("DISPLAY") ? nullptr : xcb_connect(nullptr, nullptr);
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    if (keepAlive != nullptr) xcb_disconnect(keepAlive);
    return result;
}
