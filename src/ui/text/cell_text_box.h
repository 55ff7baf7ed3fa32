#pragma once

#include <QLineEdit>

namespace tavlor::ui {

/** A single-line box that edits a cell's text: the in-cell editor and the formula bar. It has no
 *  length limit, and it leaves dragged files to the window, which opens them. */
class CellTextBox : public QLineEdit {
    Q_OBJECT
public:
    explicit CellTextBox(QWidget* parent = nullptr);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
};

} // namespace tavlor::ui
