#include "support/headless_sheet_view.h"

namespace tavlor::test {

HeadlessSheetView::HeadlessSheetView(SheetDocument& document) : m_document(document) {
    m_document.setView(this);
}

HeadlessSheetView::~HeadlessSheetView() {
    if (m_document.view() == this)
        m_document.setView(nullptr);
}

void HeadlessSheetView::clearFormulaBar() {
    m_log.push_back("clearFormulaBar");
    setFormulaBar(std::string());
}

void HeadlessSheetView::mirrorCell(int col, int row) {
    m_log.push_back("mirrorCell " + std::to_string(col) + " " + std::to_string(row));
    if (showInBar(m_document.sheet().cell(col, row)))
        m_document.cellEdited(col, row, std::nullopt, EditSource::FormulaBar);
}

void HeadlessSheetView::showEditedCell(int col, int row, EditSource source) {
    if (source == EditSource::InCell)
        m_formulaBar = m_document.sheet().cell(col, row);
}

void HeadlessSheetView::setCurrentCol(int col) {
    m_log.push_back("setCurrentCol " + std::to_string(col));
    if (col == m_col)
        return;
    select(col, m_row);
}

void HeadlessSheetView::setCurrentRow(int row) {
    m_log.push_back("setCurrentRow " + std::to_string(row));
    if (row == m_row)
        return;
    select(m_col, row);
}

void HeadlessSheetView::forgetEditHistory() {
    m_log.push_back("forgetEditHistory");
}

void HeadlessSheetView::showTotals(const std::string& text) {
    m_log.push_back("showTotals " + text);
    m_totals = text;
}

void HeadlessSheetView::showModified(bool modified) {
    m_log.push_back(modified ? "showModified 1" : "showModified 0");
    m_modifiedText = modified ? "Modified" : "";
}

void HeadlessSheetView::showEncoding(TextEncoding encoding) {
    m_log.push_back("showEncoding " + std::string(encodingName(encoding)));
}

void HeadlessSheetView::setFormulaBar(const std::string& text) {
    if (showInBar(text))
        m_document.cellEdited(m_col, m_row, text, EditSource::FormulaBar);
}

void HeadlessSheetView::typeInCell(const std::string& text) {
    m_document.cellEdited(m_col, m_row, text, EditSource::InCell);
}

void HeadlessSheetView::select(int col, int row) {
    m_col = col;
    m_row = row;
    if (showInBar(m_document.sheet().cell(m_col, m_row)))
        m_document.cellEdited(m_col, m_row, std::nullopt, EditSource::FormulaBar);
}

bool HeadlessSheetView::showInBar(const std::string& text) {
    if (text == m_formulaBar)
        return false;
    m_formulaBar = text;
    return true;
}

} // namespace tavlor::test
