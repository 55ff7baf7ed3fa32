#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tavlor {

/** The local file paths of a dropped text/uri-list, in order, as the bytes they name: "file:" URIs
 *  of this machine (no host or "localhost"), percent escapes decoded to bytes, so names that are
 *  not UTF-8 arrive exactly. Comment lines, other schemes, other hosts and paths holding a NUL are
 *  left out. */
std::vector<std::string> localFilePaths(std::string_view uriList);

} // namespace tavlor
