#include "ui/dialogs/qt_document_ui.h"

#include "ui/desktop/application_title.h"
#include "ui/text/bytetext.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QWidget>

#include <sys/stat.h>

namespace tavlor::ui {
namespace {

QFileDialog* makeFileDialog(QWidget* window, QFileDialog::AcceptMode mode, const char* objectName) {
    auto* dialog = new QFileDialog(window);
    dialog->setObjectName(QString::fromLatin1(objectName));
    dialog->setAcceptMode(mode);
    // Open does not insist that the file exists: a missing file fails when it is read.
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setNameFilter(QStringLiteral("Comma Separated (*.csv)"));
    dialog->setDefaultSuffix(QStringLiteral("csv"));
    // Our own dialog everywhere, so the options above hold whatever the desktop offers.
    dialog->setOptions(QFileDialog::DontConfirmOverwrite | QFileDialog::DontUseNativeDialog);
    dialog->setSizeGripEnabled(true);
    dialog->setModal(true);
    // The name box's completion list is a window of its own, which the folder's names, read in the
    // background, can still open after the dialog has closed: it closes and lets go of the box
    // with the dialog (the box takes it back when it next gets the focus).
    QObject::connect(dialog, &QDialog::finished, dialog, [dialog] {
        for (QCompleter* completer : dialog->findChildren<QCompleter*>()) {
            completer->popup()->hide();
            completer->setWidget(nullptr);
        }
    });
    return dialog;
}

} // namespace

QtDocumentUi::QtDocumentUi(QWidget* window) : m_window(window) {}

QFileDialog* QtDocumentUi::OpenDialog() {
    if (m_openDialog == nullptr)
        m_openDialog = makeFileDialog(m_window, QFileDialog::AcceptOpen, "OpenDialog");
    return m_openDialog;
}

QFileDialog* QtDocumentUi::SaveDialog() {
    if (m_saveDialog == nullptr)
        m_saveDialog = makeFileDialog(m_window, QFileDialog::AcceptSave, "SaveDialog");
    return m_saveDialog;
}

Answer QtDocumentUi::askToSave(const std::string& text) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Confirmation"), toText(text),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, m_window);
    box.setObjectName(QStringLiteral("SavePrompt"));
    box.setDefaultButton(QMessageBox::Yes);
    // Escape and the title-bar close button both count as Cancel.
    box.setEscapeButton(QMessageBox::Cancel);
    const int pressed = box.exec();
    giveBackActivation();
    switch (pressed) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

std::optional<std::string> QtDocumentUi::chooseSavePath(const std::optional<std::string>& preset) {
    return run(SaveDialog(), preset ? toText(*preset) : m_lastSaveName, m_lastSaveName);
}

bool QtDocumentUi::askToReplace(const std::string& text) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Confirmation"), toText(text),
                    QMessageBox::Yes | QMessageBox::No, m_window);
    box.setObjectName(QStringLiteral("ReplacePrompt"));
    // A slip of Enter must not replace the file.
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    const int pressed = box.exec();
    giveBackActivation();
    return pressed == QMessageBox::Yes;
}

std::optional<std::string> QtDocumentUi::chooseOpenPath() {
    return run(OpenDialog(), m_lastOpenName, m_lastOpenName);
}

std::optional<std::string> QtDocumentUi::run(QFileDialog* dialog, const QString& name,
                                             QString& lastName) {
    dialog->selectFile(name);
    const int result = dialog->exec();
    giveBackActivation();
    if (result != QDialog::Accepted)
        return std::nullopt;
    const QStringList chosen = dialog->selectedFiles();
    if (chosen.isEmpty() || chosen.front().isEmpty())
        return std::nullopt;
    lastName = chosen.front();
    std::string path = toBytes(lastName);
    // The dialog shows a name that is not UTF-8 with U+FFFD in place of its bytes; handing that on
    // would open or create a different file.
    struct stat info {};
    if (lastName.contains(QChar(QChar::ReplacementCharacter)) && ::stat(path.c_str(), &info) != 0) {
        warn("NameWarning",
             QStringLiteral("The file dialog cannot give the exact name of \"%1\": it is not "
                            "valid UTF-8, and the dialog would use another file. Choose another "
                            "name, or open the file by dropping it on the window or from the "
                            "command line.")
                 .arg(lastName));
        return std::nullopt;
    }
    return path;
}

void QtDocumentUi::setCaption(const std::string& caption) {
    const QString text = toText(caption);
    m_window->setWindowTitle(text);
    tavlor::ui::setApplicationTitle(text);
}

void QtDocumentUi::showLoadWarning(const std::string& text) {
    showNotice("LoadWarning", text);
}

void QtDocumentUi::showNotice(const char* objectName, const std::string& text) {
    showBox([this, objectName, message = toText(text)] { warn(objectName, message); });
}

void QtDocumentUi::warn(const char* objectName, const QString& text) {
    QMessageBox box(QMessageBox::Warning, programTitle(), text, QMessageBox::Ok, m_window);
    box.setObjectName(QString::fromLatin1(objectName));
    box.exec();
    giveBackActivation();
}

void QtDocumentUi::holdBoxesDuring(const std::function<void()>& body) {
    m_holdingBoxes = true;
    body();
    m_holdingBoxes = false;
}

void QtDocumentUi::releaseBoxes() {
    while (!m_heldBoxes.empty()) {
        const std::function<void()> box = std::move(m_heldBoxes.front());
        m_heldBoxes.erase(m_heldBoxes.begin());
        box();
    }
}

void QtDocumentUi::showBox(std::function<void()> box) {
    if (m_holdingBoxes)
        m_heldBoxes.push_back(std::move(box));
    else
        box();
}

void QtDocumentUi::giveBackActivation() {
    // Without a window manager nothing hands the activation back when a modal box closes, and the
    // window's shortcuts and keyboard focus need it.
    if (m_window->isVisible())
        m_window->activateWindow();
}

} // namespace tavlor::ui
