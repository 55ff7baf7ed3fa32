// The handlers that keep the formula bar, the cell-name label and the status panels in step with
// the grid's current cell.
#include "ui/window/tform1.h"

#include "core/sheet/cell_size_limit.h"
#include "core/sheet/split_cell_hint.h"
#include "ui/grid/sheet_grid.h"
#include "ui/text/bytetext.h"
#include "ui/text/formula_bar.h"
#include "ui/window/status_panels.h"

#include <QLabel>

using tavlor::ui::toBytes;
using tavlor::ui::toText;

namespace {

// Clears a guard flag when its handler ends, also when the handler ends with an error.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : m_flag(flag) { m_flag = true; }
    ~FlagScope() { m_flag = false; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& m_flag;
};
} // namespace

void TForm1::SSelectCell(int ACol, int ARow, bool& CanSelect) {
    (void)CanSelect; // every cell may be selected
    FlagScope selecting(SelectSync);
    const tavlor::Sheet& sheet = m_document.sheet();
    showInFormulaBar(sheet.cell(ACol, ARow));
    hintHugeCell(ACol, ARow);
    m_StatusBar->setPanelText(2, QString::number(ARow));
    m_StatusBar->setPanelText(3, QString::number(ACol));
    m_Label1->setText(toText(sheet.cellName(ACol, ARow)));
    m_Label1->resize(kLabel1Width, m_Label1->height());
}

void TForm1::SSetEditText(int ACol, int ARow, const QString& Value) {
    (void)Value; // the cell already holds the editor's text
    m_document.cellEdited(ACol, ARow);
}

void TForm1::mirrorCell(int col, int row) {
    FlagScope syncing(EditTextSync);
    showInFormulaBar(m_document.sheet().cell(col, row));
}

void TForm1::SClick() {
    showInFormulaBar(m_document.sheet().cell(m_S->col(), m_S->row()));
}

void TForm1::LabeledEdit1Change() {
    // Only what the user typed is written back; a read-only bar shows part of a huge cell, which
    // must never be. The bar refuses characters the encoding cannot hold, so its text has bytes.
    std::optional<std::string> bytes;
    if (!EditTextSync && !SelectSync && !m_LabeledEdit1->isReadOnly())
        bytes = toBytes(m_LabeledEdit1->text(), m_document.codec());
    const bool written = bytes.has_value();
    const int col = m_S->col();
    const int row = m_S->row();
    m_document.formulaBarEdited(col, row, std::move(bytes));
    if (written)
        m_S->showCell(col, row);
}

void TForm1::hintSplitCell() {
    // The edit has reached the cell by now (or was refused): its bytes are the truth.
    const tavlor::Sheet& sheet = m_document.sheet();
    const tavlor::TextCodec& codec = m_document.codec();
    const std::string& cell = sheet.cell(m_S->col(), m_S->row());
    // The hint looks for ";" and line breaks among ASCII bytes, which UTF-16 does not keep.
    showCellHint(tavlor::splitCellHint(sheet.cellName(m_S->col(), m_S->row()),
                                       codec.keepsAsciiBytes() ? cell : codec.toUtf8(cell)));
}

void TForm1::hintHugeCell(int col, int row) {
    const std::string& cell = m_document.sheet().cell(col, row);
    showCellHint(tavlor::isHugeCell(cell)
                     ? tavlor::hugeCellHint(m_document.sheet().cellName(col, row))
                     : std::string());
}

void TForm1::showCellHint(const std::string& hint) {
    if (!hint.empty()) {
        m_cellHint = toText(hint);
        m_StatusBar->setPanelText(0, m_cellHint);
    } else if (!m_cellHint.isEmpty() && m_StatusBar->panelText(0) == m_cellHint) {
        m_StatusBar->setPanelText(0, QString());
    }
}

void TForm1::showInFormulaBar(const std::string& cell) {
    m_LabeledEdit1->setReadOnly(tavlor::isHugeCell(cell));
    m_LabeledEdit1->assign(tavlor::ui::editorText(cell, m_document.codec()));
}
