// Print, Find and the Help menu.
#include "ui/window/tform1.h"

#include "core/files/program_folder.h"
#include "core/sheet/sheet_search.h"
#include "ui/dialogs/copyable_message_box.h"
#include "ui/dialogs/find_dialog.h"
#include "ui/dialogs/taboutbox.h"
#include "ui/grid/sheet_grid.h"
#include "ui/print/print_controller.h"
#include "ui/text/bytetext.h"
#include "ui/view/window_sheet_view.h"

#include <QAction>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

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
        text ? tavlor::findInSheet(m_document.sheet(), *text, m_document.codec().unitSize())
             : std::nullopt;
    if (!hit) {
        QWidget* owner = m_FindDialog->isVisible() ? static_cast<QWidget*>(m_FindDialog) : this;
        tavlor::ui::CopyableMessageBox::information(owner,
                                                    QStringLiteral("Search String Not Found!"));
        return;
    }
    activateWindow();
    m_S->setFocus(Qt::OtherFocusReason);
    m_sheetView->setCurrentCol(hit->col);
    m_sheetView->setCurrentRow(hit->row);
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
