// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
// Renders the editor's windows and dialogs into PNG files for a person to look at:
//   lutaris_screenshots OUTPUT_FOLDER
// Run it on a real display (tests/screenshots/take.sh uses Xvfb) so that fonts and styles are
// the ones people see.
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QPainter>
#include <QPrinter>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

#include "app/frame/CMainFrame.h"
#include "app/frame/MainMenu.h"
#include "app/print/PrintPreviewDialog.h"
#include "app/shell/AppArtwork.h"
#include "app/shell/CAboutDlg.h"
#include "app/shell/CTabSettingsDlg.h"
#include "app/shell/PlaybackController.h"
#include "app/shell/PlaybackSettingsDlg.h"
#include "document/CCorvaneDoc.h"
#include "edit/qt/CCorvaneView.h"
#include "model/CommandIds.h"
#include "model/TabCursor.h"
#include "platform/prompt/ScriptedPrompter.h"
#include "render/ScreenResolution.h"
#include "render/qt/PrintedPages.h"

namespace {

using namespace lutaris;

QDir folder;

void Save(QWidget& widget, const char* name) {
    widget.show();
    if (!QTest::qWaitForWindowExposed(&widget)) std::fprintf(stderr, "%s not shown\n", name);
    QApplication::processEvents();
    const QString path = folder.filePath(QString::fromLatin1(name));
    if (!widget.grab().save(path)) std::fprintf(stderr, "could not write %s\n", qPrintable(path));
}

void SaveArtwork() {
    constexpr int zoom = 8;
    QImage strip(AppArtwork::ToolbarImageCount * 18 * zoom + 40 * zoom, 40 * zoom,
                 QImage::Format_ARGB32);
    strip.fill(QColor(212, 208, 200));
    QPainter painter(&strip);
    for (int i = 0; i < AppArtwork::ToolbarImageCount; ++i) {
        const QImage image =
            AppArtwork::ToolbarButtonImage(static_cast<AppArtwork::ToolbarImage>(i));
        painter.drawImage(QRect(i * 18 * zoom, 0, 16 * zoom, 15 * zoom), image);
    }
    painter.drawImage(QRect(AppArtwork::ToolbarImageCount * 18 * zoom, 0, 32 * zoom, 32 * zoom),
                      AppArtwork::ProgramImage(32));
    painter.end();
    strip.save(folder.filePath(QStringLiteral("artwork.png")));
}

// Every technique once, on items that wrap onto a second row.
void FillWithTechniques(CCorvaneDoc& doc) {
    struct Typed {
        int string;
        int fret;
        int action;
    };
    const Typed notes[] = {
        {0, 12, Normal},         {1, 5, BendUp},   {2, 7, BendRelease}, {3, 3, SlideUp},
        {4, 8, SlideDown},       {5, 0, Mute},     {0, 9, HammerOn},    {1, 11, PullOff},
        {2, 14, Vibrato},        {3, 10, Tap},     {4, 2, Optional},    {5, 12, Harmonic},
        {1, BlankFret, SlideUp}, {2, 4, Unmarked},
    };
    Tablature* item = doc.tabItems[0].get();
    int column = 0;
    for (const Typed& typed : notes) {
        if (column >= 7) {
            item = doc.AppendTabItem(static_cast<std::int32_t>(doc.tabItems.size()));
            column = 0;
        }
        item->AppendNote(TabNote{typed.fret, typed.string, column, 0, typed.action});
        // A hammer-on and a pull-off reach to the next note on the same string.
        if (typed.action == HammerOn || typed.action == PullOff)
            item->AppendNote(TabNote{typed.fret + 2, typed.string, column + 1, 0, Normal});
        column += (typed.action == HammerOn || typed.action == PullOff) ? 2 : 1;
    }
    doc.cursor->tabItem = doc.tabItems[0].get();
    doc.cursor->current = TabNote{0, 2, 3, 0, NoNote};
    doc.UpdateAllViews();
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: lutaris_screenshots OUTPUT_FOLDER\n");
        return 2;
    }
    folder = QDir(QString::fromLocal8Bit(argv[1]));
    folder.mkpath(QStringLiteral("."));
    const QScreen* screen = QGuiApplication::primaryScreen();
    SetScreenResolution({static_cast<std::int32_t>(screen->logicalDotsPerInchX()),
                         static_cast<std::int32_t>(screen->logicalDotsPerInchY())});

    // Playback sounds into a file: the screen's machine need have no sound card.
    setenv("LUTARIS_AUDIO_DRIVER", "file", 0);
    setenv("LUTARIS_AUDIO_FILE", qPrintable(folder.filePath(QStringLiteral("played.wav"))), 0);

    SaveArtwork();
    CAboutDlg about;
    Save(about, "about.png");
    about.hide();

