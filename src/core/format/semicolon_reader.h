#pragma once

#include "core/format/load_report.h"
#include "core/text/text_codec.h"

#include <optional>

#include <string>
#include <string_view>

namespace tavlor {

class Sheet;

/** Splits semicolon text, fed in pieces of any size, into the data cells of an emptied sheet:
 *  lines end at CR LF, a lone CR or a lone LF, a NUL ends the text, cells end at every ";".
 *  Nothing beyond row 9999 or column Z is stored; the report counts what was left out. Text that
 *  starts with a UTF-16 byte-order mark is split by its characters (two bytes each) instead of
 *  its bytes, and the cells get the bytes of their characters without the mark. */
class SemicolonReader {
public:
    /** The sheet's data cells must be empty: empty pieces are not written. */
    explicit SemicolonReader(Sheet& sheet);

    /** Consumes the next bytes of the text. Bytes after a NUL or after finish() are ignored. */
    void feed(std::string_view bytes);
    /** The end of the text: completes a last line that has no line end. */
    void finish();

    /** Line 9999 has ended: later lines can only be counted, never stored. */
    bool rowsComplete() const { return m_row > kLastRow; }
    /** The UTF-16 form whose byte-order mark starts the text; nothing for 8-bit text. */
    std::optional<TextEncoding> markedEncoding() const { return m_marked; }
    /** A NUL or finish() ended the text. */
    bool ended() const { return m_ended; }
    /** Marks that the text went on after the point where reading stopped. */
    void noteUnreadText() { m_report.moreLinesNotRead = true; }
    const LoadReport& report() const { return m_report; }

private:
    static constexpr int kLastRow = 9999;
    static constexpr int kLastCol = 26;

    struct ByteUnits;
    struct Utf16Units;
    // Splits text of whole code units.
    template <typename Units> void scan(std::string_view bytes, const Units& units);
    // Ends the current piece / line; tail is the part of it not yet copied to m_piece.
    void endPiece(std::string_view tail);
    void endLine(std::string_view tail);

    Sheet& m_sheet;
    int m_row = 1;              // the line being read; beyond kLastRow only lines are counted
    int m_col = 1;              // the piece being read within the line, at most kLastCol + 1
    std::string m_piece;        // earlier bytes of a piece that spans feeds (cells only)
    bool m_pieceFilled = false; // an earlier feed gave the current piece a byte
    bool m_lineOpen = false;    // at least one byte of the current line was read
    bool m_skipLf = false;      // the previous byte was a CR ending a line
    bool m_ended = false;
    bool m_lookingForMark = true;         // the first two bytes have not come yet
    std::optional<TextEncoding> m_marked; // UTF-16 in this byte order, by its mark
    std::string m_carry; // bytes kept back: the start of a mark, or half a UTF-16 unit
    LoadReport m_report;
};

/** Reads a whole text into the emptied sheet; the pure form of SemicolonReader. */
LoadReport parseSemicolonText(std::string_view text, Sheet& sheet);

} // namespace tavlor
