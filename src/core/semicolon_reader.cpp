#include "core/semicolon_reader.h"

#include "core/sheet.h"

#include <array>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tavlor {

namespace {

// Bytes that end a piece, a line or the text.
constexpr std::array<bool, 256> kStopByte = [] {
    std::array<bool, 256> table{};
    table[static_cast<unsigned char>(';')] = true;
    table[static_cast<unsigned char>('\r')] = true;
    table[static_cast<unsigned char>('\n')] = true;
    table[0] = true;
    return table;
}();

// The first byte in [p, end) that ends a piece, a line or the text; end when there is none.
const char* findStopByte(const char* p, const char* const end) {
#if defined(__SSE2__)
    const __m128i semicolon = _mm_set1_epi8(';');
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i nul = _mm_setzero_si128();
    while (end - p >= 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const __m128i hits =
            _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, semicolon), _mm_cmpeq_epi8(v, cr)),
                         _mm_or_si128(_mm_cmpeq_epi8(v, lf), _mm_cmpeq_epi8(v, nul)));
        const int mask = _mm_movemask_epi8(hits);
        if (mask != 0)
            return p + __builtin_ctz(static_cast<unsigned>(mask));
        p += 16;
    }
#endif
    while (p < end && !kStopByte[static_cast<unsigned char>(*p)])
        ++p;
    return p;
}

// The first byte in [p, end) that is not ";"; end when there is none.
const char* skipSemicolons(const char* p, const char* const end) {
#if defined(__SSE2__)
    const __m128i semicolon = _mm_set1_epi8(';');
    while (end - p >= 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const int mask = _mm_movemask_epi8(_mm_cmpeq_epi8(v, semicolon)) ^ 0xFFFF;
        if (mask != 0)
            return p + __builtin_ctz(static_cast<unsigned>(mask));
        p += 16;
    }
#endif
    while (p < end && *p == ';')
        ++p;
    return p;
}

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
        const char* const stop = findStopByte(p, end);
        if (stop == end) {
            // The piece goes on in the next bytes: keep what belongs to a cell.
            m_lineOpen = true;
            m_pieceFilled = true;
            if (m_row <= kLastRow && m_col <= kLastCol)
                m_piece.append(p, static_cast<std::size_t>(stop - p));
            return;
        }
        const std::string_view tail(p, static_cast<std::size_t>(stop - p));
        if (!tail.empty())
            m_lineOpen = true;
        p = stop + 1;
        switch (*stop) {
        case ';':
            m_lineOpen = true;
            endPiece(tail);
            // The count stops one past column Z, so no line, however long, can wrap it round.
            if (m_col <= kLastCol)
                ++m_col;
            else
                p = skipSemicolons(p, end); // empty pieces beyond Z have nothing to count
            break;
        case '\r':
            endLine(tail);
            m_skipLf = true;
            break;
        case '\n':
            endLine(tail);
            break;
        default: // NUL: the text ends here
            m_report.textAfterNulIgnored = true;
            if (m_lineOpen)
                endLine(tail);
            m_ended = true;
            break;
        }
    }
}

void SemicolonReader::finish() {
    if (m_ended)
        return;
    if (m_lineOpen)
        endLine({});
    m_ended = true;
}

void SemicolonReader::endPiece(std::string_view tail) {
    const bool filled = m_pieceFilled || !tail.empty();
    if (filled && m_row <= kLastRow) {
        if (m_col > kLastCol) {
            ++m_report.cellsBeyondLastColumn;
        } else if (m_piece.empty()) {
            m_sheet.loadCell(m_col, m_row, tail);
        } else {
            m_piece.append(tail);
            m_sheet.loadCell(m_col, m_row, m_piece);
        }
    }
    m_piece.clear();
    m_pieceFilled = false;
}

void SemicolonReader::endLine(std::string_view tail) {
    endPiece(tail);
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
