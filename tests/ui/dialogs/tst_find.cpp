// The find dialog and the search it runs on the sheet.
#include "support/modal_script.h"
#include "support/seen_box.h"
#include "ui/dialogs/copyable_message_box.h"
#include "ui/dialogs/dialog_placement.h"
#include "ui/dialogs/find_dialog.h"
#include "ui/encoding/document_encoding_control.h"
#include "ui/grid/cell_editor.h"
#include "ui/grid/sheet_grid.h"
#include "ui/text/formula_bar.h"
#include "ui/window/tform1.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTest>

#include <memory>

using namespace tavlor::test;
using tavlor::ui::FindDialog;

class TestFind : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void dialogLooksLikeTheFamiliarFindDialog();
    void caseMattersAndPartsOfCellsAreFound();
    void rowOrderAndSameHitAgain();
    void alwaysStartsAtA1();
    void searchTextIsInTheDocumentsEncoding();
    void headersAreNeverSearched();
    void blanksAreFound();
    void hitAlreadyCurrentOnlyFocusesTheGrid();
    void enterInTheDialogSearches();
    void notFoundBoxCopiesItselfWithCtrlC();
    void firstOpeningAtOneThirdThenWhereItWasClosed();
    void openingAgainOnlyRaisesTheDialog();

private:
    void put(int col, int row, const char* text);
    /** Presses Find Next with text; returns what a not-found box showed (empty caption: none). */
    SeenBox search(const QString& text, CopyBox copy = CopyBox::No);
    /** The grid's current cell as (column, row). */
    QPoint current() const { return {m_window->S()->col(), m_window->S()->row()}; }

    std::unique_ptr<TForm1> m_window;
};

void TestFind::init() {
    m_window = std::make_unique<TForm1>();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
}

void TestFind::cleanup() {
    m_window->document().markUnmodified(); // no save prompt on closing
    m_window->hide();
    m_window.reset();
}

void TestFind::put(int col, int row, const char* text) {
    m_window->document().sheet().setCell(col, row, text);
    m_window->S()->showCell(col, row);
    m_window->document().Genislik();
}

SeenBox TestFind::search(const QString& text, CopyBox copy) {
    FindDialog* dialog = m_window->FindDialog();
    if (!dialog->isVisible())
        m_window->Find1Click();
    dialog->setFindText(text);
    SeenBox seen;
    ModalScript script;
    // Escape: OK is the cancel button as well.
    script.then(answerBox(seen, QMessageBox::NoButton, copy));
    dialog->findNextButton()->click();
    return seen;
}

void TestFind::dialogLooksLikeTheFamiliarFindDialog() {
    FindDialog* dialog = m_window->FindDialog();
    QVERIFY(dialog != nullptr);
    QVERIFY(!dialog->isVisible()); // created with the window, shown on demand
    QCOMPARE(dialog->findEdit()->maxLength(), 255);
    QCOMPARE(dialog->wholeWordBox()->text().remove(QLatin1Char('&')),
             QStringLiteral("Match whole word only"));
    QCOMPARE(dialog->matchCaseBox()->text().remove(QLatin1Char('&')), QStringLiteral("Match case"));
    QVERIFY(!dialog->wholeWordBox()->isChecked());
    QVERIFY(!dialog->matchCaseBox()->isChecked());
    QVERIFY(dialog->downButton()->isChecked());
    QVERIFY(!dialog->upButton()->isChecked());
    QCOMPARE(dialog->findNextButton()->text().remove(QLatin1Char('&')),
             QStringLiteral("Find Next"));
    QVERIFY(dialog->findNextButton()->isDefault());
    QCOMPARE(dialog->cancelButton()->text(), QStringLiteral("Cancel"));
    const auto labels = dialog->findChildren<QLabel*>();
    QVERIFY(std::any_of(labels.begin(), labels.end(), [](QLabel* label) {
        return label->text().remove(QLatin1Char('&')) == QStringLiteral("Find what:");
    }));
    QVERIFY(!dialog->isModal());
}

