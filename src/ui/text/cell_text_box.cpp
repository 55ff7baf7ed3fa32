#include "ui/text/cell_text_box.h"

#include <QDragEnterEvent>
#include <QMimeData>

#include <climits>

namespace tavlor::ui {

CellTextBox::CellTextBox(QWidget* parent) : QLineEdit(parent) {
    // Cells have no length limit; the default of 32767 would cut long cells on the way through.
    setMaxLength(INT_MAX);
}

void CellTextBox::dragEnterEvent(QDragEnterEvent* event) {
    // Dropped files are the window's to open; the box does not take their names as text.
    if (event->mimeData() && event->mimeData()->hasUrls()) {
        event->ignore();
        return;
    }
    QLineEdit::dragEnterEvent(event);
}

} // namespace tavlor::ui
