#include "core/document/own_file_guard.h"

#include "core/document/document_ui.h"
#include "core/files/path_parts.h"
#include "core/format/load_report.h"

namespace tavlor {

void OwnFileGuard::loaded(const LoadReport& report) {
    m_stamp = report.file;
    m_leftOut = report.lostSomething();
    m_told = {};
}

void OwnFileGuard::saved(const FileStamp& stamp) {
    m_stamp = stamp;
    m_leftOut = false; // the user answered Yes, or saved the sheet under a new name
    m_told = {};
}

void OwnFileGuard::forget() {
    *this = OwnFileGuard();
}

bool OwnFileGuard::mayWrite(const std::string& path, DocumentUi& ui) const {
    if (m_leftOut && !ui.askToReplace(leftOutQuestion(path)))
        return false;
    return !m_stamp.changedOnDisk(path) || ui.askToReplace(changedQuestion(path));
}

std::optional<std::string> OwnFileGuard::changeNotice(const std::string& path) {
    const FileIdentity now = FileIdentity::ofPath(path);
    if (!now.exists() || now == m_told || now == m_stamp.identity)
        return std::nullopt;
    if (!m_stamp.changedOnDisk(path)) {
        m_stamp.identity = now; // the same bytes again: no need to read them at every activation
        return std::nullopt;
    }
    m_told = now;
    return splitPath(path).name +
           " has been changed by another program since it was opened or saved.";
}

std::string OwnFileGuard::changedQuestion(const std::string& path) {
    return splitPath(path).name +
           " has been changed by another program since it was opened or saved. Replace it with "
           "this document?";
}

std::string OwnFileGuard::leftOutQuestion(const std::string& path) {
    return splitPath(path).name +
           " holds more than the sheet shows (see the warning when it was opened). Saving replaces "
           "it with the sheet's content. Save anyway?";
}

} // namespace tavlor
