#pragma once

#include <string>
#include <string_view>

namespace tavlor {

/** The folder part of the program's path: the text up to and including the last "/", without that
 *  "/" unless it follows another "/" or is the whole folder ("/usr/bin/tavlor" gives "/usr/bin",
 *  "/tavlor" gives "/"). */
std::string programFolder(std::string_view programPath);

/** versions.txt in the program's folder: folder + "/versions.txt" (so "//versions.txt" for a
 *  program in the root, as the folder keeps its "/"). */
std::string versionHistoryPath(std::string_view programPath);

/** Where an installed program keeps it: folder + "/../share/tavlor/versions.txt". */
std::string installedVersionHistoryPath(std::string_view programPath);

} // namespace tavlor
