#pragma once

#include "ui/text/cell_text_box.h"

namespace tavlor::ui {

/** The formula bar LabeledEdit1: a single-line box without length limit whose assignments run its
 *  change event only when the text really changes. */
class FormulaBar : public CellTextBox {
    Q_OBJECT
public:
    explicit FormulaBar(QWidget* parent = nullptr);

    /** Sets the text; does nothing at all when it equals the present text. */
    void assign(const QString& text);
};

} // namespace tavlor::ui
