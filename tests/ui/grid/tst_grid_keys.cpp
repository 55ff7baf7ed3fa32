// The keys of the in-cell editor, row by row: navigation with its caret rule, paging, Enter, F2 and
// the keys that are swallowed or leave the grid.
#include "support/form_harness.h"
#include "ui/grid/cell_editor.h"
#include "ui/grid/sheet_grid.h"
#include "ui/text/formula_bar.h"
#include "ui/window/tform1.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QScrollBar>
#include <QtTest>

using namespace tavlor::test;

namespace {
struct Here {
    int col;
    int row;
    bool operator==(const Here&) const = default;
};
Here here(const TForm1& form) {
    return {form.S()->col(), form.S()->row()};
}
int fullyVisibleRows(const TForm1& form) {
    return form.S()->viewport()->height() / 20;
}

// A point of a header section away from its label and its edges, as drawn on screen.
QColor sectionColour(QHeaderView* header, int section) {
    const QImage image = header->viewport()->grab().toImage();
    const int at = header->sectionViewportPosition(section) + 3;
    return header->orientation() == Qt::Horizontal ? image.pixelColor(at, header->height() / 2)
                                                   : image.pixelColor(2, at);
}

// Gathers what a widget repaints.
class PaintedRegion : public QObject {
public:
    explicit PaintedRegion(QWidget* widget) { widget->installEventFilter(this); }
    QRegion region;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            region += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
};

// Found by argument-dependent lookup, so failed comparisons print the cell.
char* toString(const Here& at) {
    return QTest::toString(QStringLiteral("(%1, %2)").arg(at.col).arg(at.row));
}
} // namespace

