// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <QImage>
#include <QWidget>

namespace lutaris::container {

// One embedded object in the document: its last picture at its extent, or, while it is edited
// in place, the native site window the server's frame lives in.
class ObjectView : public QWidget {
    Q_OBJECT
public:
    explicit ObjectView(QWidget* parent = nullptr);

    void SetPicture(const QByteArray& png);
    void SetExtent(QSize size);
    void SetSelected(bool selected);
    // Shown hatched while the object is open in a window of its own.
    void SetOpen(bool open);

    // The site: a native child window covering the view. Its X window id goes to the server.
    quint64 CreateSite();
    void DropSite();
    bool HasSite() const { return site_ != nullptr; }
    quint64 SiteWindow() const;

signals:
    void Pressed(ObjectView* view);
    void DoubleClicked(ObjectView* view);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QImage picture_;
    QWidget* site_ = nullptr;
    bool selected_ = false;
    bool open_ = false;
};

}  // namespace lutaris::container
