// The handler chains between grid, formula bar, label and status panels, with the number of extent
// runs and change checks each one costs. In the event log each handler's own effects (formula bar
// changes, "fx ...") come right before its tag, because the log listens after the window.
#include "support/form_harness.h"
#include "ui/grid/cell_editor.h"
#include "ui/grid/sheet_grid.h"
#include "ui/text/formula_bar.h"
#include "ui/view/window_sheet_view.h"
#include "ui/window/tform1.h"

#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QtTest>

using namespace tavlor::test;

namespace {
// The columns of a move from A1 ("abc") onto a cell holding target: the events it logs and the
// extent runs and change checks it costs.
void addMoveColumns() {
    QTest::addColumn<QByteArray>("target");
    QTest::addColumn<QStringList>("expectedLog");
    QTest::addColumn<Counts>("cost");
}
} // namespace

class tst_cell_chains : public QObject {
    Q_OBJECT
private slots:
    void typingInTheCellEditor() {
        auto form = showForm();
        EventLog log(*form);
        const Counts before = counts(*form);
        QTest::keyClick(form->S()->editor(), Qt::Key_A);
        QCOMPARE(cell(*form, 1, 1), std::string("a"));
        QCOMPARE(form->LabeledEdit1()->text(), QStringLiteral("a"));
        QCOMPARE(log.take(), (QStringList{QStringLiteral("fx a"), QStringLiteral("edit A1")}));
        QCOMPARE(counts(*form) - before, (Counts{1, 1}));
        QCOMPARE(form->panelText(1), QStringLiteral("Modified"));
        QCOMPARE(form->panelText(4), QStringLiteral("Total Rows:1 Total Cols:1"));
        // Deleting it again leaves the flag set.
        QTest::keyClick(form->S()->editor(), Qt::Key_Backspace);
        QCOMPARE(cell(*form, 1, 1), std::string());
        QCOMPARE(form->panelText(1), QStringLiteral("Modified"));
        QCOMPARE(form->panelText(4), QStringLiteral("Total Rows:0 Total Cols:0"));
        QVERIFY(form->sheetView().formulaBarIsTheUsers());
    }

    void typingInTheFormulaBar() {
        auto form = showForm();
        form->S()->moveTo(2, 2);
        putCell(*form, 2, 2, "old");
        markSaved(*form);
        form->LabeledEdit1()->setFocus();
        form->LabeledEdit1()->selectAll();
        EventLog log(*form);
        const Counts before = counts(*form);
        QTest::keyClick(form->LabeledEdit1(), Qt::Key_X);
        QCOMPARE(cell(*form, 2, 2), std::string("x"));
        QCOMPARE(log.take(), QStringList{QStringLiteral("fx x")});
        QCOMPARE(counts(*form) - before, (Counts{1, 1}));
        // The in-cell editor shows the same text, wholly selected, without an event of its own.
        QCOMPARE(form->S()->editor()->text(), QStringLiteral("x"));
        QCOMPARE(form->S()->editor()->selectedText(), QStringLiteral("x"));
        QCOMPARE(form->panelText(1), QStringLiteral("Modified"));
        QCOMPARE(form->panelText(4), QStringLiteral("Total Rows:2 Total Cols:2"));
        QTest::keyClick(form->LabeledEdit1(), Qt::Key_Y);
        QCOMPARE(cell(*form, 2, 2), std::string("xy"));
    }

