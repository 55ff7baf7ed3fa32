#include "ui/desktop/accessible_panel.h"

#include <QAbstractButton>
#include <QAccessibleWidget>
#include <QLabel>
#include <QToolButton>

namespace tavlor::ui {

namespace {

constexpr char kPanelProperty[] = "tavlorAccessiblePanel";

// The panel's text is also its read-only text content, which is how screen readers read labels.
class AccessiblePanel : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    AccessiblePanel(QWidget* widget, QAccessible::Role role) : QAccessibleWidget(widget, role) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text kind) const override {
        if (kind != QAccessible::Value)
            return QAccessibleWidget::text(kind);
        if (const auto* label = qobject_cast<const QLabel*>(widget()))
            return label->text();
        if (const auto* button = qobject_cast<const QAbstractButton*>(widget()))
            return button->text();
        return {};
    }

    QString text(int startOffset, int endOffset) const override {
        return text(QAccessible::Value).mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override {
        return static_cast<int>(text(QAccessible::Value).size());
    }
    void selection(int, int* startOffset, int* endOffset) const override {
        *startOffset = 0;
        *endOffset = 0;
    }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* startOffset, int* endOffset) const override {
        *startOffset = offset;
        *endOffset = offset;
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
