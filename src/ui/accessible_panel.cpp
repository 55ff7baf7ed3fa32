#include "ui/accessible_panel.h"

#include <QAbstractButton>
#include <QAccessibleWidget>
#include <QLabel>
#include <QToolButton>

namespace tavlor::ui {

namespace {

constexpr char kPanelProperty[] = "tavlorAccessiblePanel";

class AccessiblePanel : public QAccessibleWidget {
public:
    AccessiblePanel(QWidget* widget, QAccessible::Role role) : QAccessibleWidget(widget, role) {}

    QString text(QAccessible::Text kind) const override {
        if (kind != QAccessible::Value)
            return QAccessibleWidget::text(kind);
        if (const auto* label = qobject_cast<const QLabel*>(widget()))
            return label->text();
        if (const auto* button = qobject_cast<const QAbstractButton*>(widget()))
            return button->text();
        return {};
    }

    QStringList actionNames() const override {
        if (qobject_cast<QToolButton*>(widget()) == nullptr)
            return QAccessibleWidget::actionNames();
        return {pressAction(), showMenuAction()};
    }

    void doAction(const QString& name) override {
        auto* button = qobject_cast<QToolButton*>(widget());
        if (button != nullptr && (name == pressAction() || name == showMenuAction()))
            button->showMenu();
        else
            QAccessibleWidget::doAction(name);
    }
};

QAccessibleInterface* panelFactory(const QString& className, QObject* object) {
    (void)className;
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget == nullptr || !widget->property(kPanelProperty).toBool())
        return nullptr;
    const bool button = qobject_cast<QToolButton*>(widget) != nullptr;
    return new AccessiblePanel(widget, button ? QAccessible::ButtonMenu : QAccessible::StaticText);
}

} // namespace

void makeAccessiblePanel(QWidget* widget) {
    QAccessible::installFactory(panelFactory); // installed once, however often asked
    widget->setProperty(kPanelProperty, true);
}

} // namespace tavlor::ui
