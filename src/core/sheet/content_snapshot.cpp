#include "core/sheet/content_snapshot.h"

#include "core/sheet/sheet.h"

namespace tavlor {

void ContentSnapshot::take(Sheet& sheet) {
    sheet.restartJournal();
    m_emptyText = false;
}

void ContentSnapshot::reset(Sheet& sheet) {
    // Comparing with the empty text needs only the content length; no journal is kept meanwhile.
    sheet.stopJournal();
    m_emptyText = true;
}

bool ContentSnapshot::matches(const Sheet& sheet) const {
    if (m_emptyText)
        return sheet.contentLength() == 0;
    return sheet.contentEqualsJournalBase();
}

} // namespace tavlor
