#pragma once

#include "ui/text/cell_text_box.h"

namespace tavlor::ui {

class SheetGrid;

/** The grid's in-cell editor: a borderless single-line box over the current cell that gives back
 *  exactly the text it was given, framed so that the current cell is seen at a glance; navigation
 *  keys, Tab and the wheel go to the grid. */
class CellEditor : public CellTextBox {
    Q_OBJECT
public:
    explicit CellEditor(SheetGrid* grid, QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    SheetGrid* m_grid = nullptr;
};

} // namespace tavlor::ui
