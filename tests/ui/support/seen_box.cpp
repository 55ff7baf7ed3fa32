#include "support/seen_box.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QScreen>
#include <QTest>

namespace tavlor::test {

void recordBox(QMessageBox& box, SeenBox& seen, CopyBox copy) {
    seen.caption = box.windowTitle();
    seen.text = box.text();
    seen.icon = box.icon();
    seen.standardButtons = box.standardButtons();
    seen.buttons.clear();
    for (QAbstractButton* button : box.buttons())
        seen.buttons << button->text();
    seen.owner = box.parentWidget();
    seen.ownerVisible = seen.owner != nullptr && seen.owner->isVisible();
    if (seen.owner != nullptr)
        seen.ownerAt = seen.owner->frameGeometry().topLeft();
    seen.frame = box.frameGeometry();
    seen.screen = box.screen()->geometry();
    if (copy == CopyBox::Yes) {
        QApplication::clipboard()->clear();
        QTest::keyClick(&box, Qt::Key_C, Qt::ControlModifier);
        seen.copied = QApplication::clipboard()->text();
    }
}

std::function<void(QWidget*)> answerBox(SeenBox& seen, QMessageBox::StandardButton button,
                                        CopyBox copy) {
    return [&seen, button, copy](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        QVERIFY2(box != nullptr, modal->metaObject()->className());
        recordBox(*box, seen, copy);
        if (button == QMessageBox::NoButton) {
            QTest::keyClick(box, Qt::Key_Escape);
            return;
        }
        QAbstractButton* pressed = box->button(button);
        QVERIFY(pressed != nullptr);
        pressed->click();
    };
}

} // namespace tavlor::test
