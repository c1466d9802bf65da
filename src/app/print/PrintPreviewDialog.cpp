// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "app/print/PrintPreviewDialog.h"

#include <QAbstractButton>
#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QPrinter>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>

#include "app/print/PreviewPagesWidget.h"
#include "render/qt/PrintedPages.h"

namespace lutaris {

PrintPreviewDialog::PrintPreviewDialog(const PrintedPages& pages, const QPrinter& printer,
                                       int pagesAtATime, QWidget* owner)
    : QDialog(owner), pages_(pages), pagesAtATime_(pagesAtATime == 2 ? 2 : 1) {
    setWindowTitle(QStringLiteral("Print Preview"));
    setObjectName(QStringLiteral("printPreview"));

    auto* toolBar = new QToolBar(this);
    toolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    QAction* print = toolBar->addAction(QStringLiteral("&Print..."));
    print->setObjectName(QStringLiteral("previewPrint"));
    next_ = toolBar->addAction(QStringLiteral("&Next Page"));
    next_->setObjectName(QStringLiteral("previewNext"));
    previous_ = toolBar->addAction(QStringLiteral("Pre&v Page"));
    previous_->setObjectName(QStringLiteral("previewPrevious"));
    twoPages_ = toolBar->addAction(QString());
    twoPages_->setObjectName(QStringLiteral("previewTwoPages"));
    QAction* close = toolBar->addAction(QStringLiteral("&Close"));
    close->setObjectName(QStringLiteral("previewClose"));
    // Ctrl+P prints here as in the main window.
    print->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    print->setShortcutContext(Qt::WindowShortcut);
    // A toolbar's buttons take no focus of their own; here they are the dialog's only
    // controls, so Tab goes from button to button and Space or Enter presses the one it is on.
    for (QAction* action : toolBar->actions()) {
        if (QWidget* button = toolBar->widgetForAction(action))
            button->setFocusPolicy(Qt::StrongFocus);
    }
    connect(print, &QAction::triggered, this, [this] { done(kPrintRequested); });
    connect(next_, &QAction::triggered, this, &PrintPreviewDialog::NextPage);
    connect(previous_, &QAction::triggered, this, &PrintPreviewDialog::PreviousPage);
    connect(twoPages_, &QAction::triggered, this, &PrintPreviewDialog::ToggleTwoPages);
    connect(close, &QAction::triggered, this, &QDialog::reject);

    sheets_ = new PreviewPagesWidget(pages, printer.paperRect(QPrinter::DevicePixel),
                                     printer.pageRect(QPrinter::DevicePixel), this);
    auto* statusBar = new QStatusBar(this);
    statusBar->setSizeGripEnabled(false);
    status_ = new QLabel(statusBar);
    status_->setObjectName(QStringLiteral("previewStatus"));
    statusBar->addWidget(status_, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolBar);
    layout->addWidget(sheets_, 1);
    layout->addWidget(statusBar);
    // The pages hold the focus first, so that the arrow keys turn them; Tab leads on to the
    // buttons.
    sheets_->setFocusPolicy(Qt::StrongFocus);
    setTabOrder(sheets_, toolBar->widgetForAction(print));
    sheets_->setFocus(Qt::OtherFocusReason);
    Refresh();
}

QString PrintPreviewDialog::StatusText() const {
    const int count = pages_.PageCount();
    const int last = std::min(count, first_ + pagesAtATime_);
    if (last - first_ >= 2)
        return QStringLiteral("Pages %1-%2 of %3").arg(first_ + 1).arg(last).arg(count);
    return QStringLiteral("Page %1 of %2").arg(first_ + 1).arg(count);
}

int PrintPreviewDialog::LastFirstPage() const {
    return std::max(0, pages_.PageCount() - pagesAtATime_);
}

void PrintPreviewDialog::NextPage() {
    first_ = std::min(first_ + 1, LastFirstPage());
    Refresh();
}

void PrintPreviewDialog::PreviousPage() {
    first_ = std::max(first_ - 1, 0);
    Refresh();
}

void PrintPreviewDialog::ToggleTwoPages() {
    pagesAtATime_ = pagesAtATime_ == 2 ? 1 : 2;
    first_ = std::min(first_, LastFirstPage());
    Refresh();
}

void PrintPreviewDialog::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_PageDown:
        case Qt::Key_Right:
        case Qt::Key_Down:
            NextPage();
            return;
        case Qt::Key_PageUp:
        case Qt::Key_Left:
        case Qt::Key_Up:
            PreviousPage();
            return;
        case Qt::Key_Home:
            first_ = 0;
            Refresh();
            return;
        case Qt::Key_End:
            first_ = LastFirstPage();
            Refresh();
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (auto* button = qobject_cast<QAbstractButton*>(focusWidget())) {
                button->click();
                return;
            }
            QDialog::keyPressEvent(event);
            return;
        default:
            QDialog::keyPressEvent(event);
    }
}

void PrintPreviewDialog::Refresh() {
    next_->setEnabled(first_ < LastFirstPage());
    previous_->setEnabled(first_ > 0);
    twoPages_->setText(pagesAtATime_ == 2 ? QStringLiteral("&One Page")
                                          : QStringLiteral("&Two Pages"));
    sheets_->ShowPages(first_, pagesAtATime_);
    status_->setText(StatusText());
}

}  // namespace lutaris
