// Print, Find, the edit commands and the Help menu.
#include "ui/tform1.h"

#include "core/cell_size_limit.h"
#include "core/program_folder.h"
#include "core/sheet_search.h"
#include "ui/bytetext.h"
#include "ui/copyable_message_box.h"
#include "ui/find_dialog.h"
#include "ui/print_controller.h"
#include "ui/sheet_grid.h"
#include "ui/taboutbox.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMimeData>
#include <QUrl>

namespace {

// The text box the edit commands act on: the focused formula bar or in-cell editor of window;
// none while the focus is elsewhere, for instance in the find dialog.
QLineEdit* editTarget(const QWidget* window) {
    auto* edit = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    return edit != nullptr && edit->window() == window ? edit : nullptr;
}

bool clipboardOffersText() {
    const QMimeData* data = QApplication::clipboard()->mimeData();
    return data != nullptr && data->hasText();
}

} // namespace

void TForm1::createCommandParts() {
    m_FindDialog = new tavlor::ui::FindDialog(this);
    connect(m_FindDialog, &tavlor::ui::FindDialog::findNext, this,
            guarded(&TForm1::FindDialogFind));
    m_printController = new tavlor::ui::PrintController(this);
}

// FilePrint1Execute: the print dialog, then the sheet as text lines.
void TForm1::FilePrint1Execute() {
    m_printController->print(m_document.sheet(), m_document.codec());
}

// FilePrintSetup1Execute: chooses the printer and its settings for later jobs.
void TForm1::FilePrintSetup1Execute() {
    m_printController->setup();
}

// Find1Click: opens the find dialog, or brings it to the top.
void TForm1::Find1Click() {
    m_FindDialog->showFind();
}

// ToolButton10Click: the toolbar's Find button, the same as Find1Click.
void TForm1::ToolButton10Click() {
    m_FindDialog->showFind();
}

// FindDialogFind: selects the first cell from A1 that contains the find text.
void TForm1::FindDialogFind() {
    // The search is over the cells' bytes; a text the document's encoding cannot hold is in none.
    const std::optional<std::string> text =
        tavlor::ui::toBytes(m_FindDialog->findText(), m_document.codec());
    const std::optional<tavlor::CellPos> hit =
        text ? tavlor::findInSheet(m_document.sheet(), *text) : std::nullopt;
    if (!hit) {
        QWidget* owner = m_FindDialog->isVisible() ? static_cast<QWidget*>(m_FindDialog) : this;
        tavlor::ui::CopyableMessageBox::information(owner,
                                                    QStringLiteral("Search String Not Found!"));
        return;
    }
    activateWindow();
    m_S->setFocus(Qt::OtherFocusReason);
    setCurrentCol(hit->col);
    setCurrentRow(hit->row);
}

// EditUndo1Execute: the focused text box undoes its last change.
void TForm1::EditUndo1Execute() {
    if (QLineEdit* target = editTarget(this); target != nullptr && !target->isReadOnly())
        target->undo();
}

// EditCut1Execute: the selection goes to the clipboard and out of the focused text box.
void TForm1::EditCut1Execute() {
    QLineEdit* target = editTarget(this);
    if (target != nullptr && !target->isReadOnly() && target->hasSelectedText())
        target->cut();
}

// EditCopy1Execute: the selection of the focused text box goes to the clipboard.
void TForm1::EditCopy1Execute() {
    QLineEdit* target = editTarget(this);
    if (target != nullptr && target->hasSelectedText())
        target->copy();
}

// EditPaste1Execute: the clipboard text replaces the selection or goes in at the caret.
void TForm1::EditPaste1Execute() {
    QLineEdit* target = editTarget(this);
    if (target == nullptr || target->isReadOnly() || !clipboardOffersText())
        return;
    // A cell that would be too long to edit in place is refused before the box lays it out.
    const qsizetype length = target->text().size() - target->selectedText().size() +
                             QApplication::clipboard()->text().size();
    if (static_cast<std::size_t>(length) > tavlor::kEditableCellBytes) {
        showCellHint(tavlor::refusedPasteHint());
        return;
    }
    target->paste();
}

// EditDelete1Execute: removes the selection; the clipboard stays as it was.
void TForm1::EditDelete1Execute() {
    QLineEdit* target = editTarget(this);
    if (target != nullptr && !target->isReadOnly() && target->hasSelectedText())
        target->del();
}

void TForm1::updateEditActions() {
    QLineEdit* target = editTarget(this);
    const bool writable = target != nullptr && !target->isReadOnly();
    const bool selected = target != nullptr && target->hasSelectedText();
    m_actions.EditUndo1->setEnabled(writable && target->isUndoAvailable());
    m_actions.EditCut1->setEnabled(writable && selected);
    m_actions.EditCopy1->setEnabled(selected);
    m_actions.EditPaste1->setEnabled(writable && clipboardOffersText());
    m_actions.EditDelete1->setEnabled(writable && selected);
}

// VersionHistory1Click: shows versions.txt from the program's folder in the desktop's text
// editor, without waiting for it.
void TForm1::VersionHistory1Click() {
    const std::string program =
        QFile::encodeName(QCoreApplication::applicationFilePath()).toStdString();
    QString path = QFile::decodeName(tavlor::versionHistoryPath(program).c_str());
    // An installed program keeps it among its shared files.
    const QString installed =
        QFile::decodeName(tavlor::installedVersionHistoryPath(program).c_str());
    if (!QFileInfo::exists(path) && QFileInfo::exists(installed))
        path = QDir::cleanPath(installed);
    // What the desktop does with it, or whether it can, is not reported.
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

// About1Click: shows a new about dialog; it is destroyed when it closes.
void TForm1::About1Click() {
    TAboutBox box(this);
    box.exec();
}
