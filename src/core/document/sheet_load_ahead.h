#pragma once

#include "core/format/load_report.h"
#include "core/sheet/sheet.h"
#include "core/text/text_encoding.h"

#include <string>
#include <thread>

namespace tavlor {

/** The start-up file read ahead on a thread of its own while the window is being built: its cells,
 *  the reader's report with the file's stamp, and the encoding found. SheetDocument::Ac adopts it
 *  when it loads the same path and the file still has the identity it had when it was read. */
class SheetLoadAhead {
public:
    /** Starts reading path. */
    explicit SheetLoadAhead(std::string path);
    /** Waits for the read. */
    ~SheetLoadAhead();
    SheetLoadAhead(const SheetLoadAhead&) = delete;
    SheetLoadAhead& operator=(const SheetLoadAhead&) = delete;

    /** Waits until the read has ended. It holds the file (a shared lock) until then. */
    void wait();

    /** After wait(): whether the load of path can be taken from here. False when the read failed
     *  (a load of its own then meets the same error), when it was taken already, or when the file
     *  path names now is not the one read (another file, or changed since). */
    bool fits(const std::string& path) const;
    /** After fits(): moves the cells into sheet, whose data cells must be empty and which must not
     *  be journalling; the report and encoding stay here. */
    void moveInto(Sheet& sheet);
    const LoadReport& report() const { return m_report; }
    TextEncoding encoding() const { return m_encoding; }

private:
    void read();

    const std::string m_path;
    Sheet m_sheet;
    LoadReport m_report;
    TextEncoding m_encoding = TextEncoding::Utf8;
    bool m_read = false;  // the whole load ran without an error
    bool m_taken = false; // the cells went to a document
    std::thread m_reader;
};

} // namespace tavlor
