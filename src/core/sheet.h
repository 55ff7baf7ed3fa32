#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tavlor {

/** The one sheet: 27 x 10000 byte-string cells (row 0 and column 0 hold the headers) and its used extent. */
class Sheet {
public:
    static constexpr int kColumns = 27;  // 0..26; column 0 is the row header
    static constexpr int kRows = 10000;  // 0..9999; row 0 is the column header
    static constexpr int kLastCol = 26;  // Z
    static constexpr int kLastRow = 9999;
    static constexpr std::int64_t kDataCells = 26LL * 9999LL;  // 259,974

    Sheet();
    Sheet(const Sheet&) = delete;
    Sheet& operator=(const Sheet&) = delete;

    /** Any cell, headers included; cheap for empty and non-empty cells. Throws std::out_of_range
     *  outside 0..26 x 0..9999. */
    const std::string& cell(int col, int row) const;
    /** Writes any cell, headers included (the extent and change tracking count data cells only).
     *  Throws std::out_of_range outside the grid. */
    void setCell(int col, int row, std::string text);

    /** Row numbers 1..9999 into column 0, then letters A..Z into row 0; (0, 0) stays empty. */
    void writeHeaders();
    /** Column header text followed by row header text, e.g. "B7"; built from the header cells. */
    std::string cellName(int col, int row) const;

    /** Empties every data cell (columns 1..26, rows 1..9999); headers stay. */
    void clearData();

    /** Genislik: recompute the used extent (MaxRow, MaxCol). Cost follows the edits since the last
     *  call, not the size of the sheet. */
    void Genislik();
    /** Highest non-empty data row / column as of the last Genislik; 0 on an empty sheet. */
    std::int64_t MaxRow() const { return m_maxRow; }
    std::int64_t MaxCol() const { return m_maxCol; }
    /** "Total Rows:N Total Cols:M" for the last Genislik. */
    std::string totalsText() const;

    /** All data cells joined row by row, A..Z, with nothing between them. */
    std::string contentText() const;

    // Implementation details follow (private); the core owns their design.
private:
    std::int64_t m_maxRow = 0;
    std::int64_t m_maxCol = 0;
};

}  // namespace tavlor
