// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "edit/qt/CCorvaneView.h"

#include <QDragEnterEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>
#include <utility>

#include "edit/CaretScroll.h"
#include "model/CommandIds.h"
#include "model/TabCursor.h"
#include "platform/qt/QtSurface.h"
#include "platform/qt/QtVirtualKeys.h"
#include "render/PlayCursorArea.h"
#include "render/ScrollSizes.h"
#include "render/ViewDocument.h"
#include "render/ViewLayout.h"
#include "render/ViewPainter.h"
#include "render/qt/PrintedPages.h"

namespace lutaris {

namespace {

// The original platform's thin window border, which its scroll range leaves out twice.
constexpr int kBorderWidth = 1;

void SetScrollRange(QScrollBar& bar, std::int32_t total, int visible, std::int32_t page,
                    std::int32_t line) {
    bar.setRange(0, std::max(0, total - visible));
    bar.setPageStep(std::max(1, page));
    bar.setSingleStep(std::max(1, line));
}

LayoutPoint ToLayout(const QPointF& point) {
    const QPoint p = point.toPoint();
    return {p.x(), p.y()};
}

Qt::CursorShape ToQtCursor(ViewCursorShape shape) {
    switch (shape) {
        case ViewCursorShape::SizeAll:
            return Qt::SizeAllCursor;
        case ViewCursorShape::SizeNS:
            return Qt::SizeVerCursor;
        case ViewCursorShape::Arrow:
        case ViewCursorShape::Unchanged:
            return Qt::ArrowCursor;
    }
    return Qt::ArrowCursor;
}

}  // namespace

bool CCorvaneView::IsAddTabItemCharacter(const QKeyEvent& event) {
    return event.text() == QStringLiteral("I") &&
           !(event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
}

CCorvaneView::CCorvaneView(ViewDocument& document, QWidget* parent)
    : QAbstractScrollArea(parent), document_(document), interaction_(document) {
    setObjectName(QStringLiteral("tabView"));
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    QPalette palette = viewport()->palette();
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Window, Qt::white);
    viewport()->setPalette(palette);
    viewport()->setAutoFillBackground(true);
    viewport()->setAcceptDrops(true);
    // The play cursor stops pulling the view along once the person scrolls elsewhere.
    for (QScrollBar* bar : {horizontalScrollBar(), verticalScrollBar()})
        connect(bar, &QAbstractSlider::actionTriggered, this,
                [this] { followPlayCursor_ = false; });
    document_.AddView(this);
}

CCorvaneView::~CCorvaneView() { document_.RemoveView(this); }

void CCorvaneView::OnDocumentUpdated() {
    UpdateScrollSizes();
    RequestRepaint();
}

void CCorvaneView::RequestRepaint() {
    const std::optional<LayoutRect> area = repaintArea_.Changed(document_, WindowWidth());
    if (!area) {
        viewport()->update();
        return;
    }
    const QRect client = ClientRect(*area);
    if (!client.isEmpty()) viewport()->update(client);
}

QRect CCorvaneView::ClientRect(const LayoutRect& area) const {
    const LayoutPoint scroll = ScrollPosition();
    const auto clientX = [&](std::int32_t x) {
        return static_cast<int>(
            std::clamp<std::int64_t>(std::int64_t{x} - scroll.x, -1, viewport()->width()));
    };
    const auto clientY = [&](std::int32_t y) {
        return static_cast<int>(
            std::clamp<std::int64_t>(std::int64_t{y} - scroll.y, -1, viewport()->height()));
    };
    return QRect(QPoint(clientX(area.left), clientY(area.top)),
                 QPoint(clientX(area.right), clientY(area.bottom))) &
           viewport()->rect();
}

void CCorvaneView::ShowPlayCursor(const Tablature* item, std::int32_t position,
                                  std::int32_t column) {
    MovePlayCursor(PlayCursorArea(document_, item, position, column));
}

void CCorvaneView::HidePlayCursor() { MovePlayCursor(std::nullopt); }

void CCorvaneView::MovePlayCursor(std::optional<LayoutRect> area) {
    if (area == playCursor_) return;
    // The items stand where they stood: the paints of the two columns start from the kept
    // layout instead of laying the whole document out again.
    document_.GetViewLayout().NothingMoved();
    const std::optional<LayoutRect> old = std::exchange(playCursor_, area);
    if (area && followPlayCursor_) {
        const LayoutPoint scroll = ScrollPosition();
        // A cursor that leaves the view turns the page: its row goes to the top, so that the
        // rows to be played next are in sight and the view moves once a screenful, not once a
        // row.
        const bool outOfSight = area->top < scroll.y ||
                                std::int64_t{area->bottom} >=
                                    std::int64_t{scroll.y} + viewport()->height();
        const LayoutPoint target{
            CaretScroll::Along(area->left, area->right, scroll.x, viewport()->width()),
            outOfSight ? area->top : scroll.y};
        // The scroll carries the old marker's pixels along: they are repainted where they went.
        if (!(target == scroll)) ScrollToPosition(target);
    }
    if (old) viewport()->update(ClientRect(*old));
    if (area) viewport()->update(ClientRect(*area));
}

void CCorvaneView::OnInitialUpdate() {
    UpdateScrollSizes();
    OnDocumentUpdated();
    // An opened file puts the caret on its first stored item, which may stand far down.
    ShowCaret();
}

LayoutPoint CCorvaneView::ScrollPosition() const {
    return {horizontalScrollBar()->value(), verticalScrollBar()->value()};
}

void CCorvaneView::ScrollToPosition(LayoutPoint position) {
    horizontalScrollBar()->setValue(position.x);
    verticalScrollBar()->setValue(position.y);
}

void CCorvaneView::ShowCaret() {
    if (document_.cursor == nullptr || document_.cursor->tabItem == nullptr) return;
    ViewPainter::LayOut(document_, WindowWidth());
    // The range has to reach an item that the layout just put below the old bottom.
    UpdateScrollSizes();
    const LayoutPoint scroll = ScrollPosition();
    const LayoutPoint target =
        CaretScroll::ToShow(*document_.cursor, scroll, {viewport()->width(), viewport()->height()});
    // The scroll moves what is on screen along and paints the uncovered strip.
    if (!(target == scroll)) ScrollToPosition(target);
}

void CCorvaneView::FollowCaret(const CaretPlace& before) {
    const CaretPlace now = CaretPlace::Of(document_);
    if (now.contents != before.contents) {
        ScrollToPosition({0, 0});
        ShowCaret();
    } else if (!(now == before)) {
        ShowCaret();
    }
}

void CCorvaneView::resizeEvent(QResizeEvent* event) {
    UpdateScrollSizes();
    QAbstractScrollArea::resizeEvent(event);
}

void CCorvaneView::scrollContentsBy(int dx, int dy) {
    // The items stand where they stood: what is on screen moves along, and only the uncovered
    // strip is painted, from the kept layout, so that scrolling a songbook costs what the strip
    // shows.
    document_.GetViewLayout().NothingMoved();
    viewport()->scroll(dx, dy);
}

void CCorvaneView::UpdateScrollSizes() {
    const ScrollSizes sizes =
        ComputeScrollSizes(document_, WindowWidth(), kBorderWidth,
                           style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this));
    SetScrollRange(*horizontalScrollBar(), sizes.total.width, viewport()->width(), sizes.page.width,
                   sizes.line.width);
    SetScrollRange(*verticalScrollBar(), sizes.total.height, viewport()->height(),
                   sizes.page.height, sizes.line.height);
}

