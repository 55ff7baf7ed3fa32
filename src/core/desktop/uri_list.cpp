#include "core/desktop/uri_list.h"

#include <cctype>

namespace tavlor {

namespace {

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i])
            return false;
    return true;
}

int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::string percentDecoded(std::string_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && hexValue(text[i + 1]) >= 0 &&
            hexValue(text[i + 2]) >= 0) {
            bytes += static_cast<char>(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2]));
            i += 2;
        } else {
            bytes += text[i];
        }
    }
    return bytes;
}

// The path of one URI line, or "" when it names no local file.
std::string localPath(std::string_view uri) {
    if (!startsWithNoCase(uri, "file:"))
        return {};
    uri.remove_prefix(5);
    if (uri.substr(0, 2) == "//") {
        uri.remove_prefix(2);
        const std::size_t slash = uri.find('/');
        if (slash == std::string_view::npos)
            return {};
        const std::string_view host = uri.substr(0, slash);
        if (!host.empty() && !(host.size() == 9 && startsWithNoCase(host, "localhost")))
            return {};
        uri.remove_prefix(slash);
    }
    if (uri.empty() || uri.front() != '/')
        return {};
    uri = uri.substr(0, uri.find_first_of("?#"));
    std::string path = percentDecoded(uri);
    if (path.find('\0') != std::string::npos)
        return {};
    return path;
}

} // namespace

std::vector<std::string> localFilePaths(std::string_view uriList) {
    std::vector<std::string> paths;
    while (!uriList.empty()) {
        const std::size_t end = uriList.find('\n');
        std::string_view line = uriList.substr(0, end);
        uriList.remove_prefix(end == std::string_view::npos ? uriList.size() : end + 1);
        while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
            line.remove_suffix(1);
        if (line.empty() || line.front() == '#')
            continue;
        if (std::string path = localPath(line); !path.empty())
            paths.push_back(std::move(path));
    }
    return paths;
}

} // namespace tavlor
