#pragma once

#include <QObject>

#include <functional>
#include <vector>

class QAction;
class QKeyEvent;

namespace tavlor::ui {

/** Event filter for the window's text boxes: a key that is one of the window's command shortcuts
 *  goes to the command, never to the box, also when the command is disabled. */
class ShortcutGate : public QObject {
    Q_OBJECT
public:
    /** refresh runs before a shortcut is matched, so the command's enabled state is current. */
    ShortcutGate(std::vector<QAction*> actions, std::function<void()> refresh,
                 QObject* parent = nullptr);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAction* actionFor(const QKeyEvent* event) const;

    std::vector<QAction*> m_actions;
    std::function<void()> m_refresh;
};

} // namespace tavlor::ui
