#pragma once

#include <string>
#include <string_view>

namespace tavlor {

/** The window's caption: the program's fixed title alone while the sheet is unnamed, else the
 *  file-name part of the document's path, " - " and the title. */
class WindowTitle {
public:
    /** The program's fixed title; the caption ends with it. */
    static constexpr std::string_view AppTitle = "Vorlane Tavlor";

    /** The caption of a document named path: "book.csv - Vorlane Tavlor". */
    static std::string named(const std::string& path);
    /** The caption with no document name: the title alone. */
    static std::string unnamed() { return std::string(AppTitle); }
    /** The text after the last "/" of path (all of it when there is none). */
    static std::string fileNamePart(const std::string& path);
};

} // namespace tavlor
