#pragma once

#include <QObject>
#include <QRect>

class QWidget;

namespace tavlor::ui {

/** Keeps the start-up outer rectangle of a window once a window manager has framed it. The
 *  window's position and size are set before the window manager reports its frame, so without a
 *  second look the frame would stand out of place (its title bar above the screen's edge) and the
 *  window would be larger than meant. On the first move or resize with a known frame, the keeper
 *  puts the frame back on the rectangle, once, and then removes itself; it also gives up after a
 *  while, and never acts without a window manager (no frame). */
class StartupFrameKeeper : public QObject {
    Q_OBJECT
public:
    StartupFrameKeeper(QWidget* window, const QRect& frame, int watchMilliseconds);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static constexpr int kPollMilliseconds = 50;

    void check();

    QWidget* m_window;
    QRect m_frame;
    bool m_done = false;
};

} // namespace tavlor::ui
