// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "app/shell/CAboutDlg.h"

#include <QLabel>
#include <QPushButton>

#include "app/shell/AppArtwork.h"
#include "app/shell/DialogUnits.h"
#include "model/CommandIds.h"

namespace lutaris {

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("About Lutaris"));
    setFont(DialogUnits::DialogFont());
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    const DialogUnits units(font());
    setFixedSize(units.X(202), units.Y(135));

    auto* icon = new QLabel(this);
    const QRect iconPlace = units.Rect(13, 7, 20, 20);
    icon->setGeometry(iconPlace.topLeft().x(), iconPlace.top(), 32, 32);
    icon->setPixmap(AppArtwork::ProgramIcon().pixmap(32, 32));

    auto* title = new QLabel(QStringLiteral("Lutaris Version 0.2b\n"
                                            "Guitar tablature editor\n"
                                            "Copyright (C) Lutaris authors\n"
                                            "Free to use, copy and share"),
                             this);
    title->setObjectName(QStringLiteral("versionText"));
    units.PlaceText(*title, 41, 7, 119, 33);
    title->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* build = new QLabel(QStringLiteral("Build: 01.25.04"), this);
    units.PlaceText(*build, 41, 49, 48, 8);

    auto* contact = new QLabel(QStringLiteral("Questions and ideas:\n"
                                              "the Lutaris team\n"
                                              "reads every report\n"
                                              "filed in the project's\n"
                                              "issue tracker.\n"
                                              "Thank you!"),
                               this);
    contact->setObjectName(QStringLiteral("contactText"));
    units.PlaceText(*contact, 40, 67, 104, 54);
    contact->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setGeometry(units.Rect(149, 114, 46, 14));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

bool CAboutDlg::RunCommand(int commandId) {
    if (commandId != ID_APP_ABOUT) return false;
    CAboutDlg about;
    about.DoModal();
    return true;
}

}  // namespace lutaris
