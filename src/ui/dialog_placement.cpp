#include "dialog_placement.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>

namespace tavlor::ui {

QPoint oneThirdPosition(const QRect& screen, const QSize& dialog) {
    return {screen.left() + (screen.width() - dialog.width()) / 2,
            screen.top() + (screen.height() - dialog.height()) / 3};
}

void placeAtOneThird(QWidget& dialog, QWidget* fallback) {
    QWidget* reference = QApplication::activeWindow();
    if (reference == nullptr || reference == &dialog)
        reference = fallback;
    QScreen* screen = reference != nullptr ? reference->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return;
    dialog.ensurePolished();
    dialog.adjustSize();
    // Before the first showing the frame is not known yet; the window's own size stands in for it.
    const QSize size = dialog.isVisible() ? dialog.frameGeometry().size() : dialog.size();
    dialog.move(oneThirdPosition(screen->geometry(), size));
}

} // namespace tavlor::ui