void TestFind::caseMattersAndPartsOfCellsAreFound() {
    put(2, 3, "cat");
    const SeenBox seen = search(QStringLiteral("Cat"));
    QCOMPARE(seen.text, QStringLiteral("Search String Not Found!"));
    QCOMPARE(current(), QPoint(1, 1));

    QVERIFY(search(QStringLiteral("at")).caption.isEmpty());
    QCOMPARE(current(), QPoint(2, 3));
    QCOMPARE(m_window->Label1()->text(), QStringLiteral("B3"));
    QCOMPARE(m_window->panelText(2), QStringLiteral("3"));
    QCOMPARE(m_window->panelText(3), QStringLiteral("2"));
    QCOMPARE(m_window->LabeledEdit1()->text(), QStringLiteral("cat"));
    QCOMPARE(m_window->document().sheet().cell(2, 3), std::string("cat"));
    // Matching whole words or case is offered but has no effect.
    m_window->FindDialog()->matchCaseBox()->setChecked(true);
    m_window->FindDialog()->wholeWordBox()->setChecked(true);
    m_window->S()->moveTo(1, 1);
    QVERIFY(search(QStringLiteral("at")).caption.isEmpty());
    QCOMPARE(m_window->S()->col(), 2);

    QCOMPARE(search(QStringLiteral("cats")).text, QStringLiteral("Search String Not Found!"));
    QCOMPARE(current(), QPoint(2, 3)); // a failed search leaves the selection alone
}

void TestFind::rowOrderAndSameHitAgain() {
    put(1, 2, "x");
    put(3, 1, "x");
    QVERIFY(search(QStringLiteral("x")).caption.isEmpty());
    QCOMPARE(current(), QPoint(3, 1));
    QVERIFY(search(QStringLiteral("x")).caption.isEmpty());
    QCOMPARE(current(), QPoint(3, 1));
    QVERIFY(m_window->FindDialog()->isVisible()); // the dialog stays open after a hit
}

void TestFind::searchTextIsInTheDocumentsEncoding() {
    put(3, 2, "\xDEi\xFEli"); // Şişli in Windows-1254
    m_window->encodingControl().setDocumentEncoding(tavlor::TextEncoding::Windows1254);
    QVERIFY(search(QStringLiteral("ş")).caption.isEmpty());
    QCOMPARE(current(), QPoint(3, 2));
    // A character the encoding cannot hold is in no cell.
    m_window->S()->moveTo(1, 1);
    QCOMPARE(search(QStringLiteral("ş→")).text, QStringLiteral("Search String Not Found!"));
    QCOMPARE(m_window->S()->col(), 1);
    // UTF-16 holds every character.
    put(3, 2, ""); // Şişli's five bytes are no UTF-16 text
    put(4, 3, "\x5F\x01\x92\x21"); // ş→ in UTF-16 LE
    m_window->encodingControl().setDocumentEncoding(tavlor::TextEncoding::Utf16Le);
    QVERIFY(search(QStringLiteral("ş→")).caption.isEmpty());
    QCOMPARE(current(), QPoint(4, 3));
}

void TestFind::alwaysStartsAtA1() {
    put(1, 1, "x");
    m_window->S()->moveTo(26, 9999);
    QVERIFY(search(QStringLiteral("x")).caption.isEmpty());
    QCOMPARE(current(), QPoint(1, 1));
    QCOMPARE(m_window->Label1()->text(), QStringLiteral("A1"));
}

void TestFind::headersAreNeverSearched() {
    QCOMPARE(search(QStringLiteral("5")).text, QStringLiteral("Search String Not Found!"));
    QCOMPARE(search(QStringLiteral("B")).text, QStringLiteral("Search String Not Found!"));
    QCOMPARE(current(), QPoint(1, 1));
}

void TestFind::blanksAreFound() {
    put(4, 5, "   ");
    QVERIFY(search(QStringLiteral(" ")).caption.isEmpty());
    QCOMPARE(current(), QPoint(4, 5));
}

void TestFind::hitAlreadyCurrentOnlyFocusesTheGrid() {
    put(2, 3, "cat");
    m_window->S()->moveTo(2, 3);
    m_window->Find1Click();
    QTRY_COMPARE(QApplication::activeWindow(), m_window->FindDialog());
    QVERIFY(!m_window->S()->ownsFocus());
    const auto extentRuns = m_window->document().extentRuns();
    const auto changeChecks = m_window->document().changeChecks();
    QVERIFY(search(QStringLiteral("cat")).caption.isEmpty());
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    QTRY_VERIFY(m_window->S()->ownsFocus());
    QCOMPARE(current(), QPoint(2, 3));
    QCOMPARE(m_window->document().extentRuns(), extentRuns); // no selection handling ran
    QCOMPARE(m_window->document().changeChecks(), changeChecks);
    QVERIFY(m_window->FindDialog()->isVisible());
}

