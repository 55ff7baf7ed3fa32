#include "core/files/file_error.h"

namespace tavlor {

std::string displayedMessage(std::string_view message) {
    const bool addFullStop = !message.empty() && static_cast<unsigned char>(message.back()) >
                                                     static_cast<unsigned char>('.');
    std::string shown;
    shown.reserve(message.size() + 1);
    shown.append(message.data(), message.size());
    if (addFullStop)
        shown.push_back('.');
    return shown;
}

} // namespace tavlor
