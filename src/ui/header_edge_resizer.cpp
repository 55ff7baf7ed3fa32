#include "header_edge_resizer.h"

#include <QHeaderView>
#include <QMouseEvent>

#include <algorithm>
#include <utility>

namespace tavlor::ui {

HeaderEdgeResizer::HeaderEdgeResizer(QHeaderView* header, std::function<void(int)> apply)
    : QObject(header), m_header(header), m_apply(std::move(apply)) {
    header->viewport()->setMouseTracking(true);
    header->viewport()->installEventFilter(this);
}

int HeaderEdgeResizer::along(const QPoint& pos) const {
    return m_header->orientation() == Qt::Horizontal ? pos.y() : pos.x();
}

int HeaderEdgeResizer::size() const {
    return m_header->orientation() == Qt::Horizontal ? m_header->height() : m_header->width();
}

bool HeaderEdgeResizer::onEdge(const QPoint& pos) const {
    const QWidget* viewport = m_header->viewport();
    const int edge =
        m_header->orientation() == Qt::Horizontal ? viewport->height() : viewport->width();
    return along(pos) >= edge - kGrip && along(pos) < edge;
}

bool HeaderEdgeResizer::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_header->viewport())
        return false;
    QWidget* viewport = m_header->viewport();
    const Qt::CursorShape shape =
        m_header->orientation() == Qt::Horizontal ? Qt::SplitVCursor : Qt::SplitHCursor;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton || !onEdge(mouse->position().toPoint()))
            return false;
        m_dragging = true;
        m_startPos = along(mouse->position().toPoint());
        m_startSize = size();
        return true;
    }
    case QEvent::MouseMove: {
        const QPoint pos = static_cast<QMouseEvent*>(event)->position().toPoint();
        if (m_dragging) {
            m_apply(std::max(kMinimum, m_startSize + along(pos) - m_startPos));
            return true;
        }
        if (onEdge(pos)) {
            viewport->setCursor(shape);
            m_cursorSet = true;
            return true; // the header would put its own cursor back
        }
        if (m_cursorSet) {
            viewport->unsetCursor();
            m_cursorSet = false;
        }
        return false;
    }
    case QEvent::MouseButtonRelease:
        if (!m_dragging || static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton)
            return false;
        m_dragging = false;
        return true;
    default:
        return false;
    }
}

} // namespace tavlor::ui
