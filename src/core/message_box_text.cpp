#include "core/message_box_text.h"

namespace tavlor {

std::string messageBoxCopyText(std::string_view caption, std::string_view text,
                               const std::vector<std::string>& buttons) {
    const std::string line = std::string(27, '-') + "\r\n";
    std::string copy = line;
    copy += caption;
    copy += "\r\n" + line;
    copy += text;
    copy += "\r\n" + line;
    for (const std::string& button : buttons) {
        for (std::size_t i = 0; i < button.size(); ++i) {
            if (button[i] == '&' && ++i == button.size())
                break; // "&&" stands for one "&"; a single "&" only marks the access key
            copy += button[i];
        }
        copy += "   ";
    }
    copy += "\r\n" + line;
    return copy;
}

} // namespace tavlor
