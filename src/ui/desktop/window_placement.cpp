#include "ui/desktop/window_placement.h"

#include <algorithm>

namespace tavlor::ui {

QSize startupFrameSize(const QSize& screen) {
    return {screen.width() - 10, screen.height() - 40};
}

QPoint centredFramePosition(const QRect& screen, const QPoint& desktopTopLeft, const QSize& frame) {
    // C++ division rounds toward zero, as the placement needs for negative halves too.
    const int left = screen.x() + (screen.width() - frame.width()) / 2;
    const int top = screen.y() + (screen.height() - frame.height()) / 2;
    return {std::max(left, desktopTopLeft.x()), std::max(top, desktopTopLeft.y())};
}

} // namespace tavlor::ui
