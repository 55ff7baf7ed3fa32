#pragma once

#include <string>
#include <string_view>

namespace tavlor {

/** The path made absolute against the current directory and normalised lexically ("." and ".."
 *  resolved, repeated "/" joined, links not followed); an empty path stays empty. */
std::string fullPath(std::string_view path);

/** The system's description of an errno value, without trailing "." or characters below 33. */
std::string systemErrorText(int errorNumber);

/** "Cannot open file "<full path>". <system text>" */
std::string openErrorMessage(std::string_view path, int errorNumber);
/** "Cannot create file "<full path>". <system text>" */
std::string createErrorMessage(std::string_view path, int errorNumber);
/** The message of a write that stopped short. */
inline constexpr const char* kStreamWriteError = "Stream write error";

} // namespace tavlor
