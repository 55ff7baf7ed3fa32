#pragma once

#include <string>

namespace tavlor {

/** A path cut at its last "/": the folder ("." when there is none, "/" at the root) and the name.
 */
struct PathParts {
    std::string folder;
    std::string name;

    /** folder + "/" + other, written as the path was ("other" alone when the path had no folder).
     */
    std::string sibling(const std::string& other) const;
};

PathParts splitPath(const std::string& path);

} // namespace tavlor
