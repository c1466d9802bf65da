// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "InsertObjectDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace lutaris::container {

InsertObjectDialog::InsertObjectDialog(const QList<ClassRecord>& classes, QWidget* parent)
    : QDialog(parent), classes_(classes) {
    setWindowTitle(tr("Insert Object"));
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(tr("Object &type:"));
    layout->addWidget(label);
    list_ = new QListWidget;
    label->setBuddy(list_);
    for (const ClassRecord& record : classes_) list_->addItem(record.name);
    layout->addWidget(list_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    layout->addWidget(buttons);
    if (classes_.isEmpty()) {
        layout->insertWidget(2, new QLabel(tr("No insertable objects are registered.")));
        buttons->button(QDialogButtonBox::Ok)->setEnabled(false);
    } else {
        list_->setCurrentRow(0);
    }
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
}

const ClassRecord* InsertObjectDialog::Chosen() const {
    const int row = list_->currentRow();
    return row >= 0 && row < classes_.size() ? &classes_[row] : nullptr;
}

}  // namespace lutaris::container
