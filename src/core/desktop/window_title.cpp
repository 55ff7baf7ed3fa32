#include "core/desktop/window_title.h"

#include "core/files/path_parts.h"

namespace tavlor {

std::string WindowTitle::named(const std::string& path) {
    return fileNamePart(path) + " - " + std::string(AppTitle);
}

std::string WindowTitle::fileNamePart(const std::string& path) {
    return splitPath(path).name;
}

} // namespace tavlor
