#include "core/desktop/command_line.h"

#include <filesystem>
#include <system_error>

namespace tavlor {

std::optional<std::string> CommandLine::fileToOpen(const std::vector<std::string>& arguments) {
    if (arguments.empty() || arguments.front().empty())
        return std::nullopt;
    const std::string given = joinArguments(arguments);
    const std::string existing = trimControls(existingPath(given));
    return existing.empty() ? given : existing;
}

std::string CommandLine::joinArguments(const std::vector<std::string>& arguments) {
    std::string joined;
    for (const std::string& argument : arguments) {
        if (argument.empty())
            break;
        joined += ' ';
        joined += argument;
    }
    return trimControls(joined);
}

std::string CommandLine::trimControls(std::string_view text) {
    const auto isControl = [](char c) { return static_cast<unsigned char>(c) < 33; };
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && isControl(text[begin]))
        ++begin;
    while (end > begin && isControl(text[end - 1]))
        --end;
    return std::string(text.substr(begin, end - begin));
}

std::string CommandLine::existingPath(const std::string& path) {
    std::error_code error;
    if (path.empty() || !std::filesystem::exists(path, error))
        return {};
    return path;
}

} // namespace tavlor
