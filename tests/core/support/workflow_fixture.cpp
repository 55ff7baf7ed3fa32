#include "support/workflow_fixture.h"

#include "core/desktop/window_title.h"

namespace tavlor::test {

WorkflowFixture::WorkflowFixture() {
    temp.write("current.csv", "old;\r\n");
    temp.write("other.csv", "other;\r\n");
}

void WorkflowFixture::edit(int col, int row, const std::string& text) {
    view.select(col, row);
    view.typeInCell(text);
}

void WorkflowFixture::prepare(bool named, bool modified) {
    workflow.resetCaption();
    if (named) {
        ui.openPaths.push_back(temp.file("current.csv"));
        workflow.open();
    }
    if (modified)
        edit(1, 1, "edited");
    ASSERT_EQ(document.isModified(), modified);
    clearRecords();
}

void WorkflowFixture::clearRecords() {
    ui.prompts.clear();
    ui.savePresets.clear();
    ui.openDialogs = 0;
    ui.captions.clear();
    ui.warnings.clear();
    ui.events.clear();
}

std::string WorkflowFixture::captionFor(const std::string& fileName) const {
    return fileName.empty() ? std::string(WindowTitle::AppTitle)
                            : fileName + " - " + std::string(WindowTitle::AppTitle);
}

} // namespace tavlor::test
