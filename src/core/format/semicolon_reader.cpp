#include "core/format/semicolon_reader.h"

#include "core/sheet/sheet.h"
#include "core/text/text_encoding.h"

#include <algorithm>
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
const char* skipSemicolonBytes(const char* p, const char* const end) {
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

// The code units of 8-bit and UTF-8 text: bytes, searched many at a time.
struct SemicolonReader::ByteUnits {
    static constexpr std::size_t kSize = 1;
    static const char* findStop(const char* p, const char* end) { return findStopByte(p, end); }
    static const char* skipSemicolons(const char* p, const char* end) {
        return skipSemicolonBytes(p, end);
    }
    static char16_t at(const char* p) { return static_cast<unsigned char>(*p); }
};

// The code units of UTF-16 text in one byte order: two bytes each, the text's length even.
struct SemicolonReader::Utf16Units {
    static constexpr std::size_t kSize = 2;
    bool bigEndian = false;
    char16_t at(const char* p) const {
        const auto first = static_cast<unsigned char>(p[0]);
        const auto second = static_cast<unsigned char>(p[1]);
        return static_cast<char16_t>(bigEndian ? first << 8 | second : second << 8 | first);
    }
    const char* findStop(const char* p, const char* end) const {
        for (; p < end; p += kSize) {
            const char16_t unit = at(p);
            if (unit == ';' || unit == '\r' || unit == '\n' || unit == 0)
                return p;
        }
        return end;
    }
    const char* skipSemicolons(const char* p, const char* end) const {
        while (p < end && at(p) == ';')
            p += kSize;
        return p;
    }
};

SemicolonReader::SemicolonReader(Sheet& sheet) : m_sheet(sheet) {}

void SemicolonReader::feed(std::string_view bytes) {
    if (m_lookingForMark) {
        // The first two bytes say whether the text is UTF-16 (its mark is not part of any cell).
        const std::size_t take = std::min(bytes.size(), 2 - m_carry.size());
        m_carry.append(bytes.substr(0, take));
        bytes.remove_prefix(take);
        if (m_carry.size() < 2)
            return;
        m_lookingForMark = false;
        for (const TextEncoding encoding : kTextEncodings) {
            if (!TextCodec::byteOrderMarkOf(encoding).empty() &&
                m_carry == TextCodec::byteOrderMarkOf(encoding))
                m_marked = encoding;
        }
        const std::string head = std::move(m_carry);
        m_carry.clear();
        if (!m_marked)
            scan(head, ByteUnits{});
    }
    if (!m_marked) {
        scan(bytes, ByteUnits{});
        return;
    }
    const Utf16Units units{*m_marked == TextEncoding::Utf16Be};
    if (!m_carry.empty() && !bytes.empty()) {
        // A unit whose first byte came with the previous bytes.
        const char unit[2] = {m_carry[0], bytes[0]};
        m_carry.clear();
        bytes.remove_prefix(1);
        scan(std::string_view(unit, 2), units);
    }
    if (bytes.size() % 2 != 0) {
        m_carry.assign(1, bytes.back());
        bytes.remove_suffix(1);
    }
    scan(bytes, units);
}

template <typename Units> void SemicolonReader::scan(std::string_view bytes, const Units& units) {
    const char* p = bytes.data();
    const char* const end = p + bytes.size();
    while (p < end && !m_ended) {
        if (m_skipLf) {
            m_skipLf = false;
            if (units.at(p) == '\n') {
                p += Units::kSize;
                continue;
            }
        }
        const char* const stop = units.findStop(p, end);
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
        p = stop + Units::kSize;
        switch (units.at(stop)) {
        case ';':
            m_lineOpen = true;
            endPiece(tail);
            // The count stops one past column Z, so no line, however long, can wrap it round.
            if (m_col <= kLastCol)
                ++m_col;
            else
                p = units.skipSemicolons(p, end); // empty pieces beyond Z have nothing to count
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
    if (!m_carry.empty()) {
        const std::string rest = std::move(m_carry);
        m_carry.clear();
        if (m_lookingForMark || !m_marked) {
            // One byte too few for a mark: it is a byte of the text.
            m_lookingForMark = false;
            scan(rest, ByteUnits{});
        } else if (m_row <= kLastRow) {
            // Half a UTF-16 character, from a file cut short. Kept in the last cell, it would
            // shift every separator written after it by one byte, and each save and reopening
            // would pull them into that cell as text. (Past the last row the text was not read
            // to its end: the byte is where a read stopped.)
            m_report.halfCharacterAtEndIgnored = true;
        }
    }
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
