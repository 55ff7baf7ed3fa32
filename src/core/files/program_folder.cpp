#include "core/files/program_folder.h"

namespace tavlor {

std::string programFolder(std::string_view programPath) {
    const std::size_t slash = programPath.rfind('/');
    if (slash == std::string_view::npos)
        return {};
    std::string folder(programPath.substr(0, slash + 1));
    // Keep the "/" of the root and of a doubled "//"; drop an ordinary trailing separator.
    if (slash > 0 && programPath[slash - 1] != '/')
        folder.pop_back();
    return folder;
}

std::string versionHistoryPath(std::string_view programPath) {
    return programFolder(programPath) + "/versions.txt";
}

std::string installedVersionHistoryPath(std::string_view programPath) {
    return programFolder(programPath) + "/../share/tavlor/versions.txt";
}

} // namespace tavlor
