#include "core/files/path_parts.h"

namespace tavlor {

PathParts splitPath(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return {".", path};
    return {slash == 0 ? "/" : path.substr(0, slash), path.substr(slash + 1)};
}

std::string PathParts::sibling(const std::string& other) const {
    if (folder == ".")
        return other;
    return folder == "/" ? "/" + other : folder + "/" + other;
}

} // namespace tavlor
