#include "ui/encoding/encoding_chooser.h"

#include "ui/commands/action_registry.h"
#include "ui/desktop/accessible_panel.h"
#include "ui/text/bytetext.h"

#include <QAccessible>
#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QToolButton>

#include <algorithm>

namespace tavlor::ui {

namespace {

// "Windows-1254 (Turkish)"; UTF-8 serves every language and has no addition.
QString itemText(tavlor::TextEncoding encoding) {
    const QString name = toText(tavlor::encodingName(encoding));
    const std::string_view languages = tavlor::encodingLanguages(encoding);
    return languages.empty() ? name : name + QStringLiteral(" (") + toText(languages) + u')';
}

} // namespace

EncodingChooser::EncodingChooser(QWidget* window, const ActionRegistry& actions)
    : QObject(window), m_convert(actions.action("ConvertToUtf81")) {
    m_menu = new QMenu(QStringLiteral("Encoding"), window);
    m_menu->setObjectName(QStringLiteral("Encoding1"));
    auto* group = new QActionGroup(this);
    group->setExclusive(true);
    for (const tavlor::TextEncoding encoding : tavlor::kTextEncodings) {
        QAction* item = m_menu->addAction(itemText(encoding));
        item->setCheckable(true);
        item->setActionGroup(group);
        // Panel 0 is 250 pixels wide: the hints stay within about 36 characters.
        item->setStatusTip(QStringLiteral("Read the same bytes as ") +
                           toText(tavlor::encodingName(encoding)));
        connect(item, &QAction::triggered, this,
                [this, encoding] { emit encodingChosen(encoding); });
        m_actions[encoding] = item;
    }

    m_field = new QToolButton(window);
    m_field->setObjectName(QStringLiteral("EncodingField"));
    makeAccessiblePanel(m_field);
    m_field->setAccessibleName(QStringLiteral("Text encoding"));
    m_field->setMenu(m_menu);
    m_field->setPopupMode(QToolButton::InstantPopup);
    m_field->setAutoRaise(true);
    m_field->setFocusPolicy(Qt::NoFocus);
    m_field->setStatusTip(QStringLiteral("Text encoding: click or Ctrl+Shift+E"));

    // As wide as the longest name, so the panels stay put when the encoding changes.
    int widest = 0;
    for (const tavlor::TextEncoding encoding : tavlor::kTextEncodings) {
        m_field->setText(toText(tavlor::encodingName(encoding)));
        widest = std::max(widest, m_field->sizeHint().width());
    }
    m_field->setMinimumWidth(widest);

    // The submenu's item shows the key; the window's EncodingMenu1 is the one that takes it.
    m_menu->menuAction()->setShortcut(actions.action("EncodingMenu1")->shortcut());
    m_menu->menuAction()->setShortcutContext(Qt::WidgetShortcut);

    show(tavlor::TextEncoding::Utf8);
}

void EncodingChooser::show(tavlor::TextEncoding encoding) {
    m_actions.at(encoding)->setChecked(true);
    m_field->setText(toText(tavlor::encodingName(encoding)));
    if (QAccessible::isActive()) {
        QAccessibleValueChangeEvent changed(m_field, m_field->text());
        QAccessible::updateAccessibility(&changed);
    }
    m_convert->setEnabled(encoding != tavlor::TextEncoding::Utf8);
}

} // namespace tavlor::ui
