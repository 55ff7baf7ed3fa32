#include "ui/commands/menu_bar_keys.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>

namespace tavlor::ui {

MenuBarKeys::MenuBarKeys(QWidget* window, QMenuBar* bar) : QObject(window) {
    auto* open = new QAction(window);
    open->setObjectName(QStringLiteral("MenuBarKey1"));
    open->setShortcut(QKeySequence(Qt::Key_F10));
    open->setShortcutContext(Qt::WindowShortcut);
    window->addAction(open);
    connect(open, &QAction::triggered, bar, [bar] {
        const QList<QAction*> menus = bar->actions();
        if (!menus.isEmpty())
            bar->setActiveAction(menus.first());
    });
    for (QAction* action : bar->actions()) {
        if (QMenu* menu = action->menu())
            menu->installEventFilter(this);
    }
}

bool MenuBarKeys::eventFilter(QObject* watched, QEvent* event) {
    // Qt would leave the bar in its keyboard mode, holding the keys until a second Escape.
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape &&
        static_cast<QKeyEvent*>(event)->modifiers() == Qt::NoModifier) {
        static_cast<QMenu*>(watched)->hide();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace tavlor::ui
