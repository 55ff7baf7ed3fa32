// Commands, menu and the wiring of every event to its handler.
#include "ui/tform1_command_table.h"

#include "ui/cell_editor.h"
#include "ui/encoding_chooser.h"
#include "ui/formula_bar.h"
#include "ui/glyphs.h"
#include "ui/menu_style.h"
#include "ui/sheet_grid.h"
#include "ui/shortcut_gate.h"
#include "ui/status_panels.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>

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
    action->setObjectName(QString::fromLatin1(command.name));
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
        QAction*& action = m_actions.*command.action;
        Q_ASSERT(action == nullptr); // one row per action
        action = makeAction(this, command);
        addAction(action); // shortcuts work wherever the focus is in the window
    }
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
    std::vector<QMenu*> shown;
    for (const auto& entry : menus) {
        QMenu* menu = bar->addMenu(QString::fromLatin1(entry.title));
        menu->setObjectName(QString::fromLatin1(entry.name));
        for (const Command& command : commandTable()) {
            if (command.menu.menu != entry.menu)
                continue;
            if (command.menu.separatorBefore != nullptr)
                menu->addSeparator()->setObjectName(
                    QString::fromLatin1(command.menu.separatorBefore));
            menu->addAction(m_actions.*command.action);
        }
        if (entry.menu == Command::Menu::Edit)
            buildEncodingParts(menu);
        shown.push_back(menu);
    }
    shown.push_back(m_encodingChooser->menu());

    // Greyed items are highlighted too, so their hints show. The style lives with the window.
    auto* menuStyle = new tavlor::ui::MenuStyle(QApplication::style()->name());
    menuStyle->setParent(this);
    for (QMenu* menu : shown) {
        menu->setStyle(menuStyle);
        menu->setToolTipsVisible(false);
        connect(menu, &QMenu::aboutToShow, this, guarded(&TForm1::updateEditActions));
        // Closing a menu leaves no hint behind.
        connect(menu, &QMenu::aboutToHide, this, [this] { m_StatusBar->setPanelText(0, {}); });
    }
}

void TForm1::wireEvents() {
    for (const Command& command : commandTable())
        connect(m_actions.*command.action, &QAction::triggered, this, guarded(command.handler));

    connect(m_S, &tavlor::ui::SheetGrid::selectCell, this, [this](int col, int row, bool* can) {
        runGuarded([&] { SSelectCell(col, row, *can); });
    });
    connect(m_S, &tavlor::ui::SheetGrid::setEditText, this,
            [this](int col, int row, const QString& value) {
                runGuarded([&] { SSetEditText(col, row, value); });
            });
    connect(m_S, &tavlor::ui::SheetGrid::cellClick, this, guarded(&TForm1::SClick));
    connect(m_LabeledEdit1, &QLineEdit::textChanged, this, guarded(&TForm1::LabeledEdit1Change));
    for (QLineEdit* box : std::initializer_list<QLineEdit*>{m_S->editor(), m_LabeledEdit1})
        connect(box, &QLineEdit::textEdited, this, guarded(&TForm1::hintSplitCell));

    // Shortcuts reach the commands, not the text boxes, whichever has the focus.
    m_shortcutGate = new tavlor::ui::ShortcutGate(
        {m_actions.FileNew1, m_actions.FileOpen1, m_actions.FileSave1, m_actions.EditUndo1,
         m_actions.EditCut1, m_actions.EditCopy1, m_actions.EditPaste1},
        [this] { runGuarded([this] { updateEditActions(); }); }, this);
    for (QWidget* box : std::initializer_list<QWidget*>{m_S, m_S->editor(), m_LabeledEdit1})
        box->installEventFilter(m_shortcutGate);

    // The enabled states follow focus, selection, text and clipboard once the events are handled.
    connect(qApp, &QApplication::focusChanged, this, [this] { scheduleIdleUpdate(); });
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this,
            [this] { scheduleIdleUpdate(); });
    for (QLineEdit* box : std::initializer_list<QLineEdit*>{m_S->editor(), m_LabeledEdit1}) {
        connect(box, &QLineEdit::textChanged, this, [this] { scheduleIdleUpdate(); });
        connect(box, &QLineEdit::selectionChanged, this, [this] { scheduleIdleUpdate(); });
    }
}
