// Mouse presses on cells and headers, and the wheel, on the grid S.
#include "support/form_harness.h"
#include "ui/grid/cell_editor.h"
#include "ui/grid/sheet_grid.h"
#include "ui/text/formula_bar.h"
#include "ui/window/tform1.h"

#include <QFile>
#include <QHeaderView>
#include <QMimeData>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QWheelEvent>
#include <QtTest>

using namespace tavlor::test;

class tst_grid_mouse : public QObject {
    Q_OBJECT
private slots:
    void pressCommitsTypedTextBeforeMoving() {
        auto form = showForm();
        QTest::keyClicks(form->S()->editor(), QStringLiteral("typed"));
        EventLog log(*form);
        const QPoint at = form->S()->cellRect(3, 4).center();
        QTest::mousePress(form->S()->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(log.take(), (QStringList{QStringLiteral("edit A1"), QStringLiteral("fx "),
                                          QStringLiteral("select C4"), QStringLiteral("click")}));
        QTest::mouseRelease(form->S()->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(cell(*form, 1, 1), std::string("typed"));
        QCOMPARE(form->S()->col(), 3);
        QCOMPARE(form->S()->row(), 4);
        QCOMPARE(form->S()->anchorCol(), 3);
        QCOMPARE(form->S()->anchorRow(), 4);
        QCOMPARE(focused(), form->S()->editor());
        QCOMPARE(form->S()->editor()->geometry(), form->S()->cellRect(3, 4).adjusted(0, 0, -1, -1));
    }

    void pressOnAHeaderMovesNothing_data() {
        addBoolRows("columnHeader", {{"column header", true}, {"row header", false}});
    }
    void pressOnAHeaderMovesNothing() {
        QFETCH(bool, columnHeader);
        auto form = showForm();
        putCell(*form, 2, 2, "b2");
        form->S()->moveTo(2, 2);
        QCOMPARE(form->LabeledEdit1()->text(), QStringLiteral("b2"));
        EventLog log(*form);
        const Counts before = counts(*form);
        QHeaderView* header =
            columnHeader ? form->S()->horizontalHeader() : form->S()->verticalHeader();
        const QPoint at = columnHeader ? QPoint(header->sectionViewportPosition(4) + 50, 10)
                                       : QPoint(15, header->sectionViewportPosition(6) + 10);
        QTest::mousePress(header->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(log.take(), QStringList{QStringLiteral("edit B2")});
        QCOMPARE(counts(*form) - before, (Counts{1, 0}));
        QVERIFY(!form->S()->editor()->isVisible());
        QTest::mouseRelease(header->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(log.take(), QStringList());
        QCOMPARE(form->S()->col(), 2);
        QCOMPARE(form->S()->row(), 2);
        QCOMPARE(form->LabeledEdit1()->text(), QStringLiteral("b2"));
        QVERIFY(form->S()->editor()->isVisible());
        QCOMPARE(form->S()->editor()->text(), QStringLiteral("b2"));
        QCOMPARE(focused(), form->S()->editor());
    }

    void headerEdgesResizeTheHeaderRowAndColumn() {
        auto form = showForm();
        tavlor::ui::SheetGrid* grid = form->S();
        grid->moveTo(2, 3);
        const QRect before = grid->cellRect(2, 3);

        // The bottom edge of the column header: the header row grows by 10 pixels.
        QWidget* top = grid->horizontalHeader()->viewport();
        const int topX = grid->horizontalHeader()->sectionViewportPosition(2) + 50;
        QTest::mouseMove(top, QPoint(topX, 19));
        QCOMPARE(top->cursor().shape(), Qt::SplitVCursor);
        QTest::mousePress(top, Qt::LeftButton, {}, QPoint(topX, 19));
        QVERIFY(!grid->editor()->isVisible());
        QTest::mouseMove(top, QPoint(topX, 29));
        QTest::mouseRelease(top, Qt::LeftButton, {}, QPoint(topX, 29));
        QCOMPARE(grid->rowHeightOf(0), 30);
        QCOMPARE(grid->viewport()->y(), 30 + grid->frameWidth()); // the cells moved down at once
        QCOMPARE(grid->horizontalHeader()->sectionSize(2), 100);  // no column was resized

        // The right edge of the row header: the header column narrows to the smallest size.
        QWidget* left = grid->verticalHeader()->viewport();
        const int leftY = grid->verticalHeader()->sectionViewportPosition(5) + 10;
        QTest::mouseMove(left, QPoint(29, leftY));
        QCOMPARE(left->cursor().shape(), Qt::SplitHCursor);
        QTest::mousePress(left, Qt::LeftButton, {}, QPoint(29, leftY));
        QTest::mouseMove(left, QPoint(-40, leftY));
        QTest::mouseRelease(left, Qt::LeftButton, {}, QPoint(-40, leftY));
        QCOMPARE(grid->colWidth(0), 4);
        QCOMPARE(grid->viewport()->x(), 4 + grid->frameWidth());
        QCOMPARE(grid->rowHeightOf(3), 20);

        // The cells moved with the headers; the current cell and its editor stayed together.
        QCOMPARE(grid->cellRect(2, 3), before);
        QCOMPARE(grid->col(), 2);
        QCOMPARE(grid->row(), 3);
        QVERIFY(grid->editor()->isVisible());
        QCOMPARE(grid->editor()->geometry(), grid->cellRect(2, 3).adjusted(0, 0, -1, -1));

        // Inside the header, away from its edge, the cursor is the header's own again.
        QTest::mouseMove(top, QPoint(topX, 5));
        QVERIFY(top->cursor().shape() != Qt::SplitVCursor);
    }

    void pressInsideTheEditorOnlyPlacesTheCaret() {
        auto form = showForm();
        putCell(*form, 1, 1, "abcdef");
        form->S()->moveTo(1, 2);
        form->S()->moveTo(1, 1);
        EventLog log(*form);
        QTest::mouseClick(form->S()->editor(), Qt::LeftButton, {}, QPoint(3, 5));
        QCOMPARE(log.take(), QStringList());
        QVERIFY(!form->S()->editor()->hasSelectedText());
    }

    void rightButtonCommitsButDoesNotMove() {
        auto form = showForm();
        EventLog log(*form);
        const QPoint at = form->S()->cellRect(2, 3).center();
        QTest::mousePress(form->S()->viewport(), Qt::RightButton, {}, at);
        QTest::mouseRelease(form->S()->viewport(), Qt::RightButton, {}, at);
        QCOMPARE(log.take(), QStringList{QStringLiteral("edit A1")});
        QCOMPARE(form->S()->col(), 1);
        QCOMPARE(form->S()->row(), 1);
    }

    void wheelMovesOneRowPerNotch() {
        auto form = showForm();
        putCell(*form, 1, 2, "two");
        markSaved(*form);
        EventLog log(*form);
        wheel(form->S()->editor(), -1);
        QCOMPARE(form->S()->row(), 2);
        QCOMPARE(log.take(), (QStringList{QStringLiteral("fx two"), QStringLiteral("select A2"),
                                          QStringLiteral("fx "), QStringLiteral("edit A1"),
                                          QStringLiteral("fx two"), QStringLiteral("click")}));
        wheel(form->S()->viewport(), -3);
        QCOMPARE(form->S()->row(), 5);
        wheel(form->S()->editor(), 2);
        QCOMPARE(form->S()->row(), 3);
        wheel(form->S()->editor(), 5);
        QCOMPARE(form->S()->row(), 1);
        log.take();
        wheel(form->S()->editor(), 1); // on row 1: nothing runs
        QCOMPARE(log.take(), QStringList());
        QCOMPARE(cell(*form, 1, 2), std::string("two"));
        QCOMPARE(form->panelText(1), QString());
    }

    void touchpadStepsAddUpAndSidewaysScrollsTheView() {
        auto form = showForm();
        tavlor::ui::SheetGrid* grid = form->S();
        EventLog log(*form);
        // Fine steps of 15 units: the eighth completes a notch and moves one row, once.
        for (int i = 0; i < 7; ++i)
            wheelAngle(grid->editor(), QPoint(0, -15));
        QCOMPARE(log.take(), QStringList());
        wheelAngle(grid->editor(), QPoint(0, -15));
        QCOMPARE(grid->row(), 2);
        QCOMPARE(log.take().count(QStringLiteral("edit A1")), 1);

        // A sideways swipe scrolls the columns; the current cell and its text stay.
        QCOMPARE(grid->horizontalScrollBar()->value(), 0);
        wheelAngle(grid->editor(), QPoint(-120, 0));
        QVERIFY(grid->horizontalScrollBar()->value() > 0);
        QCOMPARE(grid->col(), 1);
        QCOMPARE(grid->row(), 2);
        QCOMPARE(log.take(), QStringList());
    }

    void droppedFilesGoToTheWindowNotTheEditors() {
        auto form = showForm();
        // An empty file: the window opens it without a message, and A1 stays empty.
        QTemporaryDir folder;
        const QString dropped = folder.filePath(QStringLiteral("some file.csv"));
        QFile(dropped).open(QIODevice::WriteOnly);
        for (QWidget* box : {static_cast<QWidget*>(form->S()->editor()),
                             static_cast<QWidget*>(form->LabeledEdit1())}) {
            QMimeData mime;
            mime.setUrls({QUrl::fromLocalFile(dropped)});
            mime.setText(dropped);
            const QPoint at = box->rect().center();
            QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(box, &enter);
            QVERIFY(enter.isAccepted());
            QDropEvent drop(QPointF(at), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(box, &drop);
            QVERIFY(drop.isAccepted());
            QCOMPARE(qobject_cast<QLineEdit*>(box)->text(), QString());
        }
        QCOMPARE(cell(*form, 1, 1), std::string());
        QCOMPARE(form->windowTitle(), QStringLiteral("some file.csv - Vorlane Tavlor"));
    }

    void wheelWithoutTheFocusMovesNoCell() {
        auto form = showForm();
        form->LabeledEdit1()->setFocus();
        EventLog log(*form);
        wheel(form->S()->viewport(), -1);
        QCOMPARE(form->S()->row(), 1);
        QCOMPARE(log.take(), QStringList());
    }
};

QTEST_MAIN(tst_grid_mouse)
#include "tst_grid_mouse.moc"
