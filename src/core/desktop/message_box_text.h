#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tavlor {

/** What Ctrl+C in a message box puts on the clipboard: hyphen line, caption, hyphen line, text,
 *  hyphen line, each button caption without its "&" and followed by three blanks, hyphen line;
 *  every part ended by LF, as Linux text is. The line is 27 hyphens. */
std::string messageBoxCopyText(std::string_view caption, std::string_view text,
                               const std::vector<std::string>& buttons);

} // namespace tavlor
