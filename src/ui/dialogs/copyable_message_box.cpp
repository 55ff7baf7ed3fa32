#include "ui/dialogs/copyable_message_box.h"

#include "core/desktop/message_box_text.h"
#include "ui/text/bytetext.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QScreen>

#include <string>
#include <vector>

namespace tavlor::ui {

QString CopyableMessageBox::copyText() const {
    std::vector<std::string> captions;
    for (QAbstractButton* button : buttons())
        captions.push_back(toBytes(button->text()));
    return toText(messageBoxCopyText(toBytes(windowTitle()), toBytes(text()), captions));
}

void CopyableMessageBox::information(QWidget* parent, const QString& text) {
    CopyableMessageBox box(QMessageBox::Information, QStringLiteral("Information"), text,
                           QMessageBox::Ok, parent);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Ok);
    box.exec();
}

void CopyableMessageBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_C && event->modifiers() == Qt::ControlModifier) {
        QApplication::beep();
        QApplication::clipboard()->setText(copyText());
        event->accept();
        return;
    }
    QMessageBox::keyPressEvent(event);
}

void CopyableMessageBox::showEvent(QShowEvent* event) {
    QMessageBox::showEvent(event);
    const QWidget* owner = parentWidget() != nullptr ? parentWidget()->window() : nullptr;
    QScreen* screen = owner != nullptr ? owner->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return;
    const QRect area = screen->geometry();
    const QSize frame = frameGeometry().size();
    move(area.left() + (area.width() - frame.width()) / 2,
         area.top() + (area.height() - frame.height()) / 2);
}

} // namespace tavlor::ui
