#include "ui/text/holdable_text_validator.h"

#include "ui/text/bytetext.h"

namespace tavlor::ui {

HoldableTextValidator::HoldableTextValidator(const tavlor::TextCodec& codec, QObject* parent)
    : QValidator(parent), m_codec(codec) {}

QValidator::State HoldableTextValidator::validate(QString& input, int& pos) const {
    (void)pos;
    const std::optional<char32_t> unheld = firstUnheldCharacter(input, m_codec);
    if (!unheld)
        return Acceptable;
    emit refused(*unheld);
    return Invalid;
}

} // namespace tavlor::ui
