#pragma once

#include "ui/grid/sheet_model.h" // also declares the core's Sheet and TextCodec

#include <QTableView>

#include <string>
#include <string_view>

namespace tavlor::ui {

class CellEditor;

/** The grid S: shows the sheet with its header row and column, keeps the current cell (in sheet
 *  coordinates, always a data cell) and the in-cell editor on it, and reports select-cell,
 *  set-edit-text and click events in the order the window's handlers rely on. It never writes the
 *  sheet: the editor's text goes to the set-edit-text handler. */
class SheetGrid : public QTableView {
    Q_OBJECT
public:
    /** Shows sheet, its bytes read through codec (which may change its encoding later). */
    SheetGrid(const tavlor::Sheet& sheet, const tavlor::TextCodec& codec,
              QWidget* parent = nullptr);
    ~SheetGrid() override;

    int col() const { return m_col; }
    int row() const { return m_row; }
    /** Assigns the current column / row; moves only when the value differs. Throws
     *  std::out_of_range ("Grid index out of range") outside the data cells. */
    void setCol(int col);
    void setRow(int row);
    /** The move sequence to (col, row): select-cell event, new current cell, the editor leaves the
     *  old cell (commit) and opens on the new one, click event. Nothing when (col, row) is current.
     */
    void moveTo(int col, int row, bool keepAnchor = false);

    /** Cell (col, row) changed through the in-cell editor: redrawn, the editor left as it is. */
    void redrawCell(int col, int row);
    /** Cell (col, row) changed in the sheet behind the grid: redrawn, and the editor shows it when
     *  it is on that cell (whole text selected); no set-edit-text event. */
    void showCell(int col, int row);
    /** Redraws everything after the sheet changed behind the grid's back (clear, load). */
    void refreshAll();
    /** After the sheet was rewritten behind the grid (clear, load): redraws it and lets the editor
     *  show its cell's present text (wholly selected), without any event. */
    void resyncWithSheet();
    /** Redraws the header cells after they were written. */
    void refreshHeaders();

    /** Column 0 is the header column; its width is that of the row-number header. */
    void setColWidth(int col, int width);
    /** Row 0 is the header row; its height is that of the column-letter header. */
    void setRowHeightOf(int row, int height);
    int colWidth(int col) const;
    int rowHeightOf(int row) const;

    CellEditor* editor() const { return m_editor; }
    bool editorOpen() const { return m_editorOpen; }
    int anchorCol() const { return m_anchorCol; }
    int anchorRow() const { return m_anchorRow; }
    /** The viewport rectangle of data cell (col, row). */
    QRect cellRect(int col, int row) const;
    /** True while the grid or its in-cell editor has the keyboard focus. */
    bool ownsFocus() const;

    // Called by the in-cell editor.
    bool handleKey(QKeyEvent* event);
    void handleWheel(QWheelEvent* event);
    void moveFocusOut(bool next);

signals:
    /** Before the current cell becomes (col, row); a handler may clear *canSelect. */
    void selectCell(int col, int row, bool* canSelect);
    /** The editor's text for cell (col, row): on every change the user makes, and when the editor
     *  leaves the cell (a commit). */
    void setEditText(int col, int row, const QString& value);
    /** After a move or a mouse press that selected a cell. */
    void cellClick();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    /** Fires the select-cell event for (col, row) unless it already is the current cell; true
     *  when the move may go ahead. */
    bool selectionAllowed(int col, int row);
    void openEditor();
    /** The editor shows cell (wholly selected), read-only when it is huge. */
    void showInEditor(const std::string& cell);
    /** The same, with the cell's text already made. */
    void showInEditor(const std::string& cell, const QString& text);
    void closeEditor();
    void commitEditor();
    void placeEditor();
    void showSelection();
    void showCurrentHeaders();
    /** Repaints the header sections of the current cell and of the one tinted before: those that
     *  changed, or all of them (a new tint). */
    void repaintCurrentHeaders(bool all);
    void onEditorEdited();
    void pressAt(Qt::MouseButton button, const QPoint& pos);
    void releasePress();
    bool navigationAllowed(bool towardsStart) const;
    void scrollRows(int delta);
    void scrollCols(int delta);
    int firstVisibleRow() const;
    int lastFullyVisibleRow() const;
    int pageRows() const;
    int pageCols() const;

    const tavlor::Sheet& m_sheet;
    const tavlor::TextCodec& m_codec;
    SheetModel* m_model = nullptr;
    CellEditor* m_editor = nullptr;
    int m_col = 1;
    int m_row = 1;
    int m_anchorCol = 1;
    int m_anchorRow = 1;
    int m_tintedCol = 1; // the header sections drawn tinted
    int m_tintedRow = 1;
    int m_editorCol = 0; // the editor cell; 0 while the editor is on no cell
    int m_editorRow = 0;
    bool m_editorOpen = false;
    bool m_pressing = false;
    int m_wheelRemainder = 0;
};

} // namespace tavlor::ui
