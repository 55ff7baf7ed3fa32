// The handlers that keep the formula bar, the cell-name label and the status panels in step with
// the grid's current cell, and that hand every edit of the user's to the document.
#include "ui/view/window_sheet_view.h"

#include "core/document/sheet_document.h"
#include "core/sheet/cell_size_limit.h"
#include "core/sheet/split_cell_hint.h"
#include "ui/grid/cell_editor.h"
#include "ui/grid/sheet_grid.h"
#include "ui/text/bytetext.h"
#include "ui/text/formula_bar.h"
#include "ui/view/status_panels.h"

#include <QLabel>

#include <initializer_list>
#include <optional>
#include <utility>

namespace tavlor::ui {

// Says who changes the formula bar while it lives, also when its handler ends with an error.
class WindowSheetView::BarChangeScope {
public:
    BarChangeScope(BarChange& state, BarChange change) : m_state(state), m_before(state) {
        m_state = change;
    }
    ~BarChangeScope() { m_state = m_before; }
    BarChangeScope(const BarChangeScope&) = delete;
    BarChangeScope& operator=(const BarChangeScope&) = delete;

private:
    BarChange& m_state;
    BarChange m_before;
};

WindowSheetView::WindowSheetView(tavlor::SheetDocument& document, const Controls& controls,
                                 Window window, QObject* parent)
    : QObject(parent), m_document(document), m_controls(controls), m_window(std::move(window)) {
    connectControls();
}

void WindowSheetView::connectControls() {
    SheetGrid* grid = m_controls.grid;
    const auto guard = [this](const std::function<void()>& body) { m_window.guard(body); };
    connect(grid, &SheetGrid::selectCell, this,
            [this, guard](int col, int row, bool*) { guard([&] { selectCell(col, row); }); });
    connect(grid, &SheetGrid::setEditText, this,
            [this, guard](int col, int row, const QString& text) {
                guard([&] { editorTextGiven(col, row, text); });
            });
    connect(grid, &SheetGrid::cellClick, this, [this, guard] { guard([this] { cellClicked(); }); });
    connect(m_controls.formulaBar, &QLineEdit::textChanged, this,
            [this, guard] { guard([this] { formulaBarChanged(); }); });
    for (QLineEdit* box : std::initializer_list<QLineEdit*>{grid->editor(), m_controls.formulaBar})
        connect(box, &QLineEdit::textEdited, this,
                [this, guard] { guard([this] { hintSplitCell(); }); });
}

void WindowSheetView::selectCell(int col, int row) {
    BarChangeScope selecting(m_barChange, BarChange::Shown);
    const tavlor::Sheet& sheet = m_document.sheet();
    showInFormulaBar(sheet.cell(col, row));
    hintHugeCell(col, row);
    m_controls.panels->setPanelText(2, QString::number(row));
    m_controls.panels->setPanelText(3, QString::number(col));
    m_controls.cellName->setText(toText(sheet.cellName(col, row)));
    m_controls.cellName->resize(m_controls.cellNameWidth, m_controls.cellName->height());
}

void WindowSheetView::editorTextGiven(int col, int row, const QString& text) {
    // A huge cell is only shown in part (read-only): its part must never be written back.
    std::optional<std::string> bytes;
    if (!m_controls.grid->editor()->isReadOnly()) {
        bytes = toBytes(text, m_document.codec());
        // The editor refuses characters the encoding cannot hold; should one get in, the cell
        // keeps its bytes and the editor shows them again.
        if (!bytes)
            m_controls.grid->showCell(col, row);
    }
    m_document.cellEdited(col, row, std::move(bytes), tavlor::EditSource::InCell);
}

void WindowSheetView::cellClicked() {
    SheetGrid* grid = m_controls.grid;
    showInFormulaBar(m_document.sheet().cell(grid->col(), grid->row()));
}

void WindowSheetView::formulaBarChanged() {
    if (m_barChange == BarChange::Quiet)
        return; // the document takes care of the edit it shows
    // Only what the user typed is written back; a read-only bar shows part of a huge cell, which
    // must never be. The bar refuses characters the encoding cannot hold, so its text has bytes.
    std::optional<std::string> bytes;
    if (m_barChange == BarChange::ByUser && !m_controls.formulaBar->isReadOnly())
        bytes = toBytes(m_controls.formulaBar->text(), m_document.codec());
    m_document.cellEdited(m_controls.grid->col(), m_controls.grid->row(), std::move(bytes),
                          tavlor::EditSource::FormulaBar);
}

void WindowSheetView::showEditedCell(int col, int row, tavlor::EditSource source) {
    if (source == tavlor::EditSource::FormulaBar) {
        m_controls.grid->showCell(col, row);
        return;
    }
    m_controls.grid->redrawCell(col, row);
    BarChangeScope quiet(m_barChange, BarChange::Quiet);
    showInFormulaBar(m_document.sheet().cell(col, row));
}

void WindowSheetView::mirrorCell(int col, int row) {
    BarChangeScope mirroring(m_barChange, BarChange::Shown);
    showInFormulaBar(m_document.sheet().cell(col, row));
}

// The sheet routines assign the current cell after they rewrote the sheet (clear, load).
void WindowSheetView::setCurrentCol(int col) {
    m_controls.grid->setCol(col);
    m_controls.grid->resyncWithSheet();
}

void WindowSheetView::setCurrentRow(int row) {
    SheetGrid* grid = m_controls.grid;
    grid->setRow(row);
    grid->resyncWithSheet();
    hintHugeCell(grid->col(), grid->row());
}

void WindowSheetView::clearFormulaBar() {
    m_controls.formulaBar->setReadOnly(false);
    m_controls.formulaBar->assign(QString());
}

void WindowSheetView::forgetEditHistory() {
    // setText drops a box's undo history also when the text stays the same (then no change event).
    for (QLineEdit* box :
         std::initializer_list<QLineEdit*>{m_controls.formulaBar, m_controls.grid->editor()})
        box->setText(box->text());
}

void WindowSheetView::showModified(bool modified) {
    m_controls.panels->setPanelText(1, modified ? QStringLiteral("Modified") : QString());
}

void WindowSheetView::showTotals(const std::string& text) {
    m_controls.panels->setPanelText(4, toText(text));
}

void WindowSheetView::contentChanged() {
    m_window.contentChanged();
}

void WindowSheetView::showEncoding(tavlor::TextEncoding encoding) {
    m_window.showEncoding(encoding);
}

void WindowSheetView::hintSplitCell() {
    // The edit has reached the cell by now (or was refused): its bytes are the truth.
    const tavlor::Sheet& sheet = m_document.sheet();
    const tavlor::TextCodec& codec = m_document.codec();
    const int col = m_controls.grid->col();
    const int row = m_controls.grid->row();
    const std::string& cell = sheet.cell(col, row);
    // The hint looks for ";" and line breaks among ASCII bytes, which UTF-16 does not keep.
    showCellHint(tavlor::splitCellHint(sheet.cellName(col, row),
                                       codec.keepsAsciiBytes() ? cell : codec.toUtf8(cell)));
}

void WindowSheetView::hintHugeCell(int col, int row) {
    const std::string& cell = m_document.sheet().cell(col, row);
    showCellHint(tavlor::isHugeCell(cell)
                     ? tavlor::hugeCellHint(m_document.sheet().cellName(col, row))
                     : std::string());
}

void WindowSheetView::showCellHint(const std::string& hint) {
    StatusPanels* panels = m_controls.panels;
    if (!hint.empty()) {
        m_cellHint = toText(hint);
        panels->setPanelText(0, m_cellHint);
    } else if (!m_cellHint.isEmpty() && panels->panelText(0) == m_cellHint) {
        panels->setPanelText(0, QString());
    }
}

void WindowSheetView::showInFormulaBar(const std::string& cell) {
    m_controls.formulaBar->setReadOnly(tavlor::isHugeCell(cell));
    m_controls.formulaBar->assign(editorText(cell, m_document.codec()));
}

} // namespace tavlor::ui
