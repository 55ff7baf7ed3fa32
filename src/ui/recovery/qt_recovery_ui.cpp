#include "ui/recovery/qt_recovery_ui.h"

#include "ui/dialogs/qt_document_ui.h"
#include "ui/text/bytetext.h"

#include <QMessageBox>
#include <QPushButton>

namespace tavlor::ui {

QtRecoveryUi::QtRecoveryUi(QWidget* window, QtDocumentUi& boxes,
                           std::function<void(const QString&)> hint)
    : m_window(window), m_boxes(boxes), m_hint(std::move(hint)) {}

Answer QtRecoveryUi::askToRestore(const std::string& text) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Confirmation"), toText(text),
                    QMessageBox::NoButton, m_window);
    box.setObjectName(QStringLiteral("RestorePrompt"));
    QPushButton* restore = box.addButton(QStringLiteral("&Restore"), QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(QStringLiteral("&Discard"), QMessageBox::DestructiveRole);
    box.setDefaultButton(restore);
    box.exec();
    m_boxes.giveBackActivation();
    // Escape or the close button decide nothing: the file is offered again next time.
    if (box.clickedButton() == restore)
        return Answer::Yes;
    return box.clickedButton() == discard ? Answer::No : Answer::Cancel;
}

void QtRecoveryUi::showRecoveryProblem(const std::string& text) {
    m_boxes.showBox([this, message = toText(text)] { m_boxes.warn("RecoveryProblem", message); });
}

void QtRecoveryUi::showRecoveryWriteFailure(const std::string& text) {
    m_hint(toText(text));
}

} // namespace tavlor::ui
