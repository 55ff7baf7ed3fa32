#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tavlor {

/** The one sheet: 27 x 10000 byte-string cells (row 0 and column 0 hold the headers) and its used
 * extent. The data cells exist up to the highest row written so far, so an empty sheet costs
 * little to make; the room for all of them is reserved at once, so no cell ever moves. */
class Sheet {
public:
    static constexpr int kColumns = 27; // 0..26; column 0 is the row header
    static constexpr int kRows = 10000; // 0..9999; row 0 is the column header
    static constexpr int kLastCol = 26; // Z
    static constexpr int kLastRow = 9999;
    static constexpr std::int64_t kDataCells = 26LL * 9999LL; // 259,974

    Sheet();
    Sheet(const Sheet&) = delete;
    Sheet& operator=(const Sheet&) = delete;

    /** Any cell, headers included; cheap for empty and non-empty cells. Throws std::out_of_range
     *  outside 0..26 x 0..9999. */
    const std::string& cell(int col, int row) const {
        if (isDataCell(col, row)) {
            const std::size_t index = indexOf(col, row);
            return index < m_cells.size() ? m_cells[index] : kNoText;
        }
        return edgeCell(col, row);
    }
    /** Writes any cell, headers included (the extent and change tracking count data cells only).
     *  Throws std::out_of_range outside the grid. */
    void setCell(int col, int row, std::string text);

    /** Writes data cell (col, row), 1..26 x 1..9999 (not checked), for the loader, which fills a
     *  cleared sheet: cheaper than setCell when the cell is still empty. */
    void loadCell(int col, int row, std::string_view text);
    /** The 27 cells of data row row, 1..9999 (not checked), from index 0, which is always empty
     *  (the row's header is cell(0, row)). For whole-sheet readers such as the file writer. */
    const std::string* rowCells(int row) const {
        const std::size_t index = indexOf(0, row);
        return index < m_cells.size() ? m_cells.data() + index : kNoRow;
    }

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
    /** Length in bytes of contentText(), kept up to date by every write. */
    std::size_t contentLength() const { return m_contentBytes; }
    /** Number of non-empty data cells right now. */
    std::int64_t filledCells() const { return m_filledCells; }

    /** Takes the data cells of from, which gets these ones; the headers stay. For a sheet loaded
     *  ahead (SheetLoadAhead). Neither sheet may be journalling: throws std::logic_error. */
    void swapData(Sheet& from);

    /** Starts recording the old text of every data cell written from now on (the journal base is
     *  the content as it is now); forgets what was recorded before. */
    void restartJournal();
    /** Stops recording and forgets the journal (nothing compares against a base any more). */
    void stopJournal();
    bool journalling() const { return m_journalling; }
    /** True when contentText() now equals contentText() at the last restartJournal(). Cost follows
     *  the cells written since then. Only meaningful while journalling. */
    bool contentEqualsJournalBase() const;

private:
    struct JournalEntry {
        std::uint32_t index = 0;
        std::string oldText;
    };

    static constexpr std::size_t indexOf(int col, int row) {
        return static_cast<std::size_t>(row) * kColumns + static_cast<std::size_t>(col);
    }
    static constexpr bool isDataCell(int col, int row) {
        return static_cast<unsigned>(col - 1) < unsigned{kLastCol} &&
               static_cast<unsigned>(row - 1) < unsigned{kLastRow};
    }
    // What the cells of a row not made yet hold.
    static inline const std::string kNoRow[kColumns];
    static constexpr const std::string& kNoText = kNoRow[0];
    // cell() for a header or a place outside the grid.
    const std::string& edgeCell(int col, int row) const;
    void checkRange(int col, int row) const;
    // The data cell at index, of row row, made with its row when the row did not exist yet.
    std::string& dataCell(std::size_t index, int row);
    [[gnu::noinline]] void makeRowsUpTo(int row);
    // Writes a data cell and keeps the counts, the byte total and the journal in step.
    void writeDataCell(std::size_t index, int col, int row, std::string&& text);

    std::vector<std::string> m_cells;       // row-major: index = row * kColumns + col; data rows
                                            // up to the highest one written (row 0 and column 0
                                            // stay empty)
    std::vector<std::string> m_rowHeaders;  // column 0, one per row
    std::vector<std::string> m_colHeaders;  // row 0, one per column
    std::vector<std::uint32_t> m_rowFilled; // non-empty data cells per row
    std::vector<std::uint32_t> m_colFilled; // non-empty data cells per column
    int m_rowBound = 0; // no data row above this one holds text (may still be empty itself)
    int m_colBound = 0; // same for columns
    std::size_t m_contentBytes = 0;
    std::int64_t m_filledCells = 0;

    bool m_journalling = false;
    std::vector<JournalEntry> m_journal; // first old text of each data cell written since the base
    std::vector<bool> m_journalled;      // per cell: already in m_journal

    std::int64_t m_maxRow = 0;
    std::int64_t m_maxCol = 0;
};

} // namespace tavlor
