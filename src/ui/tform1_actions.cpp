// Commands, menu and the wiring of every event to its handler.
#include "ui/tform1.h"

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

struct Command {
    const char* name;
    const char* caption;
    const char* hint; // short hint "|" long hint, or one text for both
    const char* shortcut;
    int image; // -1: none
    bool enabled;
};

// The long hint is the part after the first "|"; a hint without "|" is both halves.
QString longHint(const QString& hint) {
    const qsizetype bar = hint.indexOf(u'|');
    return bar < 0 ? hint : hint.mid(bar + 1);
}

QString shortHint(const QString& hint) {
    const qsizetype bar = hint.indexOf(u'|');
    return bar < 0 ? hint : hint.left(bar);
}

QAction* makeAction(QObject* owner, const Command& command) {
    auto* action = new QAction(QString::fromLatin1(command.caption), owner);
    action->setObjectName(QString::fromLatin1(command.name));
    const QString hint = QString::fromLatin1(command.hint);
    action->setStatusTip(longHint(hint));
    action->setToolTip(shortHint(hint));
    if (command.shortcut[0] != '\0')
        action->setShortcut(QKeySequence(QString::fromLatin1(command.shortcut)));
    if (command.image >= 0)
        action->setIcon(tavlor::ui::glyph(command.image));
    action->setEnabled(command.enabled);
    action->setShortcutContext(Qt::WindowShortcut);
    return action;
}

} // namespace

