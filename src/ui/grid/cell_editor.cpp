#include "ui/grid/cell_editor.h"

#include "ui/grid/sheet_grid.h"

#include <QKeyEvent>
#include <QPainter>
#include <QWheelEvent>

namespace tavlor::ui {

namespace {
constexpr int kFrameWidth = 2;
} // namespace

CellEditor::CellEditor(SheetGrid* grid, QWidget* parent) : CellTextBox(parent), m_grid(grid) {
    setFrame(false);
    // The text keeps clear of the frame drawn in paintEvent.
    setTextMargins(kFrameWidth, 0, kFrameWidth, 0);
    setObjectName(QStringLiteral("InplaceEditor"));
}

void CellEditor::keyPressEvent(QKeyEvent* event) {
    if (m_grid->handleKey(event))
        return;
    QLineEdit::keyPressEvent(event);
}

void CellEditor::wheelEvent(QWheelEvent* event) {
    m_grid->handleWheel(event);
}

void CellEditor::paintEvent(QPaintEvent* event) {
    QLineEdit::paintEvent(event);
    QPainter painter(this);
    const QRect outer = rect();
    const QColor colour = palette().color(QPalette::Highlight);
    for (int i = 0; i < kFrameWidth; ++i) {
        const QRect ring = outer.adjusted(i, i, -i, -i);
        painter.fillRect(ring.left(), ring.top(), ring.width(), 1, colour);
        painter.fillRect(ring.left(), ring.bottom(), ring.width(), 1, colour);
        painter.fillRect(ring.left(), ring.top(), 1, ring.height(), colour);
        painter.fillRect(ring.right(), ring.top(), 1, ring.height(), colour);
    }
}

bool CellEditor::focusNextPrevChild(bool next) {
    m_grid->moveFocusOut(next);
    return true;
}

} // namespace tavlor::ui
