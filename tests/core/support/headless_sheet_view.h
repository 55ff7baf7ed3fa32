#pragma once

#include "core/sheet_document.h"
#include "core/sheet_view.h"

#include <string>
#include <vector>

namespace tavlor::test {

/** A window without a screen for core tests: a current cell, a formula bar whose change handling
 *  writes the bar into the current cell and runs Genislik and the change check, the two status
 *  panels, and a log of every call the document makes. */
class HeadlessSheetView : public SheetView {
public:
    /** Attaches itself to the document (document.setView(this)); detaches on destruction. */
    explicit HeadlessSheetView(SheetDocument& document);
    ~HeadlessSheetView() override;
    HeadlessSheetView(const HeadlessSheetView&) = delete;
    HeadlessSheetView& operator=(const HeadlessSheetView&) = delete;

    // SheetView
    void clearFormulaBar() override;
    void setCurrentCol(int col) override;
    void setCurrentRow(int row) override;
    void forgetEditHistory() override;
    void showTotals(const std::string& text) override;
    void showModified(bool modified) override;
    void showEncoding(TextEncoding encoding) override;

    /** Sets the formula bar text; when it differs, runs the change handling (bar into the current
     *  cell, Genislik, change check), like typing in the bar. */
    void setFormulaBar(const std::string& text);
    /** One keystroke in the in-cell editor leaving text in the current cell: the cell takes the
     *  text, the bar mirrors it (change handling when it differs), then Genislik once more. */
    void typeInCell(const std::string& text);
    /** Selects a cell: the bar takes the new cell's text (change handling when it differs). */
    void select(int col, int row);

    int currentCol() const { return m_col; }
    int currentRow() const { return m_row; }
    const std::string& formulaBar() const { return m_formulaBar; }
    /** Status panel 4 and panel 1 as the window would show them. */
    const std::string& totalsPanel() const { return m_totals; }
    const std::string& modifiedPanel() const { return m_modifiedText; }
    /** Every call from the document, in order: "clearFormulaBar", "setCurrentCol 1",
     *  "setCurrentRow 1", "forgetEditHistory", "showTotals <text>", "showModified 0|1",
     *  "showEncoding <name>". */
    const std::vector<std::string>& log() const { return m_log; }
    void clearLog() { m_log.clear(); }

private:
    void formulaBarChanged();
    void moved();

    SheetDocument& m_document;
    int m_col = 1;
    int m_row = 1;
    std::string m_formulaBar;
    std::string m_totals;
    std::string m_modifiedText;
    std::vector<std::string> m_log;
};

} // namespace tavlor::test
