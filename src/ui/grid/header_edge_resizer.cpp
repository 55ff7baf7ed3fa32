#include "ui/grid/header_edge_resizer.h"

#include <QHeaderView>
#include <QMouseEvent>

#include <algorithm>
#include <utility>

namespace tavlor::ui {

HeaderEdgeResizer::HeaderEdgeResizer(QHeaderView* header, std::function<void(int)> apply)
    : QObject(header), m_header(header), m_viewport(header->viewport()), m_apply(std::move(apply)) {
    m_viewport->setMouseTracking(true);
    m_viewport->installEventFilter(this);
}

int HeaderEdgeResizer::along(const QPoint& pos) const {
    return m_header->orientation() == Qt::Horizontal ? pos.y() : pos.x();
}

int HeaderEdgeResizer::size() const {
    return m_header->orientation() == Qt::Horizontal ? m_header->height() : m_header->width();
}

bool HeaderEdgeResizer::onEdge(const QPoint& pos) const {
    const int edge =
        m_header->orientation() == Qt::Horizontal ? m_viewport->height() : m_viewport->width();
    return along(pos) >= edge - kGrip && along(pos) < edge;
}

bool HeaderEdgeResizer::eventFilter(QObject* watched, QEvent* event) {
    // Only mouse events touch the header: other events also arrive while it is being destroyed.
    const QEvent::Type type = event->type();
    if (watched != m_viewport ||
        (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick &&
         type != QEvent::MouseMove && type != QEvent::MouseButtonRelease))
        return false;
    const Qt::CursorShape shape =
        m_header->orientation() == Qt::Horizontal ? Qt::SplitVCursor : Qt::SplitHCursor;
    switch (type) {
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
            m_viewport->setCursor(shape);
            m_cursorSet = true;
            return true; // the header would put its own cursor back
        }
        if (m_cursorSet) {
            m_viewport->unsetCursor();
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
