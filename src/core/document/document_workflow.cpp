#include "core/document/document_workflow.h"

#include "core/desktop/command_line.h"
#include "core/desktop/window_title.h"
#include "core/document/document_ui.h"
#include "core/document/sheet_document.h"

namespace tavlor {

namespace {

// Both names lead to one file, links followed by the kernel (or are the same text).
bool isSameFile(const std::string& path, const std::string& own) {
    if (own.empty())
        return false;
    if (path == own)
        return true;
    const FileIdentity a = FileIdentity::ofPath(path);
    const FileIdentity b = FileIdentity::ofPath(own);
    return a.exists() && b.exists() && a.device == b.device && a.inode == b.inode;
}

// A file (not a folder) exists at path and it is not the file the document was read from or
// written to: a slip of the keyboard in the Save dialog must not replace it unasked.
bool isOtherExistingFile(const std::string& path, const std::string& own) {
    return FileIdentity::ofPath(path).exists() && !isSameFile(path, own);
}

} // namespace

DocumentWorkflow::DocumentWorkflow(SheetDocument& document, DocumentUi& ui)
    : m_document(document), m_ui(ui) {}

void DocumentWorkflow::newDocument() {
    if (!m_document.isModified()) {
        m_document.Sil();
        m_currentFileName.clear();
        m_ownFile.forget();
        resetCaption();
        return;
    }
    if (offerToSave(false, SaveFirst::Copy))
        startEmpty();
}

void DocumentWorkflow::open() {
    if (!m_document.isModified() || offerToSave(false, SaveFirst::AndName))
        openFromDialog();
}

void DocumentWorkflow::save() {
    if (m_currentFileName.empty()) {
        saveAs();
        return;
    }
    if (writeOwnFile())
        m_document.markUnmodified();
}

void DocumentWorkflow::saveAs() {
    const std::string preset =
        m_currentFileName.empty() ? std::string("Noname") : m_currentFileName;
    const auto path = chooseSavePath(preset);
    if (!path)
        return;
    const bool ownFile = isSameFile(*path, m_currentFileName);
    const std::string previous = m_currentFileName;
    m_currentFileName = *path;
    try {
        if (ownFile && !writeOwnFile()) {
            m_currentFileName = previous;
            return;
        }
        if (!ownFile)
            m_ownFile.saved(m_document.Kaydet(m_currentFileName));
    } catch (...) {
        // A failed write leaves the document named as before, so the next Save does not write
        // to the file that failed without asking.
        m_currentFileName = previous;
        throw;
    }
    m_document.markUnmodified();
    setCaption();
}

bool DocumentWorkflow::writeOwnFile() {
    if (!m_ownFile.mayWrite(m_currentFileName, m_ui))
        return false;
    m_ownFile.saved(m_document.Kaydet(m_currentFileName));
    return true;
}

std::optional<std::string> DocumentWorkflow::changeNotice() {
    if (m_currentFileName.empty())
        return std::nullopt;
    return m_ownFile.changeNotice(m_currentFileName);
}

void DocumentWorkflow::queryClose(bool& canClose) {
    if (!m_document.isModified()) {
        canClose = true;
        return;
    }
    // Still false should the save throw: a failed write leaves closing refused.
    canClose = false;
    canClose = offerToSave(true, SaveFirst::Copy);
}

void DocumentWorkflow::openCommandLine(const std::vector<std::string>& arguments,
                                       SheetLoadAhead* ahead) {
    if (const auto path = CommandLine::fileToOpen(arguments))
        openChosenFile(*path, ahead);
    m_document.Genislik();
}

void DocumentWorkflow::openDropped(const std::vector<std::string>& paths) {
    for (const std::string& path : paths)
        dropOne(path);
    m_document.Genislik();
}

void DocumentWorkflow::dropOne(const std::string& path) {
    if (!m_document.isModified() || offerToSave(false, SaveFirst::AndNameQuietly))
        openChosenFile(path);
}

bool DocumentWorkflow::offerToSave(bool closing, SaveFirst how) {
    switch (m_ui.askToSave(savePromptText(closing))) {
    case Answer::Cancel:
        return false;
    case Answer::No:
        return true;
    case Answer::Yes:
        break;
    }
    if (!m_currentFileName.empty()) {
        if (!writeOwnFile())
            return false;
        if (how != SaveFirst::Copy)
            m_document.markUnmodified();
        return true;
    }
    const auto path = chooseSavePath(std::nullopt);
    if (!path)
        return false;
    if (how == SaveFirst::Copy) {
        // The chosen path only receives the old content; the document keeps its state.
        m_document.Kaydet(*path);
        return true;
    }
    m_currentFileName = *path;
    m_ownFile.saved(m_document.Kaydet(m_currentFileName));
    if (how == SaveFirst::AndName) {
        m_document.markUnmodified();
        setCaption();
    }
    return true;
}

std::optional<std::string> DocumentWorkflow::chooseSavePath(std::optional<std::string> preset) {
    for (;;) {
        auto path = m_ui.chooseSavePath(preset);
        if (!path || !isOtherExistingFile(*path, m_currentFileName))
            return path;
        if (m_ui.askToReplace(replaceQuestion(*path)))
            return path;
        preset = *path;
    }
}

std::string DocumentWorkflow::replaceQuestion(const std::string& path) {
    return WindowTitle::fileNamePart(path) + " already exists. Do you want to replace it?";
}

void DocumentWorkflow::openFromDialog() {
    if (const auto path = m_ui.chooseOpenPath())
        openChosenFile(*path);
}

void DocumentWorkflow::setCaption() {
    m_ui.setCaption(WindowTitle::named(m_currentFileName));
}

void DocumentWorkflow::resetCaption() {
    m_ui.setCaption(WindowTitle::unnamed());
}

void DocumentWorkflow::openChosenFile(const std::string& path, SheetLoadAhead* ahead) {
    m_currentFileName = path;
    LoadReport report;
    try {
        report = m_document.Ac(m_currentFileName, ahead);
    } catch (...) {
        // Never leave the document bound to a file that was not read: a later Save would
        // overwrite it unseen.
        m_currentFileName.clear();
        m_ownFile.forget();
        resetCaption();
        throw;
    }
    m_ownFile.loaded(report);
    m_document.markUnmodified();
    setCaption();
    if (report.lostSomething())
        m_ui.showLoadWarning(report.message());
}

void DocumentWorkflow::startEmpty() {
    m_document.markUnmodified();
    m_currentFileName.clear();
    m_ownFile.forget();
    m_document.Sil();
    resetCaption();
}

bool DocumentWorkflow::mayReplace() {
    return !m_document.isModified() || offerToSave(false, SaveFirst::Copy);
}

void DocumentWorkflow::adoptName(const std::string& path) {
    m_currentFileName = path;
    m_ownFile.forget();
    if (path.empty())
        resetCaption();
    else
        setCaption();
}

std::string DocumentWorkflow::savePromptText(bool closing) const {
    const std::string ending = closing ? " before exit?" : "?";
    if (m_currentFileName.empty())
        return "Do you want to save the current file" + ending;
    return "Do you want to save " + m_currentFileName + ending;
}

} // namespace tavlor