void CCorvaneView::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    const LayoutPoint scroll = ScrollPosition();
    painter.translate(-scroll.x, -scroll.y);
    const QRect exposed = event->rect().translated(scroll.x, scroll.y);
    Paint(painter, LayoutRect{exposed.left(), exposed.top(), exposed.right(), exposed.bottom()});
    if (playCursor_) {
        // Translucent, so the notes of the sounding column show through; blue, so it is never
        // taken for the red caret.
        const LayoutRect& area = *playCursor_;
        painter.fillRect(QRect(QPoint(area.left, area.top), QPoint(area.right, area.bottom)),
                         QColor(0, 110, 255, 80));
    }
    painter.end();
    // (QRegion::contains(QRect) only says whether they meet.)
    if (QRegion(viewport()->rect()).subtracted(event->region()).isEmpty()) {
        repaintArea_.Painted(document_, std::nullopt);
    } else {
        // Any one rectangle of the region was painted whole; the bounding one may not have been.
        const QRect covered = event->region().begin()->translated(scroll.x, scroll.y);
        repaintArea_.Painted(document_, LayoutRect{covered.left(), covered.top(), covered.right(),
                                                   covered.bottom()});
    }
    // The items may stand elsewhere now (the window's width changed): the range follows them.
    UpdateScrollSizes();
}

