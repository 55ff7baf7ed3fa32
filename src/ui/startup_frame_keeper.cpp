#include "startup_frame_keeper.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace tavlor::ui {

StartupFrameKeeper::StartupFrameKeeper(QWidget* window, const QRect& frame, int watchMilliseconds)
    : QObject(window), m_window(window), m_frame(frame) {
    window->installEventFilter(this);
    QTimer::singleShot(watchMilliseconds, this, [this] { deleteLater(); });
    // The frame may already be known; and the window manager's last word on it may come without
    // a move or resize of the window, so look again now and then as well.
    QTimer::singleShot(0, this, [this] { check(); });
    auto* poll = new QTimer(this);
    connect(poll, &QTimer::timeout, this, [this] { check(); });
    poll->start(kPollMilliseconds);
}

bool StartupFrameKeeper::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_window && (event->type() == QEvent::Move || event->type() == QEvent::Resize))
        QTimer::singleShot(0, this, [this] { check(); }); // after the window has taken it in
    return false;
}

void StartupFrameKeeper::check() {
    if (m_done || !m_window->isVisible())
        return;
    const QRect outer = m_window->frameGeometry();
    const QRect inner = m_window->geometry();
    // No frame yet, or one the window manager is still building (it may first report a frame
    // smaller than the window).
    if (outer == inner || !outer.contains(inner))
        return;
    m_done = true;
    if (outer != m_frame) {
        m_window->resize(m_frame.size() - (outer.size() - inner.size()));
        m_window->move(m_frame.topLeft()); // a window's position is that of its frame
    }
    deleteLater();
}

} // namespace tavlor::ui
