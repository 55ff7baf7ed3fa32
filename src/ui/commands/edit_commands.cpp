#include "ui/commands/edit_commands.h"

#include "core/sheet/cell_size_limit.h"
#include "ui/commands/action_registry.h"
#include "ui/commands/shortcut_gate.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMimeData>
#include <QTimer>

namespace tavlor::ui {

namespace {

bool clipboardOffersText() {
    const QMimeData* data = QApplication::clipboard()->mimeData();
    return data != nullptr && data->hasText();
}

} // namespace

EditCommands::EditCommands(QWidget* window, const ActionRegistry& actions, Guard guard,
                           HintSink showHint)
    : QObject(window), m_guard(std::move(guard)), m_showHint(std::move(showHint)),
      m_idleTimer(new QTimer(this)), m_undo(actions.action("EditUndo1")),
      m_cut(actions.action("EditCut1")), m_copy(actions.action("EditCopy1")),
      m_paste(actions.action("EditPaste1")), m_delete(actions.action("EditDelete1")) {
    m_idleTimer->setSingleShot(true);
    m_idleTimer->setInterval(0);
    connect(m_idleTimer, &QTimer::timeout, this, &EditCommands::updateEditActions);
}

void EditCommands::watch(std::vector<QAction*> shortcuts, QWidget* grid,
                         const std::vector<QLineEdit*>& boxes) {
    // Shortcuts reach the commands, not the text boxes, whichever has the focus.
    auto* gate = new ShortcutGate(
        std::move(shortcuts), [this] { updateEditActions(); }, this);
    grid->installEventFilter(gate);
    for (QLineEdit* box : boxes)
        box->installEventFilter(gate);

    // The enabled states follow focus, selection, text and clipboard once the events are handled.
    connect(qApp, &QApplication::focusChanged, this, &EditCommands::scheduleIdleUpdate);
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this,
            &EditCommands::scheduleIdleUpdate);
    for (QLineEdit* box : boxes) {
        connect(box, &QLineEdit::textChanged, this, &EditCommands::scheduleIdleUpdate);
        connect(box, &QLineEdit::selectionChanged, this, &EditCommands::scheduleIdleUpdate);
    }
}

QLineEdit* EditCommands::editTarget() const {
    QWidget* focus = QApplication::focusWidget();
    // Some platforms give an open menu the keyboard focus: the box the menu was opened over still
    // is the one the commands act on.
    if (focus != nullptr && focus->window()->windowType() == Qt::Popup)
        focus = static_cast<QWidget*>(parent())->focusWidget();
    auto* edit = qobject_cast<QLineEdit*>(focus);
    return edit != nullptr && edit->window() == parent() ? edit : nullptr;
}

QLineEdit* EditCommands::changeableSelection() const {
    QLineEdit* target = editTarget();
    const bool changeable = target != nullptr && !target->isReadOnly() && target->hasSelectedText();
    return changeable ? target : nullptr;
}

void EditCommands::EditUndo1Execute() {
    if (QLineEdit* target = editTarget(); target != nullptr && !target->isReadOnly())
        target->undo();
}

void EditCommands::EditCut1Execute() {
    if (QLineEdit* target = changeableSelection())
        target->cut();
}

void EditCommands::EditCopy1Execute() {
    QLineEdit* target = editTarget();
    if (target != nullptr && target->hasSelectedText())
        target->copy();
}

void EditCommands::EditPaste1Execute() {
    QLineEdit* target = editTarget();
    if (target == nullptr || target->isReadOnly() || !clipboardOffersText())
        return;
    // A cell that would be too long to edit in place is refused before the box lays it out.
    const qsizetype length = target->text().size() - target->selectedText().size() +
                             QApplication::clipboard()->text().size();
    if (static_cast<std::size_t>(length) > kEditableCellBytes) {
        m_showHint(refusedPasteHint());
        return;
    }
    target->paste();
}

void EditCommands::EditDelete1Execute() {
    if (QLineEdit* target = changeableSelection())
        target->del();
}

void EditCommands::updateEditActions() {
    m_guard([this] {
        QLineEdit* target = editTarget();
        const bool writable = target != nullptr && !target->isReadOnly();
        const bool selected = target != nullptr && target->hasSelectedText();
        m_undo->setEnabled(writable && target->isUndoAvailable());
        m_cut->setEnabled(writable && selected);
        m_copy->setEnabled(selected);
        m_paste->setEnabled(writable && clipboardOffersText());
        m_delete->setEnabled(writable && selected);
    });
}

bool EditCommands::updatePending() const {
    return m_idleTimer->isActive();
}

void EditCommands::scheduleIdleUpdate() {
    if (!m_idleTimer->isActive())
        m_idleTimer->start();
}

} // namespace tavlor::ui
