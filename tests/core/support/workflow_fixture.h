#pragma once

#include "core/document/document_workflow.h"
#include "core/document/sheet_document.h"
#include "support/headless_sheet_view.h"
#include "support/scripted_document_ui.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace tavlor::test {

/** A document, the scripted UI and the workflow over them, with a fresh temp folder holding
 *  current.csv ("old") and other.csv ("other"). */
class WorkflowFixture : public ::testing::Test {
protected:
    static constexpr const char* kEdited = "edited;\r\n"; // what a write of the edited sheet gives

    WorkflowFixture();

    /** Types text into a cell the way the window's edit chain does (extent, then change check). */
    void edit(int col, int row, const std::string& text);
    /** Start-up caption, then optionally current.csv opened and A1 edited; records cleared. */
    void prepare(bool named, bool modified);
    /** Forgets what the scripted UI recorded so far. */
    void clearRecords();
    std::string a1() const { return document.sheet().cell(1, 1); }
    std::string captionFor(const std::string& fileName) const;

    TempFolder temp;
    std::filesystem::path folder{temp.path()};
    SheetDocument document;
    HeadlessSheetView view{document};
    ScriptedDocumentUi ui;
    DocumentWorkflow workflow{document, ui};
};

} // namespace tavlor::test
