// Command shortcuts go to the window's commands wherever the focus is, and a text box never sees
// the key, also when the command is disabled.
#include "support/form_harness.h"
#include "support/modal_script.h"
#include "support/seen_box.h"
#include "ui/commands/shortcut_gate.h"
#include "ui/desktop/termination_request.h"
#include "ui/grid/cell_editor.h"
#include "ui/grid/sheet_grid.h"
#include "ui/text/formula_bar.h"
#include "ui/window/tform1.h"

#include <QAction>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QVBoxLayout>
#include <QtTest>

#include <csignal>

using namespace tavlor::test;

class tst_shortcuts : public QObject {
    Q_OBJECT
private slots:
    void ctrlSInTheFormulaBarSavesAndTypesNothing() {
        auto form = showForm();
        ModalScript dialogs; // Save of the unnamed sheet asks for a name: cancel it
        putCell(*form, 1, 2, "abc");
        form->S()->moveTo(1, 2);
        form->LabeledEdit1()->setFocus();
        form->LabeledEdit1()->setCursorPosition(1);
        QSignalSpy save(form->action("FileSave1"), &QAction::triggered);
        EventLog log(*form);
        QTest::keyClick(form->LabeledEdit1(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(save.count(), 1);
        QCOMPARE(form->LabeledEdit1()->text(), QStringLiteral("abc"));
        QCOMPARE(cell(*form, 1, 2), std::string("abc"));
        QCOMPARE(log.take(), QStringList());
        // The window is active again once the cancelled Save dialog has gone.
        QTRY_VERIFY(form->isActiveWindow());
        QCOMPARE(focused(), form->LabeledEdit1());
    }

    void shortcutsReachTheCommandsFromEitherBox_data() {
        addBoolRows("inFormulaBar", {{"in-cell editor", false}, {"formula bar", true}});
    }
    void shortcutsReachTheCommandsFromEitherBox() {
        QFETCH(bool, inFormulaBar);
        auto form = showForm();
        ModalScript dialogs; // the save prompts and dialogs of the commands: cancel

        QLineEdit* box = inFormulaBar ? static_cast<QLineEdit*>(form->LabeledEdit1())
                                      : static_cast<QLineEdit*>(form->S()->editor());
        box->setFocus();
        QTest::keyClicks(box, QStringLiteral("text"));
        box->selectAll();
        const struct {
            QAction* action;
            Qt::Key key;
        } commands[] = {{form->action("FileNew1"), Qt::Key_N},
                        {form->action("FileOpen1"), Qt::Key_O},
                        {form->action("FileSave1"), Qt::Key_S},
                        {form->action("EditCopy1"), Qt::Key_C},
                        // last: the cut empties the box, which disables Cut and Copy
                        {form->action("EditCut1"), Qt::Key_X}};
        for (const auto& command : commands) {
            QTRY_VERIFY(form->isActiveWindow());      // after the previous command's cancelled box
            QTRY_VERIFY(command.action->isEnabled()); // refreshed when the program is idle
            QSignalSpy spy(command.action, &QAction::triggered);
            QTest::keyClick(box, command.key, Qt::ControlModifier);
            QCOMPARE(spy.count(), 1);
        }
        // Ctrl with Shift is another combination: no command.
        QSignalSpy save(form->action("FileSave1"), &QAction::triggered);
        QTest::keyClick(box, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(save.count(), 0);
    }

    void disabledCommandStillEatsItsKey() {
        QWidget window;
        auto* box = new QLineEdit(&window);
        (new QVBoxLayout(&window))->addWidget(box);
        auto* undo = new QAction(&window);
        undo->setShortcut(QKeySequence(QStringLiteral("Ctrl+Z")));
        undo->setEnabled(false);
        window.addAction(undo);
        int refreshes = 0;
        tavlor::ui::ShortcutGate gate({undo}, [&] { ++refreshes; });
        box->installEventFilter(&gate);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        box->setFocus();
        QTest::keyClicks(box, QStringLiteral("x"));
        QSignalSpy spy(undo, &QAction::triggered);
        QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(box->text(), QStringLiteral("x")); // the box's own undo did not run
        QCOMPARE(spy.count(), 0);
        QCOMPARE(refreshes, 1);
        // The refresh runs before the key is matched, so a command it enables runs at once.
        tavlor::ui::ShortcutGate enabling({undo}, [&] { undo->setEnabled(true); });
        box->removeEventFilter(&gate);
        box->installEventFilter(&enabling);
        QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(box->text(), QStringLiteral("x"));
        // Keys that are no command still edit.
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(box->selectedText(), QStringLiteral("x"));
    }

    void exitClosesTheWindow() {
        auto form = showForm();
        form->action("Exit1")->trigger();
        QVERIFY(!form->isVisible());
    }

    void terminationSignalAsksTheWindowToClose() {
        auto form = showForm();
        tavlor::ui::TerminationRequest request(form.get(), [&form] { form->keepUnsavedWork(); });
        // Unsaved changes: they go to the recovery file, the close query asks, and Cancel keeps
        // the window (and the file).
        QTest::keyClicks(form->S()->editor(), QStringLiteral("kept"));
        QCOMPARE(form->panelText(1), QStringLiteral("Modified"));
        ModalScript dialogs;
        SeenBox asked;
        dialogs.then(answerBox(asked, QMessageBox::Cancel));
        ::raise(SIGTERM);
        QTRY_COMPARE(dialogs.seen(), QStringList{QStringLiteral("Confirmation")});
        QVERIFY(form->isVisible());
        const QString recovery = QString::fromStdString(form->recoveryFile());
        QVERIFY(fileBytes(recovery).find("kept") != std::string::npos);
        markSaved(*form);
        ::raise(SIGTERM);
        QTRY_VERIFY(!form->isVisible());
        QVERIFY(!QFile::exists(recovery)); // a clean exit leaves nothing to offer
    }
};

QTEST_MAIN(tst_shortcuts)
#include "tst_shortcuts.moc"
