#pragma once

#include <functional>
#include <string>

namespace tavlor::test {

/** The message of the FileError that action throws, or "(no error)" when it throws none. */
std::string errorOf(const std::function<void()>& action);

} // namespace tavlor::test
