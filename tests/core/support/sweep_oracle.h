#pragma once

#include "core/sheet/sheet.h"

#include <cstdint>
#include <string>

namespace tavlor::test {

/** The straightforward reference: sweeps every data cell for the extent and keeps the content
 *  snapshot as a full copy of the joined text, exactly as the routines are described. */
class SweepOracle {
public:
    struct Extent {
        std::int64_t maxRow = 0;
        std::int64_t maxCol = 0;
    };

    /** MaxRow and MaxCol by a full sweep of rows 1..9999, columns 1..26. */
    static Extent extent(const Sheet& sheet);
    static std::string totalsText(const Sheet& sheet);
    /** The joined text of all data cells, built cell by cell. */
    static std::string content(const Sheet& sheet);

    /** The change check: returns whether the content differs from the snapshot; snapshot :=
     * content. */
    bool changeCheck(const Sheet& sheet);
    void takeSnapshot(const Sheet& sheet) { m_snapshot = content(sheet); }
    void resetSnapshot() { m_snapshot.clear(); }
    const std::string& snapshot() const { return m_snapshot; }

private:
    std::string m_snapshot;
};

} // namespace tavlor::test
