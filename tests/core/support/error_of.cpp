#include "support/error_of.h"

#include "core/files/file_error.h"

namespace tavlor::test {

std::string errorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const FileError& error) {
        return error.what();
    }
    return "(no error)";
}

} // namespace tavlor::test
