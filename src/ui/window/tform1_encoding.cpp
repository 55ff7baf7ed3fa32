// The document's encoding: the field and menu that show and change it, and the text boxes that
// take only what it can hold.
#include "ui/window/tform1.h"

#include "ui/grid/cell_editor.h"
#include "ui/grid/sheet_grid.h"
#include "ui/recovery/recovery_timer.h"
#include "ui/text/bytetext.h"
#include "ui/text/encoding_chooser.h"
#include "ui/text/formula_bar.h"
#include "ui/text/holdable_text_validator.h"
#include "ui/window/status_panels.h"

#include <QMenu>
#include <QToolButton>

void TForm1::buildEncodingParts(QMenu* editMenu) {
    m_encodingChooser = new tavlor::ui::EncodingChooser(this);
    editMenu->addSeparator()->setObjectName(QStringLiteral("N5"));
    editMenu->addMenu(m_encodingChooser->menu());
    m_StatusBar->setTrailingField(m_encodingChooser->field());
    connect(m_encodingChooser, &tavlor::ui::EncodingChooser::encodingChosen, this,
            [this](tavlor::TextEncoding encoding) {
                runGuarded([&] { setDocumentEncoding(encoding); });
            });
    connect(m_encodingChooser, &tavlor::ui::EncodingChooser::convertChosen, this,
            guarded(&TForm1::ConvertToUtf81Click));

    for (QLineEdit* box : std::initializer_list<QLineEdit*>{m_S->editor(), m_LabeledEdit1}) {
        auto* validator = new tavlor::ui::HoldableTextValidator(m_document.codec(), box);
        box->setValidator(validator);
        connect(validator, &tavlor::ui::HoldableTextValidator::refused, this,
                [this](char32_t character) { reportUnheldCharacter(character); });
    }
}

void TForm1::setDocumentEncoding(tavlor::TextEncoding encoding) {
    m_document.setEncoding(encoding);
    // The formula bar shows the current cell's bytes in the new encoding, without writing them.
    mirrorCell(m_S->col(), m_S->row());
}

void TForm1::ConvertToUtf81Click() {
    // The text stays the same, only its bytes change: the formula bar already shows it.
    m_document.convertToUtf8();
}

void TForm1::reportUnheldCharacter(char32_t character) {
    // Short enough for the 250 pixels of panel 0; "Convert Document to UTF-8" is in the menu of
    // the encoding field next to it.
    const char32_t shown[] = {character};
    const QString name = tavlor::ui::toText(tavlor::encodingName(m_document.encoding()));
    m_StatusBar->setPanelText(0, QStringLiteral("No ") + QString::fromUcs4(shown, 1) +
                                     QStringLiteral(" in ") + name +
                                     QStringLiteral(": convert to UTF-8"));
}

void TForm1::showEncoding(tavlor::TextEncoding encoding) {
    if (m_encodingChooser)
        m_encodingChooser->show(encoding);
    // Same bytes, other text: the grid and the editor show the cells anew, with no event.
    m_S->refreshAll();
    m_S->resyncWithSheet();
    // The recovery file keeps the encoding with the cells.
    if (m_recoveryTimer && m_document.isModified())
        m_recoveryTimer->noteChange();
}
