#include "ui/desktop/startup_frame_keeper.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

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
    QWindow* handle = m_window->windowHandle();
    if (handle == nullptr || !m_window->isVisible())
        return;
    // The platform asks the window manager for the frame; no frame yet (or no window manager):
    // nothing to keep.
    const QMargins frame = handle->frameMargins();
    if (frame.isNull())
        return;
    const QRect inside = m_frame.marginsRemoved(frame);
    // The platform window's geometry follows every configure notice of the window manager.
    if (handle->geometry() == inside) {
        if (m_requests > 0 && m_sinceRequest.hasExpired(kRestMilliseconds))
            deleteLater();
        return;
    }
    // Give the window manager time to answer the last request before asking again.
    if (m_requests > 0 && !m_sinceRequest.hasExpired(kAnswerMilliseconds))
        return;
    if (m_requests == kMaxRequests) {
        deleteLater();
        return;
    }
    ++m_requests;
    // The inside rectangle, asked of the platform window: the widget's own geometry may still be
    // the one asked for before the window manager placed the frame, and a widget that believes it
    // has the size already asks for the position only.
    handle->setGeometry(inside);
    m_sinceRequest.start();
}

} // namespace tavlor::ui
