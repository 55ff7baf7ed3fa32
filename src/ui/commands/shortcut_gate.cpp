#include "ui/commands/shortcut_gate.h"

#include <QAction>
#include <QKeyEvent>

namespace tavlor::ui {

ShortcutGate::ShortcutGate(std::vector<QAction*> actions, std::function<void()> refresh,
                           QObject* parent)
    : QObject(parent), m_actions(std::move(actions)), m_refresh(std::move(refresh)) {}

QAction* ShortcutGate::actionFor(const QKeyEvent* event) const {
    const QKeySequence pressed(event->keyCombination());
    for (QAction* action : m_actions) {
        if (!action->shortcut().isEmpty() && action->shortcut() == pressed)
            return action;
    }
    return nullptr;
}

bool ShortcutGate::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        if (actionFor(static_cast<QKeyEvent*>(event)) == nullptr)
            return false;
        // The box would claim Ctrl+C/X/V/Z for itself; leave the key to the window's command.
        if (m_refresh)
            m_refresh();
        event->ignore();
        return true;
    }
    if (event->type() == QEvent::KeyPress) {
        // Only a disabled command's key gets this far: it is used up all the same.
        if (actionFor(static_cast<QKeyEvent*>(event)) != nullptr) {
            event->accept();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace tavlor::ui