class tst_grid_keys : public QObject {
    Q_OBJECT
private slots:
    void arrowsAndHomeEndOnEmptyCells_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("col");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("toCol");
        QTest::addColumn<int>("toRow");
        const int none = Qt::NoModifier;
        const int ctrl = Qt::ControlModifier;
        QTest::newRow("Down") << int(Qt::Key_Down) << none << 3 << 5 << 3 << 6;
        QTest::newRow("Up") << int(Qt::Key_Up) << none << 3 << 5 << 3 << 4;
        QTest::newRow("Up on row 1") << int(Qt::Key_Up) << none << 3 << 1 << 3 << 1;
        QTest::newRow("Down on row 9999") << int(Qt::Key_Down) << none << 3 << 9999 << 3 << 9999;
        QTest::newRow("Left") << int(Qt::Key_Left) << none << 3 << 5 << 2 << 5;
        QTest::newRow("Left on column 1") << int(Qt::Key_Left) << none << 1 << 5 << 1 << 5;
        QTest::newRow("Right") << int(Qt::Key_Right) << none << 3 << 5 << 4 << 5;
        QTest::newRow("Right on Z") << int(Qt::Key_Right) << none << 26 << 5 << 26 << 5;
        QTest::newRow("Home") << int(Qt::Key_Home) << none << 3 << 5 << 1 << 5;
        QTest::newRow("End") << int(Qt::Key_End) << none << 3 << 5 << 26 << 5;
        QTest::newRow("Ctrl+Home") << int(Qt::Key_Home) << ctrl << 3 << 5 << 1 << 1;
        QTest::newRow("Ctrl+End") << int(Qt::Key_End) << ctrl << 3 << 5 << 26 << 9999;
    }
    void arrowsAndHomeEndOnEmptyCells() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, col);
        QFETCH(int, row);
        QFETCH(int, toCol);
        QFETCH(int, toRow);
        auto form = showForm();
        form->S()->moveTo(col, row);
        EventLog log(*form);
        QTest::keyClick(form->S()->editor(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(here(*form), (Here{toCol, toRow}));
        // A target equal to the current cell runs nothing.
        QCOMPARE(log.take().isEmpty(), toCol == col && toRow == row);
        QCOMPARE(form->panelText(2), QString::number(toRow));
        QCOMPARE(form->panelText(3), QString::number(toCol));
    }

    void caretRuleOnArrival() {
        auto form = showForm();
        putCell(*form, 2, 2, "abc");
        form->S()->moveTo(2, 2);
        auto* editor = form->S()->editor();
        // Presses key in the editor: the cell the grid is on afterwards.
        auto press = [&](Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
            QTest::keyClick(editor, key, modifiers);
            return here(*form);
        };
        QCOMPARE(editor->selectedText(), QStringLiteral("abc"));
        QCOMPARE(editor->cursorPosition(), 3);
        // Whole text selected, caret at the end: Left moves inside the text first.
        QCOMPARE(press(Qt::Key_Left), (Here{2, 2}));
        QCOMPARE(press(Qt::Key_Home), (Here{2, 2}));
        QCOMPARE(editor->cursorPosition(), 0);
        // At the start with nothing selected, Left leaves.
        QCOMPARE(press(Qt::Key_Left), (Here{1, 2}));
        // Right leaves at once from a wholly selected text.
        form->S()->moveTo(2, 2);
        QCOMPARE(press(Qt::Key_Right), (Here{3, 2}));
        // A partial selection keeps the keys in the text.
        form->S()->moveTo(2, 2);
        editor->setSelection(0, 2);
        QCOMPARE(press(Qt::Key_End), (Here{2, 2}));
        QCOMPARE(editor->cursorPosition(), 3);
        QCOMPARE(press(Qt::Key_End), (Here{26, 2}));
        // With Ctrl the caret does not matter.
        form->S()->moveTo(2, 2);
        editor->setCursorPosition(1);
        QCOMPARE(press(Qt::Key_Home, Qt::ControlModifier), (Here{1, 1}));
        QCOMPARE(cell(*form, 2, 2), std::string("abc"));
    }

    void pagingRows() {
        auto form = showForm();
        const int page = fullyVisibleRows(*form) - 1;
        QVERIFY(page >= 1);
        QScrollBar* bar = form->S()->verticalScrollBar();
        QTest::keyClick(form->S()->editor(), Qt::Key_PageDown);
        QCOMPARE(here(*form), (Here{1, 1 + page}));
        QCOMPARE(bar->value(), page);
        QTest::keyClick(form->S()->editor(), Qt::Key_PageDown);
        QCOMPARE(here(*form), (Here{1, 1 + 2 * page}));
        QTest::keyClick(form->S()->editor(), Qt::Key_PageUp);
        QCOMPARE(here(*form), (Here{1, 1 + page}));
        QTest::keyClick(form->S()->editor(), Qt::Key_PageUp);
        QTest::keyClick(form->S()->editor(), Qt::Key_PageUp);
        QCOMPARE(here(*form), (Here{1, 1}));
        QCOMPARE(bar->value(), 0);
    }

    void ctrlPagingGoesToTheVisibleEdgesOfTheColumn() {
        auto form = showForm();
        form->S()->moveTo(4, 3);
        QTest::keyClick(form->S()->editor(), Qt::Key_PageDown, Qt::ControlModifier);
        QCOMPARE(here(*form), (Here{4, fullyVisibleRows(*form)}));
        QCOMPARE(form->S()->verticalScrollBar()->value(), 0);
        QTest::keyClick(form->S()->editor(), Qt::Key_PageUp, Qt::ControlModifier);
        QCOMPARE(here(*form), (Here{4, 1}));
    }

    void ctrlUpDownScrollOnly() {
        auto form = showForm();
        form->S()->moveTo(2, 5);
        QScrollBar* bar = form->S()->verticalScrollBar();
        QTest::keyClick(form->S()->editor(), Qt::Key_Down, Qt::ControlModifier);
        QTest::keyClick(form->S()->editor(), Qt::Key_Down, Qt::ControlModifier);
        QCOMPARE(bar->value(), 2);
        QCOMPARE(here(*form), (Here{2, 5}));
        QTest::keyClick(form->S()->editor(), Qt::Key_Up, Qt::ControlModifier);
        QCOMPARE(bar->value(), 1);
        QCOMPARE(here(*form), (Here{2, 5}));
        // The editor follows its cell on screen.
        QCOMPARE(form->S()->editor()->geometry(), form->S()->cellRect(2, 5).adjusted(0, 0, -1, -1));
    }

    void ctrlLeftRightPageColumns() {
        auto form = showForm();
        form->resize(450, 400); // a few columns in view
        QTRY_VERIFY(form->S()->viewport()->width() < 450);
        const int visible = (form->S()->viewport()->width()) / 100;
        const int page = std::max(1, visible - 1);
        QTest::keyClick(form->S()->editor(), Qt::Key_Right, Qt::ControlModifier);
        QCOMPARE(here(*form), (Here{1 + page, 1}));
        QTest::keyClick(form->S()->editor(), Qt::Key_Left, Qt::ControlModifier);
        QCOMPARE(here(*form), (Here{1, 1}));
    }

    void shiftKeepsTheAnchor() {
        auto form = showForm();
        form->S()->moveTo(2, 2);
        QTest::keyClick(form->S()->editor(), Qt::Key_Down, Qt::ShiftModifier);
        QTest::keyClick(form->S()->editor(), Qt::Key_Right, Qt::ShiftModifier);
        QCOMPARE(here(*form), (Here{3, 3}));
        QCOMPARE(form->S()->anchorCol(), 2);
        QCOMPARE(form->S()->anchorRow(), 2);
        QCOMPARE(form->S()->selectionModel()->selectedIndexes().size(), 4);
        QTest::keyClick(form->S()->editor(), Qt::Key_Down);
        QCOMPARE(form->S()->anchorCol(), 3);
        QCOMPARE(form->S()->anchorRow(), 4);
        QVERIFY(form->S()->selectionModel()->selectedIndexes().isEmpty());
    }

    void enterTogglesTheSelectionAndF2GoesToTheEnd() {
        auto form = showForm();
        putCell(*form, 1, 2, "hello");
        form->S()->moveTo(1, 2);
        auto* editor = form->S()->editor();
        EventLog log(*form);
        QCOMPARE(editor->selectedText(), QStringLiteral("hello"));
        QTest::keyClick(editor, Qt::Key_Return);
        QVERIFY(!editor->hasSelectedText());
        QCOMPARE(editor->cursorPosition(), 5);
        QTest::keyClick(editor, Qt::Key_Return);
        QCOMPARE(editor->selectedText(), QStringLiteral("hello"));
        QTest::keyClick(editor, Qt::Key_Enter);
        QVERIFY(!editor->hasSelectedText());
        editor->setSelection(1, 2);
        QTest::keyClick(editor, Qt::Key_Return);
        QCOMPARE(editor->selectedText(), QStringLiteral("hello"));
        QTest::keyClick(editor, Qt::Key_F2);
        QVERIFY(!editor->hasSelectedText());
        QCOMPARE(editor->cursorPosition(), 5);
        QCOMPARE(here(*form), (Here{1, 2}));
        QCOMPARE(log.take(), QStringList());
        QCOMPARE(cell(*form, 1, 2), std::string("hello"));
    }

    void swallowedKeys() {
        auto form = showForm();
        auto* editor = form->S()->editor();
        QTest::keyClicks(editor, QStringLiteral("ab cd"));
        QCOMPARE(cell(*form, 1, 1), std::string("ab cd"));
        EventLog log(*form);
        QTest::keyClick(editor, Qt::Key_Escape);
        QTest::keyClick(editor, Qt::Key_Insert);
        QTest::keyClick(editor, Qt::Key_Delete, Qt::ControlModifier);
        editor->setCursorPosition(0);
        QTest::keyClick(editor, Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(log.take(), QStringList());
        QCOMPARE(editor->text(), QStringLiteral("ab cd"));
        QCOMPARE(cell(*form, 1, 1), std::string("ab cd"));
        QCOMPARE(here(*form), (Here{1, 1}));
        QCOMPARE(focused(), editor);
    }

    void ordinaryEditingKeys() {
        auto form = showForm();
        auto* editor = form->S()->editor();
        QTest::keyClicks(editor, QStringLiteral("xyz"));
        QTest::keyClick(editor, Qt::Key_Backspace);
        QCOMPARE(cell(*form, 1, 1), std::string("xy"));
        editor->setCursorPosition(0);
        QTest::keyClick(editor, Qt::Key_Delete);
        QCOMPARE(cell(*form, 1, 1), std::string("y"));
        // Shift+Insert pastes, line breaks included.
        QApplication::clipboard()->setText(QStringLiteral("p\r\nq"));
        editor->end(false);
        QTest::keyClick(editor, Qt::Key_Insert, Qt::ShiftModifier);
        QCOMPARE(cell(*form, 1, 1), std::string("yp\r\nq"));
        QCOMPARE(form->LabeledEdit1()->text(), QStringLiteral("yp\r\nq"));
    }

    void tabMovesTheFocusToTheFormulaBarAndBack() {
        auto form = showForm();
        form->S()->moveTo(3, 3);
        EventLog log(*form);
        QTest::keyClick(form->S()->editor(), Qt::Key_Tab);
        QCOMPARE(focused(), form->LabeledEdit1());
        QTest::keyClick(form->LabeledEdit1(), Qt::Key_Tab);
        QCOMPARE(focused(), form->S()->editor());
        QTest::keyClick(form->S()->editor(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(focused(), form->LabeledEdit1());
        QTest::keyClick(form->LabeledEdit1(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(focused(), form->S()->editor());
        QCOMPARE(here(*form), (Here{3, 3}));
        QCOMPARE(log.take(), QStringList());
        QVERIFY(form->S()->editor()->isVisible());
    }

    void currentCellStandsOutInTheEditorFrameAndTheHeaders() {
        auto form = showForm();
        tavlor::ui::SheetGrid* grid = form->S();
        QHeaderView* columns = grid->horizontalHeader();
        QHeaderView* rows = grid->verticalHeader();
        QTest::keyClick(grid->editor(), Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(here(*form), (Here{26, 9999}));
        QApplication::processEvents();

        // An empty cell: the frame of the editor shows where it is, in the selection colour.
        const QImage editor = grid->editor()->grab().toImage();
        const QColor frame = grid->editor()->palette().color(QPalette::Highlight);
        QCOMPARE(editor.pixelColor(0, editor.height() / 2), frame);
        QCOMPARE(editor.pixelColor(editor.width() / 2, editor.height() - 1), frame);
        QVERIFY(editor.pixelColor(editor.width() / 2, editor.height() / 2) != frame);

        // Column Z and row 9999 are tinted, their neighbours not; a move hands the tint on.
        const QColor plainColumn = sectionColour(columns, 23);
        const QColor plainRow = sectionColour(rows, 9996);
        const QColor tintedColumn = sectionColour(columns, 25);
        const QColor tintedRow = sectionColour(rows, 9998);
        QVERIFY(tintedColumn != plainColumn);
        QVERIFY(tintedRow != plainRow);
        QCOMPARE(sectionColour(columns, 24), plainColumn);
        QCOMPARE(sectionColour(rows, 9997), plainRow);
        QTest::keyClick(grid->editor(), Qt::Key_Up);
        QTest::keyClick(grid->editor(), Qt::Key_Left);
        QCOMPARE(here(*form), (Here{25, 9998}));
        QCOMPARE(sectionColour(columns, 25), plainColumn);
        QCOMPARE(sectionColour(rows, 9998), plainRow);
        QCOMPARE(sectionColour(columns, 24), tintedColumn);
        QCOMPARE(sectionColour(rows, 9997), tintedRow);

        // A move repaints the cells and header sections it changes, not the whole grid.
        QApplication::processEvents(); // the repaints of the moves above
        const PaintedRegion cells(grid->viewport());
        const PaintedRegion rowHeaders(rows->viewport());
        QTest::keyClick(grid->editor(), Qt::Key_Up);
        QTRY_VERIFY(cells.region.contains(grid->cellRect(25, 9998).center()));
        QVERIFY(!cells.region.contains(grid->cellRect(1, 9990).center()));
        QTRY_VERIFY(rowHeaders.region.contains(QPoint(2, rows->sectionViewportPosition(9997) + 3)));
        QVERIFY(!rowHeaders.region.contains(QPoint(2, rows->sectionViewportPosition(9990) + 3)));
    }
};

QTEST_MAIN(tst_grid_keys)
#include "tst_grid_keys.moc"
