#include "core/document/sheet_load_ahead.h"

#include "core/format/file_reader.h"
#include "core/format/semicolon_reader.h"

#include <utility>

namespace tavlor {

SheetLoadAhead::SheetLoadAhead(std::string path)
    : m_path(std::move(path)), m_reader([this] { read(); }) {}

SheetLoadAhead::~SheetLoadAhead() {
    wait();
}

void SheetLoadAhead::read() {
    // The same steps as SheetDocument::Ac, on a sheet of its own; any error is left to the load
    // that the document then makes itself.
    try {
        SemicolonReader reader(m_sheet);
        const FileStamp stamp = readFileInto(m_path, reader);
        m_encoding = reader.markedEncoding().value_or(detectEncoding(m_sheet));
        m_report = reader.report();
        m_report.file = stamp;
        m_read = true;
    } catch (...) {
        m_read = false;
    }
}

void SheetLoadAhead::wait() {
    if (m_reader.joinable())
        m_reader.join();
}

bool SheetLoadAhead::fits(const std::string& path) const {
    return m_read && !m_taken && !m_reader.joinable() && path == m_path &&
           FileIdentity::ofPath(path) == m_report.file.identity;
}

void SheetLoadAhead::moveInto(Sheet& sheet) {
    sheet.swapData(m_sheet);
    m_taken = true;
}

} // namespace tavlor
