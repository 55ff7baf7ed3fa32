#include "core/semicolon_reader.h"

#include "core/sheet.h"

#include <array>

namespace tavlor {

namespace {

// Bytes that end a piece, a line or the text.
constexpr std::array<bool, 256> kSpecial = [] {
    std::array<bool, 256> table{};
    table[static_cast<unsigned char>(';')] = true;
    table[static_cast<unsigned char>('\r')] = true;
    table[static_cast<unsigned char>('\n')] = true;
    table[0] = true;
    return table;
}();

} // namespace

SemicolonReader::SemicolonReader(Sheet& sheet) : m_sheet(sheet) {}

void SemicolonReader::feed(std::string_view bytes) {
    const char* p = bytes.data();
    const char* const end = p + bytes.size();
    while (p < end && !m_ended) {
        if (m_skipLf) {
            m_skipLf = false;
            if (*p == '\n') {
                ++p;
                continue;
            }
        }
        const char* run = p;
        while (p < end && !kSpecial[static_cast<unsigned char>(*p)])
            ++p;
        if (p != run) {
            m_lineOpen = true;
            m_pieceFilled = true;
            if (m_row <= kLastRow && m_col <= kLastCol)
                m_piece.append(run, static_cast<std::size_t>(p - run));
        }
        if (p == end)
            break;
        switch (*p++) {
        case ';':
            m_lineOpen = true;
            endPiece();
            ++m_col;
            break;
        case '\r':
            endLine();
            m_skipLf = true;
            break;
        case '\n':
            endLine();
            break;
        default: // NUL: the text ends here
            m_report.textAfterNulIgnored = true;
            finish();
            break;
        }
    }
}

void SemicolonReader::finish() {
    if (m_ended)
        return;
    if (m_lineOpen)
        endLine();
    m_ended = true;
}

void SemicolonReader::endPiece() {
    if (m_row <= kLastRow) {
        if (m_col <= kLastCol) {
            if (!m_piece.empty())
                m_sheet.setCell(m_col, m_row, std::move(m_piece));
        } else if (m_pieceFilled) {
            ++m_report.cellsBeyondLastColumn;
        }
    }
    m_piece.clear();
    m_pieceFilled = false;
}

void SemicolonReader::endLine() {
    endPiece();
    if (m_row > kLastRow)
        ++m_report.linesBeyondLastRow;
    else
        ++m_row;
    m_col = 1;
    m_lineOpen = false;
}

LoadReport parseSemicolonText(std::string_view text, Sheet& sheet) {
    SemicolonReader reader(sheet);
    reader.feed(text);
    reader.finish();
    return reader.report();
}

} // namespace tavlor
