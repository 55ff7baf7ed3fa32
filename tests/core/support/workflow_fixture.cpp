#include "support/workflow_fixture.h"

namespace tavlor::test {

WorkflowFixture::WorkflowFixture() {
    writeFile("current.csv", "old;\r\n");
    writeFile("other.csv", "other;\r\n");
}

std::string WorkflowFixture::path(const std::string& name) const {
    return (folder / name).string();
}

void WorkflowFixture::writeFile(const std::string& name, const std::string& bytes) const {
    writeBytes(path(name), bytes);
}

std::string WorkflowFixture::readFile(const std::string& fullPath) const {
    if (!std::filesystem::is_regular_file(fullPath))
        return "<missing>";
    return readBytes(fullPath);
}

void WorkflowFixture::edit(int col, int row, const std::string& text) {
    view.select(col, row);
    view.typeInCell(text);
}

void WorkflowFixture::prepare(bool named, bool modified) {
    workflow.resetCaption();
    if (named) {
        ui.openPaths.push_back(path("current.csv"));
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
    return fileName.empty() ? std::string(DocumentWorkflow::AppTitle)
                            : fileName + " - " + std::string(DocumentWorkflow::AppTitle);
}

} // namespace tavlor::test
