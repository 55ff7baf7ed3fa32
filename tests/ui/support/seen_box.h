#pragma once

#include <QMessageBox>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>

#include <functional>

namespace tavlor::test {

/** What a message box showed when it was answered; empty when none appeared. */
struct SeenBox {
    QString caption;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons standardButtons;
    QStringList buttons; // the button captions, in the box's order
    QWidget* owner = nullptr;
    bool ownerVisible = false;
    QPoint ownerAt; // the top left of the owner's frame
    QRect frame;
    QRect screen;   // the geometry of the screen the box is on
    QString copied; // what Ctrl+C on the box put on the clipboard, when asked to copy
};

enum class CopyBox { No, Yes };

/** Fills seen from what box shows; with CopyBox::Yes, also presses Ctrl+C on it (the clipboard
 *  emptied first) and keeps what the clipboard then holds. */
void recordBox(QMessageBox& box, SeenBox& seen, CopyBox copy = CopyBox::No);

/** An answer for ModalScript::then: checks that the modal window is a message box, records it
 *  into seen and presses button on it (the Escape key for QMessageBox::NoButton). */
std::function<void(QWidget*)> answerBox(SeenBox& seen, QMessageBox::StandardButton button,
                                        CopyBox copy = CopyBox::No);

} // namespace tavlor::test
