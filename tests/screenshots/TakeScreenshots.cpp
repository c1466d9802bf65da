// Renders the editor's windows and dialogs into PNG files for a person to look at:
//   lutaris_screenshots OUTPUT_FOLDER
// Run it on a real display (tests/screenshots/take.sh uses Xvfb) so that fonts and styles are
// the ones people see.
#include <QApplication>
#include <QDir>
#include <QWidget>
#include <cstdio>

#include <QPainter>

#include "app/AppArtwork.h"
#include "app/CAboutDlg.h"

namespace {

void Save(QWidget& widget, const QDir& folder, const char* name) {
    widget.show();
    QApplication::processEvents();
    const QString path = folder.filePath(QString::fromLatin1(name));
    if (!widget.grab().save(path)) std::fprintf(stderr, "could not write %s\n", qPrintable(path));
    widget.hide();
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: lutaris_screenshots OUTPUT_FOLDER\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    folder.mkpath(QStringLiteral("."));

    // The toolbar's images and the icon, enlarged so that every pixel can be judged.
    {
        using lutaris::AppArtwork;
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

    lutaris::CAboutDlg about;
    Save(about, folder, "about.png");
    return 0;
}
