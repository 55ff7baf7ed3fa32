#include "ui/formula_bar.h"

#include <QDragEnterEvent>
#include <QMimeData>

#include <climits>

namespace tavlor::ui {

FormulaBar::FormulaBar(QWidget* parent) : QLineEdit(parent) {
    // The default limit of 32767 would silently cut long cells written back from here.
    setMaxLength(INT_MAX);
}

void FormulaBar::assign(const QString& text) {
    if (text == this->text())
        return;
    setText(text);
}

void FormulaBar::dragEnterEvent(QDragEnterEvent* event) {
    // Dropped files are the window's to open; the box does not take their names as text.
    if (event->mimeData() && event->mimeData()->hasUrls()) {
        event->ignore();
        return;
    }
    QLineEdit::dragEnterEvent(event);
}

} // namespace tavlor::ui