    ScriptedPrompter prompter;
    CCorvaneDoc doc(prompter);
    doc.OnNewDocument();
    CMainFrame frame(doc);
    frame.resize(640, 420);
    frame.View().OnInitialUpdate();
    Save(frame, "new-document.png");

    // The menus as they drop down, with their key names.
    for (QMenu* menu : frame.Menu().TopMenus()) {
        menu->popup(frame.mapToGlobal(QPoint(0, 30)));
        QTest::qWait(50);
        const QString name = menu->title().remove(u'&').toLower() + QStringLiteral("-menu.png");
        menu->grab().save(folder.filePath(name));
        menu->hide();
    }

    FillWithTechniques(doc);
    frame.View().viewport()->repaint();
    Save(frame, "techniques.png");
    frame.resize(420, 420);
    Save(frame, "techniques-wrapped.png");
    frame.resize(640, 420);

    // Playing from the first column at two steps a second: the play cursor caught on two
    // columns, the caret left where it was.
    {
        const TabNote caret = doc.cursor->current;
        doc.cursor->current.column = 0;
        doc.SetPlayback([&] {
            PlaybackSettings values = doc.playback;
            values.tempo = 120;
            return values;
        }());
        frame.OnCommand(ID_PLAY);
        if (!frame.Playback().IsPlaying()) std::fprintf(stderr, "playback did not start\n");
        doc.cursor->current = caret;
        QTest::qWait(1250);
        Save(frame, "playing-1.png");
        QTest::qWait(1500);
        Save(frame, "playing-2.png");
        frame.OnCommand(ID_PLAY);
        doc.SetPlayback(PlaybackSettings{});
        PlaybackChoices choices;
        choices.numberOfStrings = doc.settings->numberOfStrings;
        PlaybackSettingsDlg playbackSettings(choices);
        Save(playbackSettings, "playback-settings.png");
        playbackSettings.hide();
    }

    // A drag-selection over the first two items, caught before the release.
    doc.AppendTabItem(static_cast<std::int32_t>(doc.tabItems.size()));
    frame.View().viewport()->repaint();
    QWidget* viewport = frame.View().viewport();
    const Tablature& first = *doc.ItemAtPosition(0);
    const Tablature& second = *doc.ItemAtPosition(1);
    const QPoint from(first.lastOrigin.x + 20, first.lastOrigin.y + 40);
    const QPoint to(second.lastOrigin.x + 40, second.lastOrigin.y + 60);
    QTest::mouseDClick(viewport, Qt::LeftButton, Qt::NoModifier, from);
    QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, from);
    QTest::mouseDClick(viewport, Qt::LeftButton, Qt::NoModifier, from);
    QTest::mouseMove(viewport, to);
    QMouseEvent move(QEvent::MouseMove, QPointF(to), viewport->mapToGlobal(QPointF(to)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &move);
    Save(frame, "dragging.png");
    QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, to);
    Save(frame, "selection.png");

    TabSettings settings = *doc.settings;
    CTabSettingsDlg dialog;
    dialog.SetSettings(&settings);
    dialog.OnInitDialog();
    Save(dialog, "settings.png");
    dialog.hide();

    QPrinter printer(QPrinter::HighResolution);
    printer.setResolution(600);
    {
        const PrintedPages pages(doc, printer);
        PrintPreviewDialog preview(pages, printer, 1);
        preview.resize(700, 800);
        Save(preview, "print-preview.png");
        preview.hide();
    }

    QPrinter pdf(QPrinter::HighResolution);
    pdf.setOutputFormat(QPrinter::PdfFormat);
    pdf.setOutputFileName(folder.filePath(QStringLiteral("print.pdf")));
    pdf.setResolution(600);
    frame.View().PrintDocument(pdf);

    // A long document scrolled down: the vertical scroll bar alone, the items flowing within
    // the window's width.
    for (int i = 0; i < 40; ++i) doc.AppendTabItem(static_cast<std::int32_t>(doc.tabItems.size()));
    doc.UpdateAllViews();
    frame.View().viewport()->repaint();
    frame.View().ScrollToPosition({0, 300});
    Save(frame, "long-document.png");

    // The caret walked with the arrow keys from the top to an item far below, where a 7 is
    // typed: the view has followed it and shows its item on the bottom edge.
    frame.View().ScrollToPosition({0, 0});
    frame.View().setFocus();
    for (int i = 0; i < 34; ++i) QTest::keyClick(&frame.View(), Qt::Key_Right);
    QTest::keyClick(&frame.View(), Qt::Key_7);
    Save(frame, "caret-followed.png");
    frame.hide();

    // A songbook of several pages, previewed two pages at a time from the second.
    for (int i = 0; i < 150; ++i) doc.OnInsertRandomRiff();
    {
        const PrintedPages pages(doc, printer);
        PrintPreviewDialog preview(pages, printer, 2);
        preview.resize(1000, 760);
        preview.NextPage();
        Save(preview, "print-preview-pages.png");
        preview.hide();
    }
    return 0;
}
