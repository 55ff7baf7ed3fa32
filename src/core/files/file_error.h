#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace tavlor {

/** A failed load or write; what() is the message the user sees (before the "." rule). */
class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/** The error box text: appends "." when the message is not empty and its last character sorts
 *  after "." (so ".", " ", '"' and ")" endings get nothing). */
std::string displayedMessage(std::string_view message);

} // namespace tavlor
