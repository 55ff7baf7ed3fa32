// Undo, Cut, Copy, Paste and Delete on the focused text box, with their enabled states.
#include "support/form_harness.h"
#include "ui/commands/edit_commands.h"
#include "ui/dialogs/find_dialog.h"
#include "ui/grid/cell_editor.h"
#include "ui/grid/sheet_grid.h"
#include "ui/text/formula_bar.h"
#include "ui/window/tform1.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QtTest>

using namespace tavlor::test;

namespace {

// The enabled states of Undo, Cut, Copy, Paste and Delete, as "UXCPD" with "-" for greyed.
QString states(const TForm1& form) {
    QString text;
    const std::pair<QAction*, char> commands[] = {{form.action("EditUndo1"), 'U'},
                                                  {form.action("EditCut1"), 'X'},
                                                  {form.action("EditCopy1"), 'C'},
                                                  {form.action("EditPaste1"), 'P'},
                                                  {form.action("EditDelete1"), 'D'}};
    for (const auto& [action, letter] : commands)
        text += action->isEnabled() ? QLatin1Char(letter) : QLatin1Char('-');
    return text;
}

// Lets the idle update run.
void settle(const TForm1& form) {
    QTRY_VERIFY(!form.editCommands()->updatePending());
}

} // namespace

class TestEditCommands : public QObject {
    Q_OBJECT

private slots:
    void init();
    void enabledStatesFollowTheFocusedBox();
    void arrivingOnAFilledCellSelectsItsWholeText();
    void cutEmptiesTheCellAtOnceAndUpdatesTheTotals();
    void copyChangesNoCell();
    void deleteLeavesTheClipboardAlone();
    void pasteOfTwoLinesKeepsTheLineBreakInTheCell();
    void pasteAndUndoInTheFormulaBarWriteTheCurrentCell();
    void pasteIsGreyedWithoutTextOnTheClipboard();
    void allGreyedWhileTheFindDialogHasTheFocus();
    void shortcutsOfGreyedCommandsDoNothing();
    void aMenuOverTheWindowKeepsTheStatesOfItsFocusedBox();

private:
    std::unique_ptr<TForm1> m_form;
};

void TestEditCommands::init() {
    m_form = showForm();
    QApplication::clipboard()->setText(QStringLiteral("clip"));
    settle(*m_form);
}

void TestEditCommands::enabledStatesFollowTheFocusedBox() {
    // The in-cell editor on the empty A1: nothing selected, nothing to undo.
    QVERIFY(m_form->S()->editor()->hasFocus());
    QCOMPARE(states(*m_form), QStringLiteral("---P-"));
    QTest::keyClicks(m_form->S()->editor(), QStringLiteral("abc"));
    settle(*m_form);
    QCOMPARE(states(*m_form), QStringLiteral("U--P-"));
    m_form->S()->editor()->setSelection(0, 2);
    settle(*m_form);
    QCOMPARE(states(*m_form), QStringLiteral("UXCPD"));

    m_form->LabeledEdit1()->setFocus();
    m_form->LabeledEdit1()->deselect();
    settle(*m_form);
    QCOMPARE(states(*m_form), QStringLiteral("---P-")); // the formula bar's own undo is empty
    m_form->LabeledEdit1()->selectAll();
    settle(*m_form);
    QCOMPARE(states(*m_form), QStringLiteral("-XCPD"));
}

void TestEditCommands::arrivingOnAFilledCellSelectsItsWholeText() {
    putCell(*m_form, 2, 2, "filled");
    m_form->S()->setFocus();
    QTest::keyClick(m_form->S()->editor(), Qt::Key_Down);
    QTest::keyClick(m_form->S()->editor(), Qt::Key_Right);
    QCOMPARE(m_form->Label1()->text(), QStringLiteral("B2"));
    settle(*m_form);
    QCOMPARE(states(*m_form), QStringLiteral("-XCPD"));
}

void TestEditCommands::cutEmptiesTheCellAtOnceAndUpdatesTheTotals() {
    putCell(*m_form, 3, 4, "cut me");
    m_form->S()->moveTo(3, 4);
    m_form->document().Genislik();
    QCOMPARE(m_form->panelText(4), QStringLiteral("Total Rows:4 Total Cols:3"));
    settle(*m_form);
    QVERIFY(m_form->action("EditCut1")->isEnabled());
    m_form->action("EditCut1")->trigger();
    QCOMPARE(cell(*m_form, 3, 4), std::string());
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("cut me"));
    QCOMPARE(m_form->panelText(4), QStringLiteral("Total Rows:0 Total Cols:0"));
    QCOMPARE(m_form->LabeledEdit1()->text(), QString());
    QCOMPARE(m_form->panelText(1), QStringLiteral("Modified"));
    settle(*m_form);
    QCOMPARE(states(*m_form), QStringLiteral("U--P-"));

    // Undo brings the text back into the cell the same way.
    m_form->action("EditUndo1")->trigger();
    QCOMPARE(cell(*m_form, 3, 4), std::string("cut me"));
    QCOMPARE(m_form->panelText(4), QStringLiteral("Total Rows:4 Total Cols:3"));
}

void TestEditCommands::copyChangesNoCell() {
    putCell(*m_form, 1, 1, "copy me");
    m_form->S()->editor()->selectAll();
    settle(*m_form);
    const Counts before = counts(*m_form);
    m_form->action("EditCopy1")->trigger();
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("copy me"));
    QCOMPARE(cell(*m_form, 1, 1), std::string("copy me"));
    QCOMPARE(counts(*m_form) - before, Counts{});
}

