#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace tavlor::ui {

/** Top-left corner that centres a dialog of size dialog horizontally on screen and puts its top
 *  at one third of the free height: left + (width - dw) / 2, top + (height - dh) / 3. */
QPoint oneThirdPosition(const QRect& screen, const QSize& dialog);

/** Moves dialog to oneThirdPosition on the screen of the active window, or of fallback when no
 *  window of the program is active. */
void placeAtOneThird(QWidget& dialog, QWidget* fallback);

/** placeAtOneThird now, and once more when the dialog is first shown and its frame is known. */
void placeAtOneThirdWhenShown(QWidget& dialog, QWidget* fallback);

} // namespace tavlor::ui
