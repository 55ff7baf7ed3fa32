#include "ui/text/cell_text_box.h"

#include <QDragEnterEvent>
#include <QEvent>
#include <QFont>
#include <QMimeData>

#include <climits>

namespace tavlor::ui {

CellTextBox::CellTextBox(QWidget* parent) : QLineEdit(parent) {
    // Cells have no length limit; the default of 32767 would cut long cells on the way through.
    setMaxLength(INT_MAX);
    shapeSimply();
}

void CellTextBox::shapeSimply() {
    QFont simple = font();
    if (simple.styleStrategy() & QFont::PreferNoShaping)
        return;
    simple.setStyleStrategy(QFont::StyleStrategy(simple.styleStrategy() | QFont::PreferNoShaping));
    setFont(simple);
}

void CellTextBox::changeEvent(QEvent* event) {
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        shapeSimply();
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