void CCorvaneView::Paint(QPainter& painter, std::optional<LayoutRect> exposed) {
    QtSurface surface(painter);
    ViewPaintState state;
    state.windowWidth = WindowWidth();
    state.selectionLine = interaction_.Selection();
    state.exposed = exposed;
    ViewPainter::Paint(document_, surface, state);
}

bool CCorvaneView::PrintDocument(QPrinter& printer) {
    return PrintedPages(document_, printer).Print(printer);
}

void CCorvaneView::Apply(const ViewResponse& response) {
    if (response.cursor != ViewCursorShape::Unchanged)
        viewport()->setCursor(ToQtCursor(response.cursor));
    if (response.scrollToY) verticalScrollBar()->setValue(*response.scrollToY);
    if (response.repaint) viewport()->update();
    if (response.followCaret) ShowCaret();
}

void CCorvaneView::mousePressEvent(QMouseEvent* event) {
    const LayoutPoint client = ToLayout(event->position());
    if (event->button() == Qt::LeftButton)
        Apply(interaction_.OnLButtonDown(client, ScrollPosition()));
    else if (event->button() == Qt::RightButton)
        Apply(interaction_.OnRButtonDown(client, ScrollPosition()));
}

void CCorvaneView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        Apply(interaction_.OnLButtonDblClk(ToLayout(event->position()), ScrollPosition()));
}

void CCorvaneView::mouseMoveEvent(QMouseEvent* event) {
    Apply(interaction_.OnMouseMove(ToLayout(event->position())));
}

void CCorvaneView::mouseReleaseEvent(QMouseEvent* event) {
    const LayoutPoint client = ToLayout(event->position());
    if (event->button() == Qt::LeftButton)
        Apply(interaction_.OnLButtonUp(client, ScrollPosition()));
    else if (event->button() == Qt::RightButton)
        Apply(interaction_.OnRButtonUp(client, ScrollPosition()));
}

void CCorvaneView::keyPressEvent(QKeyEvent* event) {
    if (IsAddTabItemCharacter(*event)) {
        emit CommandRequested(ID_ADD_TAB_ITEM);
        return;
    }
    // Space is no key of the caret's: it plays and stops.
    if (event->key() == Qt::Key_Space &&
        !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
        emit CommandRequested(ID_PLAY);
        return;
    }
    const std::int32_t virtualKey = VirtualKeyFromEvent(*event);
    if (virtualKey == 0) {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    ViewResponse response = interaction_.OnKeyDown(virtualKey, ScrollPosition());
    const bool repaint = std::exchange(response.repaint, false);
    Apply(response);
    if (repaint) RequestRepaint();
    emit CaretKeyHandled(virtualKey);
}

bool CCorvaneView::focusNextPrevChild(bool /*next*/) { return false; }

void CCorvaneView::dragEnterEvent(QDragEnterEvent* event) {
    event->setDropAction(Qt::MoveAction);
    event->accept();
}

void CCorvaneView::dragMoveEvent(QDragMoveEvent* event) {
    event->setDropAction(Qt::MoveAction);
    event->accept();
}

void CCorvaneView::dragLeaveEvent(QDragLeaveEvent* event) { event->accept(); }

void CCorvaneView::dropEvent(QDropEvent* event) {
    Apply(interaction_.OnDrop(ToLayout(event->position()), ScrollPosition()));
    // Whatever the handler did, the drag source sees no drop.
    event->setDropAction(Qt::IgnoreAction);
    event->ignore();
}

}  // namespace lutaris