    void mousePressOnAnotherCell_data() {
        addMoveColumns();
        QTest::newRow("texts differ")
            << QByteArray("xyz")
            << QStringList{QStringLiteral("edit A1"), QStringLiteral("fx xyz"),
                           QStringLiteral("select B3"), QStringLiteral("click")}
            << Counts{2, 1};
        QTest::newRow("same text")
            << QByteArray("abc")
            << QStringList{QStringLiteral("edit A1"), QStringLiteral("select B3"),
                           QStringLiteral("click")}
            << Counts{1, 0};
    }
    void mousePressOnAnotherCell() {
        QFETCH(QByteArray, target);
        QFETCH(QStringList, expectedLog);
        QFETCH(Counts, cost);
        auto form = showForm();
        putCell(*form, 1, 1, "abc");
        putCell(*form, 2, 3, target.toStdString());
        markSaved(*form);
        form->S()->moveTo(1, 2);
        form->S()->moveTo(1, 1); // the formula bar shows A1's text, as after any arrival
        QCOMPARE(form->LabeledEdit1()->text(), QStringLiteral("abc"));
        EventLog log(*form);
        const Counts before = counts(*form);
        QWidget* viewport = form->S()->viewport();
        const QPoint at = form->S()->cellRect(2, 3).center();
        QTest::mousePress(viewport, Qt::LeftButton, {}, at);
        QCOMPARE(log.take(), expectedLog);
        QCOMPARE(counts(*form) - before, cost);
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, at);
        QCOMPARE(log.take(), QStringList());
        QCOMPARE(cell(*form, 1, 1), std::string("abc"));
        QCOMPARE(cell(*form, 2, 3), target.toStdString());
        QCOMPARE(form->LabeledEdit1()->text(), QString::fromLatin1(target));
        QCOMPARE(form->Label1()->text(), QStringLiteral("B3"));
        QCOMPARE(form->Label1()->width(), 46);
        QCOMPARE(form->panelText(2), QStringLiteral("3"));
        QCOMPARE(form->panelText(3), QStringLiteral("2"));
        QCOMPARE(form->panelText(1), QString());
        QCOMPARE(focused(), form->S()->editor());
        QCOMPARE(form->S()->editor()->selectedText(), QString::fromLatin1(target));
    }

    void navigationKey_data() {
        addMoveColumns();
        QTest::newRow("texts differ")
            << QByteArray("def")
            << QStringList{QStringLiteral("fx def"), QStringLiteral("select A2"),
                           QStringLiteral("fx abc"), QStringLiteral("edit A1"),
                           QStringLiteral("fx def"), QStringLiteral("click")}
            << Counts{4, 3};
        QTest::newRow("same text")
            << QByteArray("abc")
            << QStringList{QStringLiteral("select A2"), QStringLiteral("edit A1"),
                           QStringLiteral("click")}
            << Counts{1, 0};
    }
    void navigationKey() {
        QFETCH(QByteArray, target);
        QFETCH(QStringList, expectedLog);
        QFETCH(Counts, cost);
        auto form = showForm();
        putCell(*form, 1, 1, "abc");
        putCell(*form, 1, 2, target.toStdString());
        markSaved(*form);
        form->S()->moveTo(2, 1);
        form->S()->moveTo(1, 1);
        EventLog log(*form);
        const Counts before = counts(*form);
        QTest::keyClick(form->S()->editor(), Qt::Key_Down);
        QCOMPARE(log.take(), expectedLog);
        QCOMPARE(counts(*form) - before, cost);
        QCOMPARE(cell(*form, 1, 1), std::string("abc"));
        QCOMPARE(cell(*form, 1, 2), target.toStdString());
        QCOMPARE(form->LabeledEdit1()->text(), QString::fromLatin1(target));
        QCOMPARE(form->S()->editor()->selectedText(), QString::fromLatin1(target));
        QCOMPARE(form->panelText(1), QString());
        QVERIFY(form->sheetView().formulaBarIsTheUsers());
    }

    void downFromTextToAnEmptyCellLeavesItEmpty() {
        auto form = showForm();
        QTest::keyClick(form->S()->editor(), Qt::Key_X); // the sheet is now modified
        form->document().markUnmodified();
        QTest::keyClick(form->S()->editor(), Qt::Key_Down);
        QCOMPARE(cell(*form, 1, 2), std::string());
        QCOMPARE(cell(*form, 1, 1), std::string("x"));
        QCOMPARE(form->LabeledEdit1()->text(), QString());
        QCOMPARE(form->panelText(1), QString());
    }

    void assigningColumnThenRow() {
        auto form = showForm();
        form->S()->moveTo(3, 5);
        putCell(*form, 1, 5, "p");
        putCell(*form, 1, 1, "q");
        markSaved(*form);
        EventLog log(*form);
        form->S()->setCol(1);
        form->S()->setRow(1);
        const QStringList entries = log.take();
        QCOMPARE(entries.filter(QStringLiteral("select")),
                 (QStringList{QStringLiteral("select A5"), QStringLiteral("select A1")}));
        QCOMPARE(entries.filter(QStringLiteral("click")).size(), 2);
        QCOMPARE(form->Label1()->text(), QStringLiteral("A1"));
        QCOMPARE(form->LabeledEdit1()->text(), QStringLiteral("q"));
        // Assigning the present values runs nothing at all.
        const Counts before = counts(*form);
        form->S()->setCol(1);
        form->S()->setRow(1);
        QCOMPARE(log.take(), QStringList());
        QCOMPARE(counts(*form) - before, (Counts{0, 0}));
        // Outside the grid the assignment fails and nothing moves.
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, form->S()->setCol(27));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, form->S()->setRow(10000));
        try {
            form->S()->setRow(-1);
        } catch (const std::out_of_range& error) {
            QCOMPARE(QString::fromLatin1(error.what()), QStringLiteral("Grid index out of range"));
        }
        QCOMPARE(form->S()->col(), 1);
        QCOMPARE(form->S()->row(), 1);
        QCOMPARE(form->panelText(1), QString());
    }

    void clearingTheSheetKeepsTheFormulaBarEmptyOnA1() {
        auto form = showForm();
        putCell(*form, 1, 1, "kept?");
        form->S()->moveTo(3, 7);
        form->S()->moveTo(1, 1);
        QCOMPARE(form->LabeledEdit1()->text(), QStringLiteral("kept?"));
        form->S()->moveTo(2, 2);
        form->document().Sil();
        QCOMPARE(form->S()->col(), 1);
        QCOMPARE(form->S()->row(), 1);
        QCOMPARE(form->LabeledEdit1()->text(), QString());
        QCOMPARE(cell(*form, 1, 1), std::string());
        QCOMPARE(form->panelText(1), QString());
        QCOMPARE(form->panelText(4), QStringLiteral("Total Rows:0 Total Cols:0"));
        QCOMPARE(form->Label1()->text(), QStringLiteral("A1"));
    }

    void loadingShowsTheNewTextsWithoutMovingOrMarking() {
        auto form = showForm();
        QTest::keyClicks(form->S()->editor(), QStringLiteral("old"));
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QFile file(dir.filePath(QStringLiteral("sheet.csv")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("loaded;b1;\r\nA2;\r\n");
        file.close();
        EventLog log(*form);
        form->document().Ac(file.fileName().toStdString());
        form->document().markUnmodified();
        QCOMPARE(cell(*form, 1, 1), std::string("loaded"));
        QCOMPARE(form->S()->col(), 1);
        QCOMPARE(form->S()->row(), 1);
        // The editor on A1 shows the loaded text; the formula bar keeps the empty text of the
        // clear.
        QCOMPARE(form->S()->editor()->text(), QStringLiteral("loaded"));
        QCOMPARE(form->S()->editor()->selectedText(), QStringLiteral("loaded"));
        QCOMPARE(form->LabeledEdit1()->text(), QString());
        QCOMPARE(log.take(), QStringList{QStringLiteral("fx ")});
        QCOMPARE(form->panelText(4), QStringLiteral("Total Rows:2 Total Cols:2"));
        // Moving away and back shows A1 in the formula bar, and nothing is marked.
        QTest::keyClick(form->S()->editor(), Qt::Key_Down);
        QTest::keyClick(form->S()->editor(), Qt::Key_Up);
        QCOMPARE(form->LabeledEdit1()->text(), QStringLiteral("loaded"));
        QCOMPARE(cell(*form, 1, 2), std::string("A2"));
        QCOMPARE(form->panelText(1), QString());
    }

    void selectingZ9999() {
        auto form = showForm();
        QTest::keyClick(form->S()->editor(), Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(form->Label1()->text(), QStringLiteral("Z9999"));
        QCOMPARE(form->panelText(2), QStringLiteral("9999"));
        QCOMPARE(form->panelText(3), QStringLiteral("26"));
        QCOMPARE(form->Label1()->width(), 46);
        QVERIFY(form->S()->viewport()->rect().contains(form->S()->cellRect(26, 9999)));
        QVERIFY(form->S()->editor()->isVisible());
        QCOMPARE(form->S()->editor()->geometry(),
                 form->S()->cellRect(26, 9999).adjusted(0, 0, -1, -1));
    }
};

QTEST_MAIN(tst_cell_chains)
#include "tst_cell_chains.moc"