void TestEditCommands::deleteLeavesTheClipboardAlone() {
    putCell(*m_form, 1, 1, "abcdef");
    m_form->S()->editor()->setSelection(1, 3);
    settle(*m_form);
    m_form->action("EditDelete1")->trigger();
    QCOMPARE(cell(*m_form, 1, 1), std::string("aef"));
    QCOMPARE(m_form->LabeledEdit1()->text(), QStringLiteral("aef"));
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("clip"));
}

void TestEditCommands::pasteOfTwoLinesKeepsTheLineBreakInTheCell() {
    QApplication::clipboard()->setText(QStringLiteral("first line\r\nsecond line"));
    settle(*m_form);
    QVERIFY(m_form->action("EditPaste1")->isEnabled());
    m_form->action("EditPaste1")->trigger();
    QCOMPARE(cell(*m_form, 1, 1), std::string("first line\r\nsecond line"));
    QCOMPARE(m_form->LabeledEdit1()->text(), QStringLiteral("first line\r\nsecond line"));
    QCOMPARE(m_form->panelText(4), QStringLiteral("Total Rows:1 Total Cols:1"));
    // Panel 0 says that the file will read the cell back split, until the break is gone.
    QCOMPARE(m_form->panelText(0), QStringLiteral("A1 will load split: file has no quoting"));
    m_form->S()->editor()->selectAll();
    QTest::keyClicks(m_form->S()->editor(), QStringLiteral("one line"));
    QCOMPARE(m_form->panelText(0), QString());
}

void TestEditCommands::pasteAndUndoInTheFormulaBarWriteTheCurrentCell() {
    m_form->S()->moveTo(2, 5);
    m_form->LabeledEdit1()->setFocus();
    QApplication::clipboard()->setText(QStringLiteral("pasted"));
    settle(*m_form);
    m_form->action("EditPaste1")->trigger();
    QCOMPARE(cell(*m_form, 2, 5), std::string("pasted"));
    QCOMPARE(m_form->S()->editor()->text(), QStringLiteral("pasted"));
    settle(*m_form);
    QVERIFY(m_form->action("EditUndo1")->isEnabled());
    m_form->action("EditUndo1")->trigger();
    QCOMPARE(cell(*m_form, 2, 5), std::string());
    QCOMPARE(m_form->panelText(4), QStringLiteral("Total Rows:0 Total Cols:0"));
}

void TestEditCommands::pasteIsGreyedWithoutTextOnTheClipboard() {
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::red);
    QApplication::clipboard()->setImage(image);
    settle(*m_form);
    QVERIFY(!QApplication::clipboard()->mimeData()->hasText());
    QVERIFY(!m_form->action("EditPaste1")->isEnabled());
    QApplication::clipboard()->setText(QString());
    settle(*m_form);
    QVERIFY(m_form->action("EditPaste1")->isEnabled()); // text, even empty, can be pasted
}

void TestEditCommands::allGreyedWhileTheFindDialogHasTheFocus() {
    QTest::keyClicks(m_form->S()->editor(), QStringLiteral("text"));
    m_form->S()->editor()->selectAll();
    settle(*m_form);
    QCOMPARE(states(*m_form), QStringLiteral("UXCPD"));
    m_form->Find1Click();
    QTRY_COMPARE(QApplication::activeWindow(), m_form->FindDialog());
    m_form->FindDialog()->findEdit()->setText(QStringLiteral("find text"));
    m_form->FindDialog()->findEdit()->selectAll();
    settle(*m_form);
    QCOMPARE(states(*m_form), QStringLiteral("-----"));
    // Running a greyed command directly does nothing to the dialog's box either.
    m_form->EditDelete1Execute();
    QCOMPARE(m_form->FindDialog()->findText(), QStringLiteral("find text"));
    m_form->FindDialog()->cancelButton()->click();
    m_form->activateWindow(); // the window manager's part; offscreen has none
    QTRY_COMPARE(QApplication::activeWindow(), m_form.get());
    settle(*m_form);
    QCOMPARE(states(*m_form), QStringLiteral("UXCPD"));
}

void TestEditCommands::shortcutsOfGreyedCommandsDoNothing() {
    putCell(*m_form, 1, 1, "keep");
    m_form->S()->editor()->deselect();
    settle(*m_form);
    QCOMPARE(states(*m_form), QStringLiteral("---P-"));
    QTest::keyClick(m_form->S()->editor(), Qt::Key_X, Qt::ControlModifier);
    QTest::keyClick(m_form->S()->editor(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(cell(*m_form, 1, 1), std::string("keep"));
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("clip"));
    // Enabled, the shortcut runs the command.
    m_form->S()->editor()->selectAll();
    QTest::keyClick(m_form->S()->editor(), Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(cell(*m_form, 1, 1), std::string());
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("keep"));
}

void TestEditCommands::aMenuOverTheWindowKeepsTheStatesOfItsFocusedBox() {
    // Some platforms give an open submenu the keyboard focus; the box beneath still counts.
    QTest::keyClicks(m_form->S()->editor(), QStringLiteral("text"));
    m_form->S()->editor()->selectAll();
    QTRY_COMPARE(states(*m_form), QStringLiteral("UXCPD"));
    auto* edit = m_form->findChild<QMenu*>(QStringLiteral("Edit1"));
    auto* encoding = m_form->findChild<QMenu*>(QStringLiteral("Encoding1"));
    edit->popup(m_form->mapToGlobal(QPoint(40, 40)));
    edit->setActiveAction(encoding->menuAction());
    QTRY_VERIFY(encoding->isVisible());
    encoding->setFocus(Qt::PopupFocusReason);
    m_form->action("EditCut1")->setEnabled(false); // the update puts it right
    QTRY_COMPARE(states(*m_form), QStringLiteral("UXCPD"));
    encoding->hide();
    edit->hide();
}

QTEST_MAIN(TestEditCommands)
#include "tst_edit_commands.moc"
