#pragma once

#include <QObject>

#include <functional>

class QHeaderView;

namespace tavlor::ui {

/** Lets the mouse resize a header itself, not only its sections: the bottom edge of the column
 *  header sets the header row's height, the right edge of the row header sets the header column's
 *  width. Watches the header's viewport; other presses pass on to the header and the grid. */
class HeaderEdgeResizer : public QObject {
    Q_OBJECT
public:
    /** apply receives the new height (column header) or width (row header) in pixels. */
    HeaderEdgeResizer(QHeaderView* header, std::function<void(int)> apply);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static constexpr int kGrip = 3;    // pixels inside the edge that pick it up
    static constexpr int kMinimum = 4; // the smallest size a drag leaves

    bool onEdge(const QPoint& pos) const;
    int along(const QPoint& pos) const; // the coordinate across the edge
    int size() const;

    QHeaderView* m_header;
    QWidget* m_viewport; // the header's viewport, which is never replaced
    std::function<void(int)> m_apply;
    bool m_dragging = false;
    bool m_cursorSet = false;
    int m_startPos = 0;
    int m_startSize = 0;
};

} // namespace tavlor::ui
