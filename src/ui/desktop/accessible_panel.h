#pragma once

class QWidget;

namespace tavlor::ui {

/** Makes widget read, for a screen reader, as its accessible name (what it shows, e.g. "Row")
 *  with its text as the value, instead of a bare value; a button keeps its press. Call before
 *  anything asks for the widget's accessible interface. */
void makeAccessiblePanel(QWidget* widget);

} // namespace tavlor::ui
