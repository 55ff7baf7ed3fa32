#pragma once

#include <QValidator>

namespace tavlor {
class TextCodec;
}

namespace tavlor::ui {

/** Lets a text box take only text the document's encoding can hold: an edit that brings in any
 *  other character is refused whole (the box keeps its text) and reported. */
class HoldableTextValidator : public QValidator {
    Q_OBJECT
public:
    HoldableTextValidator(const tavlor::TextCodec& codec, QObject* parent);

    State validate(QString& input, int& pos) const override;

signals:
    /** An edit was refused because of character. */
    void refused(char32_t character) const;

private:
    const tavlor::TextCodec& m_codec;
};

} // namespace tavlor::ui
