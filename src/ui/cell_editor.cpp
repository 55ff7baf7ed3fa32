#include "cell_editor.h"

#include "sheet_grid.h"

#include <QKeyEvent>
#include <QWheelEvent>

#include <QDragEnterEvent>
#include <QMimeData>

#include <climits>

namespace tavlor::ui {

CellEditor::CellEditor(SheetGrid* grid, QWidget* parent) : QLineEdit(parent), m_grid(grid) {
    // Cells have no length limit; the default of 32767 would cut long cells on the way through.
    setMaxLength(INT_MAX);
    setFrame(false);
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

bool CellEditor::focusNextPrevChild(bool next) {
    m_grid->moveFocusOut(next);
    return true;
}

void CellEditor::dragEnterEvent(QDragEnterEvent* event) {
    // Dropped files are the window's to open; the box does not take their names as text.
    if (event->mimeData() && event->mimeData()->hasUrls()) {
        event->ignore();
        return;
    }
    QLineEdit::dragEnterEvent(event);
}

} // namespace tavlor::ui
