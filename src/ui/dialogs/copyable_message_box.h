#pragma once

#include <QMessageBox>

namespace tavlor::ui {

/** A message box that Ctrl+C copies, as plain text, to the clipboard (with a beep): caption,
 *  text and button captions between lines of hyphens. */
class CopyableMessageBox : public QMessageBox {
    Q_OBJECT
public:
    using QMessageBox::QMessageBox;

    /** The clipboard text for this box. */
    QString copyText() const;

    /** The modal information box: caption "Information", information icon, one OK button that
     *  is both default and cancel button. */
    static void information(QWidget* parent, const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    /** Centres the box on the screen rather than over its owner. */
    void showEvent(QShowEvent* event) override;
};

} // namespace tavlor::ui
