// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "app/shell/RecoveryDialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace lutaris {

RecoveryDialog::RecoveryDialog(const std::vector<Row>& rows, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Recover Documents"));
    auto* layout = new QVBoxLayout(this);
    auto* text = new QLabel(
        QStringLiteral("Lutaris ended before these documents were saved. Their last changes "
                       "were kept:"),
        this);
    text->setWordWrap(true);
    layout->addWidget(text);

    list_ = new QTreeWidget(this);
    list_->setRootIsDecorated(false);
    list_->setSelectionMode(QAbstractItemView::NoSelection);
    list_->setHeaderLabels(
        {QStringLiteral("Document"), QStringLiteral("Original Path"), QStringLiteral("Saved")});
    const bool anyReadable =
        std::any_of(rows.begin(), rows.end(), [](const Row& row) { return !row.damaged; });
    for (const Row& row : rows) {
        auto* item = new QTreeWidgetItem(list_);
        item->setText(0, row.damaged ? row.title + QStringLiteral(" (damaged)") : row.title);
        item->setText(1, row.damaged                  ? QStringLiteral("This copy cannot be read.")
                         : row.originalPath.isEmpty() ? QStringLiteral("(never saved)")
                                                      : row.originalPath);
        item->setText(2, row.savedAt);
        item->setToolTip(1, row.originalPath);
        if (row.damaged) item->setDisabled(true);
    }
    list_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    list_->setMinimumWidth(560);
    layout->addWidget(list_);

    auto* buttons = new QDialogButtonBox(this);
    recover_ = buttons->addButton(QStringLiteral("&Recover"), QDialogButtonBox::AcceptRole);
    discard_ = buttons->addButton(QStringLiteral("&Discard"), QDialogButtonBox::DestructiveRole);
    later_ = buttons->addButton(QStringLiteral("&Later"), QDialogButtonBox::RejectRole);
    recover_->setEnabled(anyReadable);
    recover_->setDefault(anyReadable);
    layout->addWidget(buttons);
    connect(recover_, &QPushButton::clicked, this, [this] {
        choice_ = Choice::Recover;
        accept();
    });
    connect(discard_, &QPushButton::clicked, this, [this] {
        choice_ = Choice::Discard;
        accept();
    });
    connect(later_, &QPushButton::clicked, this, [this] {
        choice_ = Choice::Later;
        reject();
    });
}

RecoveryDialog::Choice RecoveryDialog::Run() {
    choice_ = Choice::Later;  // Esc and the close box
    exec();
    return choice_;
}

}  // namespace lutaris
