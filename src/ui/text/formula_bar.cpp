#include "ui/text/formula_bar.h"

namespace tavlor::ui {

FormulaBar::FormulaBar(QWidget* parent) : CellTextBox(parent) {}

void FormulaBar::assign(const QString& text) {
    if (text == this->text())
        return;
    setText(text);
}

} // namespace tavlor::ui
