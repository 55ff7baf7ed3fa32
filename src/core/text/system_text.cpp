#include "core/text/system_text.h"

#include <cerrno>
#include <cstring>
#include <string.h>
#include <unistd.h>
#include <vector>

namespace tavlor {

namespace {

// strerror_r comes in two forms; each overload picks the text out of one of them.
[[maybe_unused]] const char* errorTextFrom(int result, const char* buffer) {
    return result == 0 ? buffer : "";
}
[[maybe_unused]] const char* errorTextFrom(const char* result, const char*) {
    return result;
}

std::string currentDirectory() {
    std::vector<char> buffer(4096);
    for (;;) {
        if (::getcwd(buffer.data(), buffer.size()) != nullptr)
            return buffer.data();
        if (errno != ERANGE)
            return "/";
        buffer.resize(buffer.size() * 2);
    }
}

} // namespace

std::string fullPath(std::string_view path) {
    if (path.empty())
        return {};
    std::string joined =
        path.front() == '/' ? std::string(path) : currentDirectory() + "/" + std::string(path);
    std::vector<std::string_view> parts;
    std::string_view rest(joined);
    while (!rest.empty()) {
        const std::size_t slash = rest.find('/');
        const std::string_view part = rest.substr(0, slash);
        rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash + 1);
        if (part.empty() || part == ".")
            continue;
        if (part == "..") {
            if (!parts.empty())
                parts.pop_back();
            continue;
        }
        parts.push_back(part);
    }
    std::string result;
    for (const std::string_view part : parts) {
        result += '/';
        result += part;
    }
    if (result.empty())
        return "/";
    if (path.back() == '/')
        result += '/';
    return result;
}

std::string systemErrorText(int errorNumber) {
    char buffer[256] = {};
    std::string text = errorTextFrom(::strerror_r(errorNumber, buffer, sizeof buffer), buffer);
    if (text.size() > 255)
        text.resize(255);
    while (!text.empty() && (text.back() == '.' || static_cast<unsigned char>(text.back()) < 33))
        text.pop_back();
    return text;
}

std::string openErrorMessage(std::string_view path, int errorNumber) {
    return "Cannot open file \"" + fullPath(path) + "\". " + systemErrorText(errorNumber);
}

std::string createErrorMessage(std::string_view path, int errorNumber) {
    return "Cannot create file \"" + fullPath(path) + "\". " + systemErrorText(errorNumber);
}

} // namespace tavlor
