#include "core/sheet/sheet.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace tavlor {

namespace {

constexpr std::size_t kCellCount = std::size_t{Sheet::kColumns} * Sheet::kRows;

// The data cell that follows index in content order (column 0 holds headers and is skipped).
std::size_t nextDataIndex(std::size_t index) {
    ++index;
    if (index % Sheet::kColumns == 0)
        ++index;
    return index;
}

} // namespace

Sheet::Sheet()
    : m_rowHeaders(kRows), m_colHeaders(kColumns), m_rowFilled(kRows, 0), m_colFilled(kColumns, 0),
      m_journalled(kCellCount, false) {
    // Reserved memory is not touched until a row is made in it.
    m_cells.reserve(kCellCount);
}

void Sheet::checkRange(int col, int row) const {
    if (col < 0 || col >= kColumns || row < 0 || row >= kRows)
        throw std::out_of_range("cell (" + std::to_string(col) + ", " + std::to_string(row) +
                                ") is outside the sheet");
}

const std::string& Sheet::edgeCell(int col, int row) const {
    checkRange(col, row);
    if (col == 0)
        return m_rowHeaders[static_cast<std::size_t>(row)];
    if (row == 0)
        return m_colHeaders[static_cast<std::size_t>(col)];
    return kNoText;
}

void Sheet::setCell(int col, int row, std::string text) {
    if (isDataCell(col, row)) {
        writeDataCell(indexOf(col, row), col, row, std::move(text));
        return;
    }
    checkRange(col, row);
    if (col == 0)
        m_rowHeaders[static_cast<std::size_t>(row)] = std::move(text);
    else if (row == 0)
        m_colHeaders[static_cast<std::size_t>(col)] = std::move(text);
}

std::string& Sheet::dataCell(std::size_t index, int row) {
    if (index >= m_cells.size()) [[unlikely]]
        makeRowsUpTo(row);
    return m_cells[index];
}

void Sheet::makeRowsUpTo(int row) {
    m_cells.resize(indexOf(0, row + 1));
}

void Sheet::writeDataCell(std::size_t index, int col, int row, std::string&& text) {
    std::string& current = dataCell(index, row);
    if (current == text)
        return;
    const bool wasFilled = !current.empty();
    const bool nowFilled = !text.empty();
    m_contentBytes = m_contentBytes - current.size() + text.size();
    if (m_journalling && !m_journalled[index]) {
        m_journalled[index] = true;
        m_journal.push_back({static_cast<std::uint32_t>(index), std::move(current)});
    }
    current = std::move(text);
    if (wasFilled == nowFilled)
        return;
    if (nowFilled) {
        ++m_filledCells;
        ++m_rowFilled[row];
        ++m_colFilled[col];
        m_rowBound = std::max(m_rowBound, row);
        m_colBound = std::max(m_colBound, col);
    } else {
        --m_filledCells;
        --m_rowFilled[row];
        --m_colFilled[col];
    }
}

void Sheet::loadCell(int col, int row, std::string_view text) {
    const std::size_t index = indexOf(col, row);
    std::string& current = dataCell(index, row);
    if (!current.empty() || text.empty() || (m_journalling && !m_journalled[index])) {
        writeDataCell(index, col, row, std::string(text));
        return;
    }
    current.assign(text);
    m_contentBytes += text.size();
    ++m_filledCells;
    ++m_rowFilled[row];
    ++m_colFilled[col];
    m_rowBound = std::max(m_rowBound, row);
    m_colBound = std::max(m_colBound, col);
}

void Sheet::writeHeaders() {
    for (int r = 1; r <= kLastRow; ++r)
        m_rowHeaders[static_cast<std::size_t>(r)] = std::to_string(r);
    for (int c = 1; c <= kLastCol; ++c)
        m_colHeaders[static_cast<std::size_t>(c)] = std::string(1, static_cast<char>(64 + c));
    m_rowHeaders[0].clear();
}

std::string Sheet::cellName(int col, int row) const {
    return cell(col, 0) + cell(0, row);
}

void Sheet::clearData() {
    if (m_journalling) {
        // Every old text goes to the journal, so the change check can still compare.
        for (int r = 1; r <= m_rowBound && m_filledCells > 0; ++r) {
            if (m_rowFilled[r] == 0)
                continue;
            for (int c = 1; c <= m_colBound; ++c) {
                const std::size_t index = indexOf(c, r);
                if (!m_cells[index].empty())
                    writeDataCell(index, c, r, std::string());
            }
        }
        return;
    }
    for (int r = 1; r <= m_rowBound; ++r) {
        if (m_rowFilled[r] == 0)
            continue;
        for (int c = 1; c <= m_colBound; ++c) {
            std::string& cell = m_cells[indexOf(c, r)];
            if (cell.capacity() > 15)
                std::string().swap(cell); // gives long texts' memory back
            else
                cell.clear();
        }
        m_rowFilled[r] = 0;
    }
    std::fill(m_colFilled.begin(), m_colFilled.end(), 0);
    m_filledCells = 0;
    m_contentBytes = 0;
}

