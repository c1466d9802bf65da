// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <QAbstractScrollArea>
#include <optional>

#include "edit/CaretPlace.h"
#include "edit/TabViewInteraction.h"
#include "platform/document/DocumentBase.h"
#include "render/LayoutRect.h"
#include "render/ViewRepaintArea.h"

class QKeyEvent;
class QPainter;
class QPrinter;

namespace lutaris {

class ViewDocument;

// The document's view: lays the tab items out as a flow that wraps at the window's width,
// draws the drag-selection line and the caret, and turns mouse gestures and keys into caret
// moves, note edits, selections and moves of tab items (TabViewInteraction does the deciding).
class CCorvaneView : public QAbstractScrollArea, public DocumentObserver {
    Q_OBJECT
public:
    explicit CCorvaneView(ViewDocument& document, QWidget* parent = nullptr);
    ~CCorvaneView() override;

    // The capital I that runs Add Tab Item: a typed character, so Shift+I and I with Caps Lock
    // both give it and the lower-case i does not.
    static bool IsAddTabItemCharacter(const QKeyEvent& event);

    ViewDocument& GetDocument() { return document_; }
    TabViewInteraction& Interaction() { return interaction_; }

    void OnDocumentUpdated() override;
    void OnInitialUpdate();
    // The scroll range: the window's width less borders and a vertical scroll bar across, the
    // bottom of the lowest item down; a page is a tenth of it, a line a tenth of a page.
    void UpdateScrollSizes();
    LayoutPoint ScrollPosition() const;
    void ScrollToPosition(LayoutPoint position);
    // Scrolls just enough to show the caret's tab item, laying the items out first where they
    // may have moved since the last paint.
    void ShowCaret();
    // After a command: shows the caret if the command moved it from `before`; other content
    // (a new, opened or imported document) starts at the top.
    void FollowCaret(const CaretPlace& before);

    // Prints the document laid out for the printer's pages (PrintedPages), as large on paper
    // as on the screen and without the caret; the screen's layout is left as it is. False when
    // nothing could be printed.
    bool PrintDocument(QPrinter& printer);

    // The play cursor on `column` of `item` (which stood at `position` when it was queued), or
    // on nothing. Only its old and new columns are repainted; while the person has not scrolled
    // since FollowPlayCursor, the view scrolls to keep it in sight.
    void ShowPlayCursor(const Tablature* item, std::int32_t position, std::int32_t column);
    void HidePlayCursor();
    void FollowPlayCursor() { followPlayCursor_ = true; }
    // Where the marker stands, in document coordinates.
    std::optional<LayoutRect> PlayCursor() const { return playCursor_; }

signals:
    // A command the view's keys ask for (the typed capital I of Add Tab Item).
    void CommandRequested(int commandId);
    // A key went to the caret (after it was handled), by its virtual-key code.
    void CaretKeyHandled(int virtualKey);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    // Tab belongs to the caret's key handling, not to moving the focus away.
    bool focusNextPrevChild(bool next) override;

private:
    void Apply(const ViewResponse& response);
    // Invalidates what changed since the last paint: after a keystroke that moved no item only
    // the edited item and the caret, otherwise the whole client area.
    void RequestRepaint();
    // The screen's paint on a painter whose coordinates are document coordinates; items
    // outside `exposed` are laid out but not drawn.
    void Paint(QPainter& painter, std::optional<LayoutRect> exposed);
    // The window's outer width: borders and vertical scroll bar included.
    int WindowWidth() const { return width(); }
    // Document coordinates to the viewport's, clipped to it.
    QRect ClientRect(const LayoutRect& area) const;
    void MovePlayCursor(std::optional<LayoutRect> area);

    ViewDocument& document_;
    TabViewInteraction interaction_;
    ViewRepaintArea repaintArea_;
    std::optional<LayoutRect> playCursor_;
    bool followPlayCursor_ = true;
};

}  // namespace lutaris
