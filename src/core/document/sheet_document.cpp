#include "core/document/sheet_document.h"

#include "core/document/sheet_load_ahead.h"
#include "core/document/sheet_view.h"
#include "core/format/file_reader.h"
#include "core/format/semicolon_reader.h"
#include "core/format/semicolon_writer.h"
#include "core/save/safe_file_writer.h"
#include "core/text/utf8.h"

#include <utility>

namespace tavlor {

SheetDocument::SheetDocument(SheetView* view) : m_view(view) {}

void SheetDocument::Genislik() {
    ++m_extentRuns;
    m_sheet.Genislik();
    if (m_view)
        m_view->showTotals(m_sheet.totalsText());
}

void SheetDocument::changeCheck() {
    ++m_changeChecks;
    const bool changed = !m_snapshot.matches(m_sheet);
    m_snapshot.take(m_sheet);
    if (changed && !m_modified) {
        m_modified = true;
        if (m_view)
            m_view->showModified(true);
    }
    if (changed && m_view)
        m_view->contentChanged();
}

void SheetDocument::cellEdited(int col, int row, std::optional<std::string> bytes,
                               EditSource source) {
    if (source == EditSource::InCell && (!bytes || *bytes == m_sheet.cell(col, row))) {
        if (m_view)
            m_view->mirrorCell(col, row);
        Genislik();
        return;
    }
    if (bytes) {
        m_sheet.setCell(col, row, std::move(*bytes));
        if (m_view)
            m_view->showEditedCell(col, row, source);
    }
    Genislik();
    changeCheck();
}

void SheetDocument::takeSnapshot() {
    m_snapshot.take(m_sheet);
}

void SheetDocument::resetSnapshot() {
    m_snapshot.reset(m_sheet);
}

bool SheetDocument::isModified() const {
    return m_modified;
}

void SheetDocument::markUnmodified() {
    if (!m_modified)
        return;
    m_modified = false;
    if (m_view)
        m_view->showModified(false);
}

void SheetDocument::Sil() {
    // Emptying the formula bar runs its change handling: "" into the current cell, Genislik, check.
    if (m_view)
        m_view->clearFormulaBar();
    // The snapshot becomes the empty text below anyway; dropping it before the cells are cleared
    // spares recording the old text of every cell for a comparison nobody will make.
    m_snapshot.reset(m_sheet);
    m_sheet.clearData();
    setEncoding(TextEncoding::Utf8);
    if (m_view) {
        m_view->setCurrentCol(1);
        m_view->setCurrentRow(1);
        m_view->forgetEditHistory();
    }
    Genislik();
    resetSnapshot();
    markUnmodified();
}

LoadReport SheetDocument::Ac(const std::string& path, SheetLoadAhead* ahead) {
    Sil();
    if (ahead != nullptr && ahead->fits(path)) {
        ahead->moveInto(m_sheet);
        return finishLoad(ahead->encoding(), ahead->report());
    }
    SemicolonReader reader(m_sheet);
    FileStamp stamp;
    try {
        stamp = readFileInto(path, reader);
    } catch (...) {
        // A file that failed part-way leaves the sheet as Sil left it: empty.
        m_sheet.clearData();
        throw;
    }
    LoadReport report = reader.report();
    report.file = stamp;
    return finishLoad(reader.markedEncoding().value_or(detectEncoding(m_sheet)), report);
}

LoadReport SheetDocument::finishLoad(TextEncoding encoding, LoadReport report) {
    // Before the current cell is set, so the window shows the loaded text in its encoding.
    setEncoding(encoding);
    if (m_view) {
        m_view->setCurrentCol(1);
        m_view->setCurrentRow(1);
    }
    Genislik();
    takeSnapshot();
    return report;
}

void SheetDocument::restore(TextEncoding encoding, const std::function<void(Sheet&)>& fill) {
    Sil();
    fill(m_sheet);
    finishLoad(encoding, LoadReport());
    m_modified = true;
    if (m_view)
        m_view->showModified(true);
}

void SheetDocument::setEncoding(TextEncoding encoding) {
    if (encoding == m_codec.encoding())
        return;
    m_codec = TextCodec(encoding);
    if (m_view)
        m_view->showEncoding(encoding);
}

std::optional<std::pair<int, int>> SheetDocument::cellNotInUnitsOf(TextEncoding encoding) const {
    const std::size_t unit = TextCodec(encoding).unitSize();
    if (unit == 1)
        return std::nullopt;
    for (int row = 1; row <= Sheet::kLastRow; ++row) {
        const std::string* cells = m_sheet.rowCells(row);
        for (int col = 1; col <= Sheet::kLastCol; ++col)
            if (cells[col].size() % unit != 0)
                return std::pair{col, row};
    }
    return std::nullopt;
}

void SheetDocument::convertToUtf8() {
    if (m_codec.isUtf8())
        return;
    for (int row = 1; row <= Sheet::kLastRow; ++row) {
        for (int col = 1; col <= Sheet::kLastCol; ++col) {
            const std::string& text = m_sheet.cell(col, row);
            if (!text.empty() && (!m_codec.keepsAsciiBytes() || !isPlainAscii(text)))
                m_sheet.setCell(col, row, m_codec.toUtf8(text));
        }
    }
    setEncoding(TextEncoding::Utf8);
    changeCheck();
}

FileStamp SheetDocument::Kaydet(const std::string& path) const {
    return writeFileSafely(path, semicolonText(m_sheet, m_codec));
}

} // namespace tavlor
