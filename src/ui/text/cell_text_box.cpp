#include "ui/text/cell_text_box.h"

#include <QDragEnterEvent>
#include <QEvent>
#include <QFont>
#include <QMimeData>

#include <algorithm>
#include <climits>

namespace tavlor::ui {

namespace {
// Shorter texts are laid out quickly either way, and keep their kerning.
constexpr qsizetype kLongText = 4096;

// Below U+0300 (Latin-1, Latin Extended-A and -B, IPA; Turkish included) no character combines
// with another, joins or takes part in a ligature. Combining marks start at U+0300, and the bytes
// that are not text are shown as lone surrogates, far above.
bool laidOutAlikeUnshaped(const QString& text) {
    return text.size() >= kLongText &&
           std::all_of(text.cbegin(), text.cend(), [](QChar ch) { return ch.unicode() < 0x300; });
}
} // namespace

CellTextBox::CellTextBox(QWidget* parent) : QLineEdit(parent) {
    // Cells have no length limit; the default of 32767 would cut long cells on the way through.
    setMaxLength(INT_MAX);
    connect(this, &QLineEdit::textChanged, this, &CellTextBox::chooseShaping);
}

void CellTextBox::chooseShaping() {
    QFont shown = font();
    const bool unshaped = laidOutAlikeUnshaped(text());
    if (bool(shown.styleStrategy() & QFont::PreferNoShaping) == unshaped)
        return;
    const int others = shown.styleStrategy() & ~QFont::PreferNoShaping;
    shown.setStyleStrategy(QFont::StyleStrategy(unshaped ? others | QFont::PreferNoShaping : others));
    setFont(shown);
}

void CellTextBox::changeEvent(QEvent* event) {
    QLineEdit::changeEvent(event);
    // A font given from outside keeps the choice made for the text.
    if (event->type() == QEvent::FontChange)
        chooseShaping();
}

void CellTextBox::dragEnterEvent(QDragEnterEvent* event) {
    // Dropped files are the window's to open; the box does not take their names as text.
    if (event->mimeData() && event->mimeData()->hasUrls()) {
        event->ignore();
        return;
    }
    QLineEdit::dragEnterEvent(event);
}

} // namespace tavlor::ui
