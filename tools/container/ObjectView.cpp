// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "ObjectView.h"

#include <QMouseEvent>
#include <QPainter>

namespace lutaris::container {

ObjectView::ObjectView(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void ObjectView::SetPicture(const QByteArray& png) {
    QImage image;
    // A picture that does not decode shows as the empty frame, not as an error.
    if (!png.isEmpty() && image.loadFromData(png, "PNG"))
        picture_ = image;
    else
        picture_ = QImage();
    update();
}

void ObjectView::SetExtent(QSize size) {
    setFixedSize(size);
    if (site_) site_->setGeometry(rect());
}

void ObjectView::SetSelected(bool selected) {
    selected_ = selected;
    update();
}

void ObjectView::SetOpen(bool open) {
    open_ = open;
    update();
}

quint64 ObjectView::CreateSite() {
    if (!site_) {
        site_ = new QWidget(this);
        site_->setAttribute(Qt::WA_NativeWindow);
        // The server paints all of it; Qt must not paint over the server's window.
        site_->setAttribute(Qt::WA_OpaquePaintEvent);
        site_->setAttribute(Qt::WA_NoSystemBackground);
        site_->setGeometry(rect());
        site_->show();
    }
    return SiteWindow();
}

void ObjectView::DropSite() {
    if (!site_) return;
    delete site_;
    site_ = nullptr;
    update();
}

quint64 ObjectView::SiteWindow() const { return site_ ? site_->winId() : 0; }

void ObjectView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    // Drawn at its own size: the server drew it for the room it has.
    if (!picture_.isNull()) painter.drawImage(QPoint(0, 0), picture_);
    if (open_) {
        // An object open elsewhere is covered with hatching, as containers usually show it.
        painter.fillRect(rect(), QBrush(QColor(0, 0, 0, 90), Qt::BDiagPattern));
    }
    painter.setPen(selected_ ? QPen(QColor(0, 90, 200), 2) : QPen(Qt::lightGray, 1));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void ObjectView::mousePressEvent(QMouseEvent* event) {
    emit Pressed(this);
    event->accept();
}

void ObjectView::mouseDoubleClickEvent(QMouseEvent* event) {
    emit DoubleClicked(this);
    event->accept();
}

void ObjectView::resizeEvent(QResizeEvent*) {
    if (site_) site_->setGeometry(rect());
}

}  // namespace lutaris::container
