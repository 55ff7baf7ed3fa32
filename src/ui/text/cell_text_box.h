#pragma once

#include <QLineEdit>

namespace tavlor::ui {

/** A single-line box that edits a cell's text: the in-cell editor and the formula bar. It has no
 *  length limit, and it leaves dragged files to the window, which opens them. A long text in which
 *  no character combines, joins or needs a ligature is laid out without shaping: the box lays out
 *  and draws its whole text at every change, and for such text shaping only adds kerning. */
class CellTextBox : public QLineEdit {
    Q_OBJECT
public:
    explicit CellTextBox(QWidget* parent = nullptr);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void chooseShaping();
};

} // namespace tavlor::ui
