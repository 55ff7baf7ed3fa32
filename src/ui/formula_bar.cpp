#include "formula_bar.h"

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

} // namespace tavlor::ui