void TForm1::buildActions() {
    const Command commands[] = {
        {"FileNew1", "&New", "New|Create a new file", "Ctrl+N", 0, true},
        {"FileOpen1", "&Open", "Open|Open a file", "Ctrl+O", 1, true},
        {"FileSave1", "&Save", "Save|Save current file", "Ctrl+S", 2, true},
        {"FilePrint1", "&Print...", "Print|Print current file", "", 3, true},
        {"FilePrintSetup1", "Print Set&up...", "Print Setup", "", -1, true},
        {"EditUndo1", "&Undo", "Undo|Revert the last action", "Ctrl+Z", 4, false},
        {"EditCut1", "Cu&t", "Cut|Cut the selection and put it on the Clipboard", "Ctrl+X", 5,
         true},
        {"EditCopy1", "&Copy", "Copy|Copy the selection and put it on the Clipboard", "Ctrl+C", 6,
         true},
        {"EditPaste1", "&Paste", "Paste|Insert Clipboard contents", "Ctrl+V", 7, false},
        {"EditDelete1", "&Delete", "Delete|Erase the selection", "", 10, true},
        // Menu items and the Find button with their own handlers.
        {"SaveAs1", "Save As...", "", "", -1, true},
        {"Exit1", "Exit", "", "", -1, true},
        {"Find1", "Find...", "", "", 8, true},
        {"VersionHistory1", "Version History", "", "", -1, true},
        {"About1", "About...", "", "", -1, true},
        {"ToolButton10", "&Find", "Find|Find a text", "", 8, true},
    };
    QAction** targets[] = {
        &m_actions.FileNew1,    &m_actions.FileOpen1,       &m_actions.FileSave1,
        &m_actions.FilePrint1,  &m_actions.FilePrintSetup1, &m_actions.EditUndo1,
        &m_actions.EditCut1,    &m_actions.EditCopy1,       &m_actions.EditPaste1,
        &m_actions.EditDelete1, &m_actions.SaveAs1,         &m_actions.Exit1,
        &m_actions.Find1,       &m_actions.VersionHistory1, &m_actions.About1,
        &m_actions.ToolButton10};
    static_assert(std::size(commands) == std::size(targets));
    for (std::size_t i = 0; i < std::size(commands); ++i) {
        *targets[i] = makeAction(this, commands[i]);
        addAction(*targets[i]); // shortcuts work wherever the focus is in the window
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

    QMenu* file = bar->addMenu(QStringLiteral("File"));
    file->setObjectName(QStringLiteral("File1"));
    file->addAction(m_actions.FileNew1);
    file->addAction(m_actions.FileOpen1);
    file->addAction(m_actions.FileSave1);
    file->addAction(m_actions.SaveAs1);
    file->addSeparator()->setObjectName(QStringLiteral("N1"));
    file->addAction(m_actions.FilePrintSetup1);
    file->addAction(m_actions.FilePrint1);
    file->addSeparator()->setObjectName(QStringLiteral("N2"));
    file->addAction(m_actions.Exit1);

    QMenu* edit = bar->addMenu(QStringLiteral("Edit"));
    edit->setObjectName(QStringLiteral("Edit1"));
    edit->addAction(m_actions.EditUndo1);
    edit->addSeparator()->setObjectName(QStringLiteral("N3"));
    edit->addAction(m_actions.EditCut1);
    edit->addAction(m_actions.EditCopy1);
    edit->addAction(m_actions.EditPaste1);
    edit->addAction(m_actions.EditDelete1);
    edit->addSeparator()->setObjectName(QStringLiteral("N4"));
    edit->addAction(m_actions.Find1);
    buildEncodingParts(edit);

    QMenu* help = bar->addMenu(QStringLiteral("Help"));
    help->setObjectName(QStringLiteral("Help1"));
    help->addAction(m_actions.VersionHistory1);
    help->addAction(m_actions.About1);

    // Greyed items are highlighted too, so their hints show. The style lives with the window.
    auto* menuStyle = new tavlor::ui::MenuStyle(QApplication::style()->name());
    menuStyle->setParent(this);
    for (QMenu* menu : {file, edit, help, m_encodingChooser->menu()}) {
        menu->setStyle(menuStyle);
        menu->setToolTipsVisible(false);
        connect(menu, &QMenu::aboutToShow, this, guarded(&TForm1::updateEditActions));
        // Closing a menu leaves no hint behind.
        connect(menu, &QMenu::aboutToHide, this, [this] { m_StatusBar->setPanelText(0, {}); });
    }
}

void TForm1::wireEvents() {
    connect(m_actions.FileNew1, &QAction::triggered, this, guarded(&TForm1::FileNew1Execute));
    connect(m_actions.FileOpen1, &QAction::triggered, this, guarded(&TForm1::FileOpen1Execute));
    connect(m_actions.FileSave1, &QAction::triggered, this, guarded(&TForm1::FileSave1Execute));
    connect(m_actions.SaveAs1, &QAction::triggered, this, guarded(&TForm1::SaveAs1Click));
    connect(m_actions.FilePrint1, &QAction::triggered, this, guarded(&TForm1::FilePrint1Execute));
    connect(m_actions.FilePrintSetup1, &QAction::triggered, this,
            guarded(&TForm1::FilePrintSetup1Execute));
    connect(m_actions.Exit1, &QAction::triggered, this, guarded(&TForm1::Exit1Click));
    connect(m_actions.EditUndo1, &QAction::triggered, this, guarded(&TForm1::EditUndo1Execute));
    connect(m_actions.EditCut1, &QAction::triggered, this, guarded(&TForm1::EditCut1Execute));
    connect(m_actions.EditCopy1, &QAction::triggered, this, guarded(&TForm1::EditCopy1Execute));
    connect(m_actions.EditPaste1, &QAction::triggered, this, guarded(&TForm1::EditPaste1Execute));
    connect(m_actions.EditDelete1, &QAction::triggered, this, guarded(&TForm1::EditDelete1Execute));
    connect(m_actions.Find1, &QAction::triggered, this, guarded(&TForm1::Find1Click));
    connect(m_actions.ToolButton10, &QAction::triggered, this, guarded(&TForm1::ToolButton10Click));
    connect(m_actions.VersionHistory1, &QAction::triggered, this,
            guarded(&TForm1::VersionHistory1Click));
    connect(m_actions.About1, &QAction::triggered, this, guarded(&TForm1::About1Click));

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
