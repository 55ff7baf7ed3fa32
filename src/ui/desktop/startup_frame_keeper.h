#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QRect>

class QWidget;

namespace tavlor::ui {

/** Keeps the start-up outer rectangle of a window once a window manager has framed it. The
 *  window's position and size are set before the window manager reports its frame, so without a
 *  second look the frame would stand out of place (its title bar above the screen's edge) and the
 *  window would be larger than meant. Once the frame is known, the keeper asks for the inside of
 *  the rectangle, computed from the frame the platform reports at that moment (never from the
 *  widget's own idea of where it stands, which lags behind the window manager's moves), and looks
 *  again until the window has rested there for a while; then it removes itself. It gives up after
 *  a few tries or a while, and never acts without a window manager (no frame). */
class StartupFrameKeeper : public QObject {
    Q_OBJECT
public:
    StartupFrameKeeper(QWidget* window, const QRect& frame, int watchMilliseconds);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static constexpr int kPollMilliseconds = 50;
    static constexpr int kRestMilliseconds = 500; // in place this long after a request: done
    static constexpr int kMaxRequests = 3;        // never wrestle with a user who moves the window
    static constexpr int kAnswerMilliseconds = 250;

    void check();

    QWidget* m_window;
    QRect m_frame;
    int m_requests = 0;
    QElapsedTimer m_sinceRequest;
};

} // namespace tavlor::ui