void Sheet::Genislik() {
    // The bounds only grow on writes; shrink them here past rows/columns that emptied since.
    while (m_rowBound > 0 && m_rowFilled[m_rowBound] == 0)
        --m_rowBound;
    while (m_colBound > 0 && m_colFilled[m_colBound] == 0)
        --m_colBound;
    m_maxRow = m_rowBound;
    m_maxCol = m_colBound;
}

std::string Sheet::totalsText() const {
    return "Total Rows:" + std::to_string(m_maxRow) + " Total Cols:" + std::to_string(m_maxCol);
}

std::string Sheet::contentText() const {
    std::string text;
    text.reserve(m_contentBytes);
    for (int r = 1; r <= m_rowBound; ++r) {
        if (m_rowFilled[r] == 0)
            continue;
        for (int c = 1; c <= m_colBound; ++c)
            text += m_cells[indexOf(c, r)];
    }
    return text;
}

void Sheet::swapData(Sheet& from) {
    if (m_journalling || from.m_journalling)
        throw std::logic_error("a journalling sheet cannot swap its cells");
    m_cells.swap(from.m_cells);
    m_rowFilled.swap(from.m_rowFilled);
    m_colFilled.swap(from.m_colFilled);
    std::swap(m_rowBound, from.m_rowBound);
    std::swap(m_colBound, from.m_colBound);
    std::swap(m_contentBytes, from.m_contentBytes);
    std::swap(m_filledCells, from.m_filledCells);
    std::swap(m_maxRow, from.m_maxRow);
    std::swap(m_maxCol, from.m_maxCol);
}

void Sheet::restartJournal() {
    for (const JournalEntry& entry : m_journal)
        m_journalled[entry.index] = false;
    m_journal.clear();
    if (m_journal.capacity() > 4096)
        m_journal.shrink_to_fit();
    m_journalling = true;
}

void Sheet::stopJournal() {
    restartJournal();
    m_journalling = false;
}

bool Sheet::contentEqualsJournalBase() const {
    // Only the journalled cells can differ from the base; all text before the first and after the
    // last of them is common to both, so comparing the joined texts over that range decides it.
    struct Change {
        std::size_t index;
        const std::string* oldText;
    };
    std::vector<Change> changes;
    std::int64_t lengthDelta = 0;
    for (const JournalEntry& entry : m_journal) {
        const std::string& now = m_cells[entry.index];
        if (now == entry.oldText)
            continue;
        changes.push_back({entry.index, &entry.oldText});
        lengthDelta +=
            static_cast<std::int64_t>(now.size()) - static_cast<std::int64_t>(entry.oldText.size());
    }
    if (changes.empty())
        return true;
    if (lengthDelta != 0)
        return false;
    std::sort(changes.begin(), changes.end(),
              [](const Change& a, const Change& b) { return a.index < b.index; });
    const std::size_t last = changes.back().index;

    // A position in one of the two joined texts: the cell, the offset in it, and the next change
    // at or after that cell.
    struct Cursor {
        std::size_t cell;
        std::size_t offset = 0;
        std::size_t nextChange = 0;
        bool base;
    };
    auto isChangedCell = [&](const Cursor& c) {
        return c.nextChange < changes.size() && changes[c.nextChange].index == c.cell;
    };
    auto text = [&](const Cursor& c) -> const std::string& {
        return c.base && isChangedCell(c) ? *changes[c.nextChange].oldText : m_cells[c.cell];
    };
    auto moveTo = [&](Cursor& c, std::size_t cell) {
        c.cell = cell;
        c.offset = 0;
        while (c.nextChange < changes.size() && changes[c.nextChange].index < cell)
            ++c.nextChange;
    };
    auto skipExhausted = [&](Cursor& c) {
        while (c.cell <= last && c.offset == text(c).size())
            moveTo(c, nextDataIndex(c.cell));
    };

    Cursor base{changes.front().index, 0, 0, true};
    Cursor now{changes.front().index, 0, 0, false};
    for (;;) {
        skipExhausted(base);
        skipExhausted(now);
        const bool baseDone = base.cell > last;
        const bool nowDone = now.cell > last;
        if (baseDone || nowDone)
            return baseDone && nowDone;
        if (base.cell == now.cell && base.offset == 0 && now.offset == 0 && !isChangedCell(now)) {
            // Both texts are at the start of the same unchanged cell: the run up to the next
            // change is identical on both sides.
            const std::size_t target = changes[now.nextChange].index;
            moveTo(base, target);
            moveTo(now, target);
            continue;
        }
        const std::string& a = text(base);
        const std::string& b = text(now);
        const std::size_t n = std::min(a.size() - base.offset, b.size() - now.offset);
        if (std::memcmp(a.data() + base.offset, b.data() + now.offset, n) != 0)
            return false;
        base.offset += n;
        now.offset += n;
    }
}

} // namespace tavlor
