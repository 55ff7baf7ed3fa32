#pragma once

#include "core/document/sheet_view.h"
#include "core/files/file_stamp.h"
#include "core/format/load_report.h"
#include "core/sheet/content_snapshot.h"
#include "core/sheet/sheet.h"
#include "core/text/text_encoding.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>

namespace tavlor {

class SheetLoadAhead;

/** The sheet with its change tracking and the routines that clear, load, write and measure it,
 *  reporting to the window through SheetView. */
class SheetDocument {
public:
    explicit SheetDocument(SheetView* view = nullptr);
    SheetDocument(const SheetDocument&) = delete;
    SheetDocument& operator=(const SheetDocument&) = delete;

    void setView(SheetView* view) { m_view = view; }
    Sheet& sheet() { return m_sheet; }
    const Sheet& sheet() const { return m_sheet; }

    SheetView* view() const { return m_view; }

    /** Genislik: recompute the used extent and show the totals text in panel 4. */
    void Genislik();
    /** The change check: content differs from ContentSnapshot -> modified (sticky); snapshot =
     * content. */
    void changeCheck();
    /** An edit of cell (col, row) in source enters the document here, once. The user's bytes, when
     *  given, become the cell and the other views show it (SheetView::showEditedCell); then
     *  Genislik and the change check. No bytes come when the formula bar shows what the program put
     *  there or part of a huge cell: then only Genislik and the change check run. From the in-cell
     *  editor, no bytes or those the cell holds are no edit (the editor left a cell it had stored,
     *  or its text was refused): the formula bar shows the cell again (SheetView::mirrorCell), then
     *  Genislik. */
    void cellEdited(int col, int row, std::optional<std::string> bytes, EditSource source);
    /** Snapshot := current content (end of a load). */
    void takeSnapshot();
    /** Snapshot := empty text (start-up, Sil). */
    void resetSnapshot();
    bool isModified() const;
    /** Clears the modified flag (panel 1 empty). */
    void markUnmodified();

    /** Sil: empty the formula bar, clear every data cell, current cell to A1, both editors without
     *  undo history, Genislik, reset the snapshot, mark unmodified. */
    void Sil();
    /** Ac: load the semicolon file at path (Sil first, even when the open fails). Throws FileError
     *  with "Cannot open file "%s". %s" when it cannot be opened or read. Returns what of the file
     *  did not fit in the sheet. The cells come from ahead when it read the same file unchanged
     *  (it must have ended: SheetLoadAhead::wait). */
    LoadReport Ac(const std::string& path, SheetLoadAhead* ahead = nullptr);
    /** The encoding the document's bytes are read in: detected by every load, UTF-8 after Sil. */
    TextEncoding encoding() const { return m_codec.encoding(); }
    const TextCodec& codec() const { return m_codec; }
    /** Reads the same bytes in another encoding: no cell and no modified flag changes. */
    void setEncoding(TextEncoding encoding);
    /** The first data cell, row by row, whose bytes are no whole number of the encoding's code
     *  units (an odd count in UTF-16), as (col, row); nothing when every cell can be read in it.
     *  Read in that encoding, such a cell's last byte would change at its first edit. */
    std::optional<std::pair<int, int>> cellNotInUnitsOf(TextEncoding encoding) const;
    /** Rewrites every cell that is not plain ASCII as UTF-8 and makes the document UTF-8; the
     *  change check then marks it modified when a byte changed. */
    void convertToUtf8();

    /** Brings back unsaved work: Sil, fill puts the kept cells into the emptied sheet (loadCell),
     *  the document reads them in encoding and is modified. */
    void restore(TextEncoding encoding, const std::function<void(Sheet&)>& fill);

    /** Kaydet: write rows 1..max(MaxRow,1) x columns 1..max(MaxCol,1), safely replacing the file.
     *  Throws FileError ("Cannot create file "%s". %s" or "Stream write error"). Returns the stamp
     *  of the file as written. */
    FileStamp Kaydet(const std::string& path) const;

    /** How often Genislik and the change check ran (for tests of the handler chains). */
    std::uint64_t extentRuns() const { return m_extentRuns; }
    std::uint64_t changeChecks() const { return m_changeChecks; }

private:
    /** The end of a load, once the cells are in: the encoding, the current cell, the extent and
     *  the snapshot. */
    LoadReport finishLoad(TextEncoding encoding, LoadReport report);

    Sheet m_sheet;
    TextCodec m_codec;
    ContentSnapshot m_snapshot;
    bool m_modified = false;
    SheetView* m_view = nullptr;
    std::uint64_t m_extentRuns = 0;
    std::uint64_t m_changeChecks = 0;
};

} // namespace tavlor
