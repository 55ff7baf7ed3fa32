#include "ui/encoding/document_encoding_control.h"

#include "core/document/sheet_document.h"
#include "core/document/sheet_view.h"
#include "ui/encoding/encoding_chooser.h"
#include "ui/grid/cell_editor.h"
#include "ui/grid/sheet_grid.h"
#include "ui/text/bytetext.h"
#include "ui/text/holdable_text_validator.h"

#include <QLineEdit>
#include <QToolButton>

#include <initializer_list>
#include <utility>

namespace tavlor::ui {

DocumentEncodingControl::DocumentEncodingControl(QWidget* window, const ActionRegistry& actions,
                                                 Parts parts, Guard guard, NoteSink showNote)
    : QObject(window), m_parts(parts), m_guard(std::move(guard)), m_showNote(std::move(showNote)),
      m_chooser(new EncodingChooser(window, actions)) {
    connect(
        m_chooser, &EncodingChooser::encodingChosen, this,
        [this](tavlor::TextEncoding encoding) { m_guard([&] { setDocumentEncoding(encoding); }); });

    const tavlor::TextCodec& codec = m_parts.document.codec();
    for (QLineEdit* box :
         std::initializer_list<QLineEdit*>{m_parts.grid->editor(), m_parts.formulaBar}) {
        auto* validator = new HoldableTextValidator(codec, box);
        box->setValidator(validator);
        connect(validator, &HoldableTextValidator::refused, this,
                [this](char32_t character) { reportUnheldCharacter(character); });
    }
}

void DocumentEncodingControl::showEncoding(tavlor::TextEncoding encoding) {
    m_chooser->show(encoding);
}

void DocumentEncodingControl::setDocumentEncoding(tavlor::TextEncoding encoding) {
    if (const auto cell = m_parts.document.cellNotInUnitsOf(encoding)) {
        // The menu goes back to the document's encoding; the cell says why.
        m_chooser->show(m_parts.document.encoding());
        const auto [col, row] = *cell;
        m_showNote(QStringLiteral("Not UTF-16: odd byte count in ") +
                   toText(m_parts.document.sheet().cellName(col, row)));
        return;
    }
    m_parts.document.setEncoding(encoding);
    // The formula bar shows the current cell's bytes in the new encoding, without writing them.
    m_parts.view.mirrorCell(m_parts.grid->col(), m_parts.grid->row());
}

void DocumentEncodingControl::ConvertToUtf81Click() {
    // The text stays the same, only its bytes change: the formula bar already shows it.
    m_parts.document.convertToUtf8();
}

void DocumentEncodingControl::EncodingMenu1Click() {
    m_chooser->field()->showMenu();
}

void DocumentEncodingControl::reportUnheldCharacter(char32_t character) {
    // Short enough for the 250 pixels of panel 0; "Convert Document to UTF-8" is in the menu of
    // the encoding field next to it.
    const char32_t shown[] = {character};
    const QString name = toText(tavlor::encodingName(m_parts.document.encoding()));
    m_showNote(QStringLiteral("No ") + QString::fromUcs4(shown, 1) + QStringLiteral(" in ") + name +
               QStringLiteral(": convert to UTF-8"));
}

} // namespace tavlor::ui
