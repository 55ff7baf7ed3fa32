#include "support/sweep_oracle.h"

namespace tavlor::test {

SweepOracle::Extent SweepOracle::extent(const Sheet& sheet) {
    Extent e;
    for (int r = 1; r <= Sheet::kLastRow; ++r) {
        const std::string* cells = sheet.rowCells(r);
        for (int c = 1; c <= Sheet::kLastCol; ++c)
            if (!cells[c].empty()) {
                if (r > e.maxRow)
                    e.maxRow = r;
                if (c > e.maxCol)
                    e.maxCol = c;
            }
    }
    return e;
}

std::string SweepOracle::totalsText(const Sheet& sheet) {
    const Extent e = extent(sheet);
    return "Total Rows:" + std::to_string(e.maxRow) + " Total Cols:" + std::to_string(e.maxCol);
}

std::string SweepOracle::content(const Sheet& sheet) {
    std::string text;
    for (int r = 1; r <= Sheet::kLastRow; ++r) {
        const std::string* cells = sheet.rowCells(r);
        for (int c = 1; c <= Sheet::kLastCol; ++c)
            text += cells[c];
    }
    return text;
}

bool SweepOracle::changeCheck(const Sheet& sheet) {
    std::string now = content(sheet);
    const bool differs = now != m_snapshot;
    m_snapshot = std::move(now);
    return differs;
}

} // namespace tavlor::test
