#pragma once

namespace tavlor {

class Sheet;

/** ContentSnapshot: the content text of the sheet as of the last change check, kept as a journal
 *  base in the sheet instead of a copy of the text. */
class ContentSnapshot {
public:
    /** Snapshot := the sheet's content text now. */
    void take(Sheet& sheet);
    /** Snapshot := the empty text. */
    void reset(Sheet& sheet);
    /** True when the sheet's content text equals the snapshot, byte for byte. */
    bool matches(const Sheet& sheet) const;

private:
    // True: the snapshot is the empty text. False: it is the sheet's journal base.
    bool m_emptyText = true;
};

} // namespace tavlor
