#include "core/file_error.h"

namespace tavlor {

std::string displayedMessage(std::string_view message) {
    std::string shown(message);
    if (!shown.empty() &&
        static_cast<unsigned char>(shown.back()) > static_cast<unsigned char>('.'))
        shown += '.';
    return shown;
}

} // namespace tavlor
