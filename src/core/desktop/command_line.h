#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavlor {

/** The file the program's start-up arguments name. */
class CommandLine {
public:
    /** The path to open for the arguments after the program path, none when the first one is
     *  missing or empty. The arguments are joined (a name with blanks may arrive split); an
     *  existing path is used trimmed, one that names nothing as given, so the open error names
     *  it. File names are case-sensitive here: the path is never lower-cased. */
    static std::optional<std::string> fileToOpen(const std::vector<std::string>& arguments);

    /** The arguments joined with single blanks, stopping at the first empty one, with characters
     *  below 33 trimmed from both ends. Empty when there is no argument. */
    static std::string joinArguments(const std::vector<std::string>& arguments);
    /** Removes leading and trailing bytes below 33. */
    static std::string trimControls(std::string_view text);
    /** The path itself when it names an existing file or folder, else the empty text. */
    static std::string existingPath(const std::string& path);
};

} // namespace tavlor
