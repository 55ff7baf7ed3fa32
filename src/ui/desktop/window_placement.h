#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace tavlor::ui {

/** The start-up outer size of the main window: the screen's work area less 10 pixels wide, 40
 *  high. */
QSize startupFrameSize(const QSize& screen);

/** The centred outer position in the screen's work area (with its origin): halves rounded toward
 *  zero, never left of or above the desktop's edge. */
QPoint centredFramePosition(const QRect& screen, const QPoint& desktopTopLeft, const QSize& frame);

} // namespace tavlor::ui
