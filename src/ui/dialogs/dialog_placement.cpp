#include "ui/dialogs/dialog_placement.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>

namespace tavlor::ui {

namespace {

// Places its dialog again on the dialog's first Show event, then goes away.
class ShowPlacer : public QObject {
public:
    ShowPlacer(QWidget& dialog, QWidget* fallback)
        : QObject(&dialog), m_dialog(&dialog), m_fallback(fallback) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == m_dialog && event->type() == QEvent::Show) {
            m_dialog->removeEventFilter(this);
            // After the showing has settled the dialog's final size.
            QTimer::singleShot(0, m_dialog, [dialog = m_dialog, fallback = m_fallback] {
                placeAtOneThird(*dialog, fallback);
            });
            deleteLater();
        }
        return false;
    }

private:
    QWidget* m_dialog = nullptr;
    QPointer<QWidget> m_fallback;
};

} // namespace

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
    if (!dialog.isVisible())
        dialog.adjustSize();
    // Before the first showing the frame is not known yet; the window's own size stands in for it.
    const QSize size = dialog.isVisible() ? dialog.frameGeometry().size() : dialog.size();
    dialog.move(oneThirdPosition(screen->geometry(), size));
}

void placeAtOneThirdWhenShown(QWidget& dialog, QWidget* fallback) {
    placeAtOneThird(dialog, fallback);
    dialog.installEventFilter(new ShowPlacer(dialog, fallback));
}

} // namespace tavlor::ui
