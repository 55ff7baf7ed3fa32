#pragma once

#include <QObject>

class QMenuBar;
class QWidget;

namespace tavlor::ui {

/** The menu bar for keyboard users (the top menus have no access keys): F10 anywhere in window
 *  opens the first menu, and Escape in a top menu closes it and leaves the bar, so the keys go
 *  back to the control that had them. */
class MenuBarKeys : public QObject {
    Q_OBJECT
public:
    MenuBarKeys(QWidget* window, QMenuBar* bar);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace tavlor::ui
