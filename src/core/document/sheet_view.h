#pragma once

#include "core/text/text_encoding.h"

#include <string>

namespace tavlor {

/** Where the user typed an edit of a cell. */
enum class EditSource { InCell, FormulaBar };

/** What the sheet routines need from the window: the formula bar, the current cell and two status
 *  panels. The Qt window implements it; core tests use a headless stand-in. */
class SheetView {
public:
    virtual ~SheetView() = default;
    /** Empties the formula bar; its change handling runs at once (writes "" into the current cell,
     *  then the used extent and the change check), unless it already was empty. */
    virtual void clearFormulaBar() = 0;
    /** The formula bar shows cell (col, row) because the program put it there, not the user: when
     *  its text changes, its change handling only measures and checks (SheetDocument::cellEdited
     *  without bytes) and writes nothing back. */
    virtual void mirrorCell(int col, int row) = 0;
    /** The user's edit in source is in cell (col, row): the grid redraws the cell and the other box
     *  (the formula bar, or the in-cell editor) shows it, without change handling of its own. */
    virtual void showEditedCell(int col, int row, EditSource source) = 0;
    /** Assigns the current column / row; moves (and runs the selection handling) only when the
     *  value differs from the present one. */
    virtual void setCurrentCol(int col) = 0;
    virtual void setCurrentRow(int row) = 0;
    /** The formula bar and the in-cell editor drop their undo history: what was typed for one
     *  document must not come back into the next. */
    virtual void forgetEditHistory() = 0;
    /** Status panel 4: the totals text of the used extent. */
    virtual void showTotals(const std::string& text) = 0;
    /** Status panel 1: "Modified" or empty. */
    virtual void showModified(bool modified) = 0;
    /** The document's encoding changed (the cells' bytes did not): show their text anew. */
    virtual void showEncoding(TextEncoding encoding) = 0;
    /** The change check found the content changed. */
    virtual void contentChanged() {}
};

} // namespace tavlor