void TestFind::enterInTheDialogSearches() {
    put(5, 7, "needle");
    m_window->Find1Click();
    FindDialog* dialog = m_window->FindDialog();
    QVERIFY(QTest::qWaitForWindowActive(dialog));
    QTest::keyClicks(dialog->findEdit(), QStringLiteral("eed"));
    QTest::keyClick(dialog->findEdit(), Qt::Key_Return);
    QCOMPARE(current(), QPoint(5, 7));
    QVERIFY(dialog->isVisible());
}

void TestFind::notFoundBoxCopiesItselfWithCtrlC() {
    const SeenBox seen = search(QStringLiteral("nothing"), CopyBox::Yes);
    QCOMPARE(seen.caption, QStringLiteral("Information"));
    QCOMPARE(seen.text, QStringLiteral("Search String Not Found!"));
    QCOMPARE(seen.icon, QMessageBox::Information);
    QCOMPARE(seen.buttons, QStringList{QStringLiteral("OK")});
    // Centred on the screen, not over the find dialog.
    QCOMPARE(seen.frame.topLeft(),
             QPoint(seen.screen.left() + (seen.screen.width() - seen.frame.width()) / 2,
                    seen.screen.top() + (seen.screen.height() - seen.frame.height()) / 2));
    const QString line = QStringLiteral("---------------------------\n");
    QCOMPARE(seen.copied, line + QStringLiteral("Information\n") + line +
                              QStringLiteral("Search String Not Found!\n") + line +
                              QStringLiteral("OK   \n") + line);
}

void TestFind::firstOpeningAtOneThirdThenWhereItWasClosed() {
    FindDialog* dialog = m_window->FindDialog();
    QVERIFY(!dialog->rememberedPosition());
    m_window->Find1Click();
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    const QRect screen = m_window->screen()->geometry();
    const QSize size = dialog->frameGeometry().size();
    QCOMPARE(dialog->pos(), QPoint(screen.left() + (screen.width() - size.width()) / 2,
                                   screen.top() + (screen.height() - size.height()) / 3));
    QCOMPARE(tavlor::ui::oneThirdPosition(QRect(0, 0, 1920, 1080), QSize(351, 151)),
             QPoint(784, 309));

    dialog->setFindText(QStringLiteral("kept"));
    dialog->matchCaseBox()->setChecked(true);
    dialog->move(37, 41);
    dialog->cancelButton()->click();
    QVERIFY(!dialog->isVisible());
    QCOMPARE(dialog->rememberedPosition(), std::optional<QPoint>(QPoint(37, 41)));

    m_window->ToolButton10Click();
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    QCOMPARE(dialog->pos(), QPoint(37, 41));
    QCOMPARE(dialog->findText(), QStringLiteral("kept"));
    QVERIFY(dialog->matchCaseBox()->isChecked());

    dialog->move(60, 70);
    QTest::keyClick(dialog, Qt::Key_Escape);
    QVERIFY(!dialog->isVisible());
    QCOMPARE(dialog->rememberedPosition(), std::optional<QPoint>(QPoint(60, 70)));
}

void TestFind::openingAgainOnlyRaisesTheDialog() {
    m_window->Find1Click();
    FindDialog* dialog = m_window->FindDialog();
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    dialog->setFindText(QStringLiteral("typed"));
    dialog->move(90, 80);
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    m_window->Find1Click();
    QVERIFY(QTest::qWaitForWindowActive(dialog));
    QCOMPARE(dialog->pos(), QPoint(90, 80));
    QCOMPARE(dialog->findText(), QStringLiteral("typed"));
    QCOMPARE(m_window->findChildren<FindDialog*>().size(), 1);
    m_window->action("ToolButton10")->trigger();
    QCOMPARE(m_window->findChildren<FindDialog*>().size(), 1);
    QVERIFY(dialog->isVisible());
}

QTEST_MAIN(TestFind)
#include "tst_find.moc"
