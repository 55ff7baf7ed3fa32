// Commands, menu and the wiring of every event to its handler.
#include "ui/window/tform1_command_table.h"

#include "ui/commands/glyphs.h"
#include "ui/commands/menu_bar_keys.h"
#include "ui/commands/menu_style.h"
#include "ui/encoding/document_encoding_control.h"
#include "ui/encoding/encoding_chooser.h"
#include "ui/grid/cell_editor.h"
#include "ui/grid/sheet_grid.h"
#include "ui/text/formula_bar.h"
#include "ui/view/status_panels.h"
#include "ui/view/window_sheet_view.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QToolButton>

namespace {

// The long hint is the part after the first "|"; a hint without "|" is both halves.
QString longHint(const QString& hint) {
    const qsizetype bar = hint.indexOf(u'|');
    return bar < 0 ? hint : hint.mid(bar + 1);
}

QString shortHint(const QString& hint) {
    const qsizetype bar = hint.indexOf(u'|');
    return bar < 0 ? hint : hint.left(bar);
}

QAction* makeAction(QObject* owner, const TForm1::Command& command) {
    auto* action = new QAction(QString::fromLatin1(command.caption), owner);
    action->setObjectName(QString::fromLatin1(command.id));
    const QString hint = QString::fromLatin1(command.hint);
    action->setStatusTip(longHint(hint));
    action->setToolTip(shortHint(hint));
    if (command.shortcut[0] != '\0')
        action->setShortcut(QKeySequence(QString::fromLatin1(command.shortcut)));
    if (command.glyph >= 0)
        action->setIcon(tavlor::ui::glyph(command.glyph));
    action->setEnabled(command.enabled);
    action->setShortcutContext(Qt::WindowShortcut);
    return action;
}

} // namespace

void TForm1::buildActions() {
    for (const Command& command : commandTable()) {
        QAction* action = makeAction(this, command);
        m_ActionList1.add(command.id, action); // one row per id
        addAction(action);                     // shortcuts work wherever the focus is in the window
    }
    m_editCommands = new tavlor::ui::EditCommands(
        this, m_ActionList1, [this](const std::function<void()>& body) { runGuarded(body); },
        [this](const std::string& hint) { m_sheetView->showCellHint(hint); });
}

void TForm1::buildEncodingControl() {
    m_encodingControl = new tavlor::ui::DocumentEncodingControl(
        this, m_ActionList1, {m_document, *m_sheetView, m_S, m_LabeledEdit1},
        [this](const std::function<void()>& body) { runGuarded(body); },
        [this](const QString& note) { m_StatusBar->setPanelText(0, note); });
    m_StatusBar->setTrailingField(m_encodingControl->chooser()->field());
}

void TForm1::buildMenu() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    bar->setNativeMenuBar(false);
    QFont systemFont = QApplication::font(bar);
    systemFont.setFamily(systemFont.family());
    systemFont.setPointSizeF(systemFont.pointSizeF());
    bar->setFont(systemFont);

    const struct {
        Command::Menu menu;
        const char* title;
        const char* name;
    } menus[] = {{Command::Menu::File, "File", "File1"},
                 {Command::Menu::Edit, "Edit", "Edit1"},
                 {Command::Menu::Help, "Help", "Help1"}};
    const auto fill = [this](QMenu* menu, Command::Menu which) {
        for (const Command& command : commandTable()) {
            if (command.menu.menu != which)
                continue;
            if (command.menu.separatorBefore != nullptr)
                menu->addSeparator()->setObjectName(
                    QString::fromLatin1(command.menu.separatorBefore));
            menu->addAction(m_ActionList1.action(command.id));
        }
    };
    std::vector<QMenu*> shown;
    for (const auto& entry : menus) {
        QMenu* menu = bar->addMenu(QString::fromLatin1(entry.title));
        menu->setObjectName(QString::fromLatin1(entry.name));
        fill(menu, entry.menu);
        shown.push_back(menu);
    }
    // The Encoding submenu closes the Edit menu.
    buildEncodingControl();
    QMenu* encoding = m_encodingControl->chooser()->menu();
    shown[1]->addSeparator()->setObjectName(QStringLiteral("N5"));
    shown[1]->addMenu(encoding);
    fill(encoding, Command::Menu::Encoding);
    new tavlor::ui::MenuBarKeys(this, bar);
    shown.push_back(encoding);

    // Greyed items are highlighted too, so their hints show. The style lives with the window.
    auto* menuStyle = new tavlor::ui::MenuStyle(QApplication::style()->name());
    menuStyle->setParent(this);
    for (QMenu* menu : shown) {
        menu->setStyle(menuStyle);
        menu->setToolTipsVisible(false);
        connect(menu, &QMenu::aboutToShow, m_editCommands,
                &tavlor::ui::EditCommands::updateEditActions);
        // Closing a menu leaves no hint behind.
        connect(menu, &QMenu::aboutToHide, this, [this] { m_StatusBar->setPanelText(0, {}); });
    }
}

void TForm1::wireEvents() {
    for (const Command& command : commandTable())
        connect(m_ActionList1.action(command.id), &QAction::triggered, this,
                [this, handler = command.handler] { runGuarded([&] { handler(*this); }); });

    // Every command key reaches its command, also from the text boxes.
    std::vector<QAction*> keyed;
    for (const Command& command : commandTable()) {
        if (command.shortcut[0] != '\0')
            keyed.push_back(m_ActionList1.action(command.id));
    }
    m_editCommands->watch(std::move(keyed), m_S, {m_S->editor(), m_LabeledEdit1});
}
