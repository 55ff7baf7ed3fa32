#pragma once

#include <QObject>

#include <functional>
#include <string>
#include <vector>

class QAction;
class QLineEdit;
class QTimer;
class QWidget;

namespace tavlor::ui {

class ActionRegistry;

/** The window's text commands Undo, Cut, Copy, Paste and Delete: they act on the focused text box
 *  of the window, keep their enabled states current, and see that the window's command keys reach
 *  the commands rather than the boxes. */
class EditCommands : public QObject {
    Q_OBJECT
public:
    /** Runs a body inside the window's one error boundary. */
    using Guard = std::function<void(const std::function<void()>&)>;
    /** Shows a hint about the current cell in the window's panel 0. */
    using HintSink = std::function<void(const std::string&)>;

    /** window owns this; the five commands are found in actions by their ids (EditUndo1,
     *  EditCut1, EditCopy1, EditPaste1, EditDelete1), made before any of them runs. */
    EditCommands(QWidget* window, const ActionRegistry& actions, Guard guard, HintSink showHint);

    /** The command keys among shortcuts go to their commands from grid and boxes; the enabled
     *  states follow the focus, the boxes' text and selection, and the clipboard. */
    void watch(std::vector<QAction*> shortcuts, QWidget* grid,
               const std::vector<QLineEdit*>& boxes);

    // EditUndo1Execute: the focused text box undoes its last change.
    void EditUndo1Execute();
    // EditCut1Execute: the selection goes to the clipboard and out of the focused text box.
    void EditCut1Execute();
    // EditCopy1Execute: the selection of the focused text box goes to the clipboard.
    void EditCopy1Execute();
    // EditPaste1Execute: the clipboard text replaces the selection or goes in at the caret.
    void EditPaste1Execute();
    // EditDelete1Execute: removes the selection; the clipboard stays as it was.
    void EditDelete1Execute();

    /** Sets the enabled states of the five commands, inside the error boundary; runs when the
     *  program becomes idle, before a menu opens and before a command key is matched. */
    void updateEditActions();
    /** True while an idle update is asked for and has not run yet. */
    bool updatePending() const;

private:
    /** Asks for updateEditActions() once the pending events are handled. */
    void scheduleIdleUpdate();
    /** The text box the commands act on: the window's focused formula bar or in-cell editor; none
     *  while the focus is elsewhere, for instance in the find dialog. */
    QLineEdit* editTarget() const;
    /** The target box when its selection may be cut or deleted: writable, with text selected. */
    QLineEdit* changeableSelection() const;

    Guard m_guard;
    HintSink m_showHint;
    QTimer* m_idleTimer;
    // The five commands whose enabled states updateEditActions sets.
    QAction* m_undo;
    QAction* m_cut;
    QAction* m_copy;
    QAction* m_paste;
    QAction* m_delete;
};

} // namespace tavlor::ui
