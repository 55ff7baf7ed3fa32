#include "core/desktop/message_box_text.h"

namespace tavlor {

std::string messageBoxCopyText(std::string_view caption, std::string_view text,
                               const std::vector<std::string>& buttons) {
    const std::string line = std::string(27, '-') + "\n";
    std::string copy = line;
    copy += caption;
    copy += "\n" + line;
    copy += text;
    copy += "\n" + line;
    for (const std::string& button : buttons) {
        for (std::size_t i = 0; i < button.size(); ++i) {
            if (button[i] == '&' && ++i == button.size())
                break; // "&&" stands for one "&"; a single "&" only marks the access key
            copy += button[i];
        }
        copy += "   ";
    }
    copy += "\n" + line;
    return copy;
}

} // namespace tavlor
