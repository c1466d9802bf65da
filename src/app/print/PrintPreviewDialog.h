// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <QDialog>

class QAction;
class QLabel;
class QPrinter;

namespace lutaris {

class PreviewPagesWidget;
class PrintedPages;

// Print Preview: the printed pages, one or two at a time, with buttons to turn them, to switch
// between one and two pages and to print, and the pages shown in the status line.
class PrintPreviewDialog : public QDialog {
    Q_OBJECT
public:
    // What exec() returns when the user asked for the print dialog.
    static constexpr int kPrintRequested = 2;

    // `pagesAtATime` as the profile remembers it: 2 shows two pages, anything else one.
    PrintPreviewDialog(const PrintedPages& pages, const QPrinter& printer, int pagesAtATime,
                       QWidget* owner = nullptr);

    int PagesAtATime() const { return pagesAtATime_; }
    // The first page shown, from 0.
    int FirstPage() const { return first_; }
    QString StatusText() const;

    void NextPage();
    void PreviousPage();
    void ToggleTwoPages();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The last page that can stand first: in two-page mode the one before the last page.
    int LastFirstPage() const;
    void Refresh();

    const PrintedPages& pages_;
    int pagesAtATime_ = 1;
    int first_ = 0;
    PreviewPagesWidget* sheets_;
    QAction* next_;
    QAction* previous_;
    QAction* twoPages_;
    QLabel* status_;
};

}  // namespace lutaris
