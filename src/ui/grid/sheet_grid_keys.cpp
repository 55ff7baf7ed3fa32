// Keyboard, wheel and paging of the grid S.
#include "ui/grid/sheet_grid.h"

#include "core/sheet/sheet.h"
#include "ui/grid/cell_editor.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>

namespace tavlor::ui {

namespace {
constexpr int kWheelNotch = 120;
}

bool SheetGrid::navigationAllowed(bool towardsStart) const {
    // Left/Home leave the cell from the start of the text, Right/End from its end, and only when
    // nothing or everything is selected; otherwise the caret moves inside the text.
    const QString text = m_editor->text();
    const int caret = m_editor->cursorPosition();
    const bool atEdge = towardsStart ? caret == 0 : caret == text.size();
    const bool plainSelection =
        !m_editor->hasSelectedText() || m_editor->selectedText().size() == text.size();
    return !m_editorOpen || (atEdge && plainSelection);
}

bool SheetGrid::handleKey(QKeyEvent* event) {
    const Qt::KeyboardModifiers mods =
        event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    const bool ctrl = mods & Qt::ControlModifier;
    const bool shift = mods & Qt::ShiftModifier;
    const auto go = [&](int col, int row) {
        col = std::clamp(col, 1, tavlor::Sheet::kLastCol);
        row = std::clamp(row, 1, tavlor::Sheet::kLastRow);
        moveTo(col, row, shift);
        return true;
    };
    switch (event->key()) {
    case Qt::Key_Up:
        if (ctrl) {
            scrollRows(-1);
            return true;
        }
        return go(m_col, m_row - 1);
    case Qt::Key_Down:
        if (ctrl) {
            scrollRows(1);
            return true;
        }
        return go(m_col, m_row + 1);
    case Qt::Key_PageUp:
    case Qt::Key_PageDown: {
        const bool down = event->key() == Qt::Key_PageDown;
        if (ctrl)
            return go(m_col, (down ? lastFullyVisibleRow() : firstVisibleRow()) + 1);
        const int page = pageRows();
        const int target = std::clamp(m_row + (down ? page : -page), 1, tavlor::Sheet::kLastRow);
        if (target != m_row)
            scrollRows(down ? page : -page);
        return go(m_col, target);
    }
    case Qt::Key_Left:
    case Qt::Key_Home: {
        if (!ctrl && !navigationAllowed(true))
            return false;
        if (event->key() == Qt::Key_Home)
            return ctrl ? go(1, 1) : go(1, m_row);
        if (!ctrl)
            return go(m_col - 1, m_row);
        const int page = pageCols();
        if (m_col - page >= 1)
            scrollCols(-page);
        return go(m_col - page, m_row);
    }
    case Qt::Key_Right:
    case Qt::Key_End: {
        if (!ctrl && !navigationAllowed(false))
            return false;
        if (event->key() == Qt::Key_End)
            return ctrl ? go(tavlor::Sheet::kLastCol, tavlor::Sheet::kLastRow)
                        : go(tavlor::Sheet::kLastCol, m_row);
        if (!ctrl)
            return go(m_col + 1, m_row);
        const int page = pageCols();
        if (m_col + page <= tavlor::Sheet::kLastCol)
            scrollCols(page);
        return go(m_col + page, m_row);
    }
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        const QString text = m_editor->text();
        const bool wholeSelected =
            text.isEmpty() ||
            (m_editor->selectionStart() == 0 && m_editor->selectedText().size() == text.size());
        if (wholeSelected)
            m_editor->end(false);
        else
            m_editor->selectAll();
        return true;
    }
    case Qt::Key_F2:
        m_editor->end(false);
        return true;
    case Qt::Key_Escape:
        return true;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        moveFocusOut(event->key() == Qt::Key_Tab && !shift);
        return true;
    case Qt::Key_Insert:
        if (mods == Qt::NoModifier)
            return true;
        if (mods == Qt::ShiftModifier) {
            m_editor->paste();
            return true;
        }
        return false;
    case Qt::Key_Delete:
        return ctrl;
    default:
        return false;
    }
}

void SheetGrid::keyPressEvent(QKeyEvent* event) {
    if (!handleKey(event))
        event->ignore();
}

void SheetGrid::handleWheel(QWheelEvent* event) {
    event->accept();
    if (!ownsFocus()) {
        QTableView::wheelEvent(event);
        return;
    }
    // Sideways (a tilted wheel, a sideways swipe) the view scrolls; the current cell stays.
    if (event->angleDelta().x() != 0 || event->pixelDelta().x() != 0) {
        QWheelEvent sideways(event->position(), event->globalPosition(),
                             QPoint(event->pixelDelta().x(), 0), QPoint(event->angleDelta().x(), 0),
                             event->buttons(), event->modifiers(), event->phase(),
                             event->inverted(), event->source());
        QApplication::sendEvent(horizontalScrollBar(), &sideways);
    }
    // One row per notch of 120 angle units in the current column, as a move of the current cell.
    // Fine-grained wheels and touchpads send small steps, summed here, so a swipe moves (and
    // commits) once per row rather than once per event.
    m_wheelRemainder += event->angleDelta().y();
    while (m_wheelRemainder >= kWheelNotch) {
        m_wheelRemainder -= kWheelNotch;
        moveTo(m_col, std::max(1, m_row - 1));
    }
    while (m_wheelRemainder <= -kWheelNotch) {
        m_wheelRemainder += kWheelNotch;
        moveTo(m_col, std::min(tavlor::Sheet::kLastRow, m_row + 1));
    }
}

void SheetGrid::wheelEvent(QWheelEvent* event) {
    handleWheel(event);
}

void SheetGrid::moveFocusOut(bool next) {
    // Tab leaves the grid for the next control that takes the focus by Tab (the formula bar).
    QWidget* candidate = this;
    for (;;) {
        candidate = next ? candidate->nextInFocusChain() : candidate->previousInFocusChain();
        if (candidate == this || candidate == nullptr)
            return;
        if (isAncestorOf(candidate) || candidate->window() != window())
            continue;
        if ((candidate->focusPolicy() & Qt::TabFocus) && candidate->isVisible() &&
            candidate->isEnabled())
            break;
    }
    candidate->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
}

void SheetGrid::scrollRows(int delta) {
    verticalScrollBar()->setValue(verticalScrollBar()->value() + delta);
}

void SheetGrid::scrollCols(int delta) {
    horizontalScrollBar()->setValue(horizontalScrollBar()->value() + delta);
}

int SheetGrid::firstVisibleRow() const {
    const int first = rowAt(0);
    return first < 0 ? 0 : first;
}

int SheetGrid::lastFullyVisibleRow() const {
    const int first = firstVisibleRow();
    const int height = viewport()->height();
    int last = first;
    for (int r = first; r < tavlor::Sheet::kLastRow; ++r) {
        if (rowViewportPosition(r) + rowHeight(r) > height)
            break;
        last = r;
    }
    return last;
}

int SheetGrid::pageRows() const {
    return std::max(1, lastFullyVisibleRow() - firstVisibleRow());
}

int SheetGrid::pageCols() const {
    const int first = std::max(0, columnAt(0));
    const int width = viewport()->width();
    int count = 0;
    for (int c = first; c < tavlor::Sheet::kLastCol; ++c) {
        if (columnViewportPosition(c) + columnWidth(c) > width)
            break;
        ++count;
    }
    return std::max(1, count - 1);
}

} // namespace tavlor::ui
