#pragma once

#include "core/document/sheet_document.h"
#include "core/document/sheet_view.h"

#include <string>
#include <vector>

namespace tavlor::test {

/** A window without a screen for core tests: a current cell, a formula bar whose changes go to
 *  the document's edit handling, the two status panels, and a log of every call the document
 *  makes. */
class HeadlessSheetView : public SheetView {
public:
    /** Attaches itself to the document (document.setView(this)); detaches on destruction. */
    explicit HeadlessSheetView(SheetDocument& document);
    ~HeadlessSheetView() override;
    HeadlessSheetView(const HeadlessSheetView&) = delete;
    HeadlessSheetView& operator=(const HeadlessSheetView&) = delete;

    // SheetView
    void clearFormulaBar() override;
    void mirrorCell(int col, int row) override;
    /** The bar shows a cell typed in the in-cell editor; not logged. */
    void showEditedCell(int col, int row, EditSource source) override;
    void setCurrentCol(int col) override;
    void setCurrentRow(int row) override;
    void forgetEditHistory() override;
    void showTotals(const std::string& text) override;
    void showModified(bool modified) override;
    void showEncoding(TextEncoding encoding) override;

    /** Typing in the formula bar: when the text differs, the document takes it into the current
     *  cell. */
    void setFormulaBar(const std::string& text);
    /** One keystroke in the in-cell editor leaving text in the current cell: the editor hands it
     *  to the document's edit handling. */
    void typeInCell(const std::string& text);
    /** Selects a cell: the bar mirrors the new cell (measuring when its text differs). */
    void select(int col, int row);

    int currentCol() const { return m_col; }
    int currentRow() const { return m_row; }
    const std::string& formulaBar() const { return m_formulaBar; }
    /** Status panel 4 and panel 1 as the window would show them. */
    const std::string& totalsPanel() const { return m_totals; }
    const std::string& modifiedPanel() const { return m_modifiedText; }
    /** Every call from the document but showEditedCell, in order: "clearFormulaBar",
     *  "mirrorCell 1 1",
     *  "setCurrentCol 1",
     *  "setCurrentRow 1", "forgetEditHistory", "showTotals <text>", "showModified 0|1",
     *  "showEncoding <name>". */
    const std::vector<std::string>& log() const { return m_log; }
    void clearLog() { m_log.clear(); }

private:
    /** The bar shows text; returns whether it changed. */
    bool showInBar(const std::string& text);

    SheetDocument& m_document;
    int m_col = 1;
    int m_row = 1;
    std::string m_formulaBar;
    std::string m_totals;
    std::string m_modifiedText;
    std::vector<std::string> m_log;
};

} // namespace tavlor::test
