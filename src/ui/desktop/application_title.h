#pragma once

#include <QString>

namespace tavlor::ui {

/** The program's fixed title, "Vorlane Tavlor" (the document workflow's AppTitle). */
QString programTitle();

/** The application title (the task-bar title), kept apart from Qt's display name: under X11 Qt
 *  appends the display name to every other window's title ("Confirmation — ..."). */
QString applicationTitle();

/** Sets the application title; window captions are set by their owners. */
void setApplicationTitle(const QString& title);

} // namespace tavlor::ui
