// Moving around with keys, mouse and wheel never changes a cell, whatever bytes it holds, and
// never marks the sheet modified.
#include "core/sheet/cell_size_limit.h"
#include "support/form_harness.h"
#include "ui/grid/cell_editor.h"
#include "ui/grid/sheet_grid.h"
#include "ui/text/bytetext.h"
#include "ui/text/formula_bar.h"
#include "ui/window/tform1.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QTemporaryDir>
#include <QWheelEvent>
#include <QtTest>

#include <fstream>

using namespace tavlor::test;

namespace {
std::vector<std::string> awkwardTexts() {
    std::string binary;
    for (int b = 1; b < 256; ++b)
        binary += static_cast<char>(b);
    std::string longText;
    for (int i = 0; i < 100000; ++i)
        longText += static_cast<char>(i % 97 == 0 ? '\r' : i % 89 == 0 ? '\xfe' : 'a' + i % 26);
    return {
        "cr lf\r\nnext",
        "lone cr\rnext",
        "lone lf\nnext",
        "tab\there",
        std::string("\xe9\xfe\x80\xff invalid", 12),
        longText,
        binary,
        "\xef\xbb\xbf"
        "bom first",
        std::string("\xed\xa0\x80\xc0\xaf", 5),
        "\r\n",
    };
}

} // namespace

class tst_byte_identity : public QObject {
    Q_OBJECT
private slots:
    void navigationLeavesEveryCellByteIdentical() {
        auto form = showForm();
        const std::vector<std::string> texts = awkwardTexts();
        const int n = static_cast<int>(texts.size());
        // Column A holds the texts top-down, column B the same texts bottom-up.
        for (int i = 0; i < n; ++i) {
            putCell(*form, 1, i + 1, texts[static_cast<std::size_t>(i)]);
            putCell(*form, 2, i + 1, texts[static_cast<std::size_t>(n - 1 - i)]);
        }
        markSaved(*form);
        const auto verify = [&](const char* step) {
            for (int i = 0; i < n; ++i) {
                if (cell(*form, 1, i + 1) != texts[static_cast<std::size_t>(i)] ||
                    cell(*form, 2, i + 1) != texts[static_cast<std::size_t>(n - 1 - i)])
                    QFAIL(qPrintable(QStringLiteral("row %1 changed after %2")
                                         .arg(i + 1)
                                         .arg(QString::fromLatin1(step))));
            }
            QVERIFY2(form->panelText(1).isEmpty(), step);
        };
        auto* editor = form->S()->editor();

        for (int i = 0; i < n; ++i)
            QTest::keyClick(editor, Qt::Key_Down);
        verify("Down");
        for (int i = 0; i < n; ++i)
            QTest::keyClick(editor, Qt::Key_Up);
        verify("Up");
        for (int row = 1; row <= n; ++row) {
            form->S()->moveTo(1, row);
            QTest::keyClick(editor, Qt::Key_Right); // whole text selected: leaves at once
            QCOMPARE(form->S()->col(), 2);
            QTest::keyClick(editor, Qt::Key_Home);
            QTest::keyClick(editor, Qt::Key_Home);
            QCOMPARE(form->S()->col(), 1);
        }
        verify("Right and Home");
        for (int row = 1; row <= n; ++row) {
            for (int col : {2, 1}) {
                const QPoint at = form->S()->cellRect(col, row).center();
                QTest::mousePress(form->S()->viewport(), Qt::LeftButton, {}, at);
                QTest::mouseRelease(form->S()->viewport(), Qt::LeftButton, {}, at);
            }
        }
        verify("mouse");
        form->S()->moveTo(1, 1);
        wheel(editor, -n);
        wheel(editor, n);
        verify("wheel");
        for (int row = 1; row <= n; ++row) {
            form->S()->moveTo(row % 2 + 1, row);
            QTest::keyClick(editor, Qt::Key_Return);
            QTest::keyClick(editor, Qt::Key_F2);
            QTest::keyClick(editor, Qt::Key_Escape);
            QTest::keyClick(editor, Qt::Key_Tab);
            QCOMPARE(focused(), form->LabeledEdit1());
            QCOMPARE(tavlor::ui::toBytes(form->LabeledEdit1()->text()),
                     cell(*form, row % 2 + 1, row));
            QTest::keyClick(form->LabeledEdit1(), Qt::Key_Tab);
            QCOMPARE(focused(), editor);
        }
        verify("editing keys and focus");
        const QPoint header(form->S()->horizontalHeader()->sectionViewportPosition(0) + 40, 10);
        QTest::mousePress(form->S()->horizontalHeader()->viewport(), Qt::LeftButton, {}, header);
        QTest::mouseRelease(form->S()->horizontalHeader()->viewport(), Qt::LeftButton, {}, header);
        verify("header press");
        QCOMPARE(form->panelText(4), QStringLiteral("Total Rows:%1 Total Cols:2").arg(n));
    }

    void hugeCellIsShownInPartKeptWholeAndKeysStayQuick() {
        QTemporaryDir dir;
        const std::string path = dir.filePath(QStringLiteral("huge.csv")).toStdString();
        std::string huge(50u << 20, 'x');
        for (std::size_t i = 0; i < huge.size(); i += 4099)
            huge[i] = static_cast<char>('a' + i % 26);
        const std::string bytes = huge + ";b;\r\n";
        std::ofstream(path, std::ios::binary) << bytes;
        auto form = showForm();
        form->WMDropFiles({path});
        auto* editor = form->S()->editor();
        // Keys stay quick because neither box ever holds the whole cell: a box lays out all its
        // text at every key. Checked by what the boxes hold, not by the clock.
        const auto quick = [&](const char* step) {
            QVERIFY2(editor->text().size() <= qsizetype(tavlor::kEditableCellBytes) &&
                         form->LabeledEdit1()->text().size() <=
                             qsizetype(tavlor::kEditableCellBytes),
                     step);
            QVERIFY2(cell(*form, 1, 1) == huge, step);
        };
        QTest::keyClick(editor, Qt::Key_Right);
        const QPoint a1 = form->S()->cellRect(1, 1).center();
        QTest::mousePress(form->S()->viewport(), Qt::LeftButton, {}, a1);
        QTest::mouseRelease(form->S()->viewport(), Qt::LeftButton, {}, a1);
        quick("moving out and clicking back");
        QVERIFY(editor->isReadOnly());
        QCOMPARE(form->panelText(0), QStringLiteral("A1 is too long to edit here (over 128 KiB)"));
        QTest::keyClick(editor, Qt::Key_Q);
        QTest::keyClick(editor, Qt::Key_Backspace);
        quick("typing in the cell");
        QTest::keyClick(editor, Qt::Key_Tab);
        QTest::keyClick(form->LabeledEdit1(), Qt::Key_Q);
        quick("typing in the formula bar");
        QCOMPARE(form->panelText(1), QString());
        // A normal cell next to it is edited as always, and the hint goes.
        form->S()->moveTo(2, 1);
        QCOMPARE(form->panelText(0), QString());
        QTest::keyClick(editor, Qt::Key_C);
        QCOMPARE(cell(*form, 2, 1), std::string("c"));
        // A paste that would make it that long is refused before the box lays it out.
        QApplication::clipboard()->setText(QString(200000, QLatin1Char('p')));
        QTRY_VERIFY(form->action("EditPaste1")->isEnabled()); // the idle update enables Paste
        form->action("EditPaste1")->trigger();
        quick("a refused paste");
        QCOMPARE(cell(*form, 2, 1), std::string("c"));
        QCOMPARE(form->panelText(0),
                 QStringLiteral("Not pasted: cells over 128 KiB are not edited"));
        form->action("FileSave1")->trigger(); // writing 50 MB is the disk's time, not the window's
        QVERIFY(fileBytes(dir.filePath(QStringLiteral("huge.csv"))) == huge + ";c;\r\n");
    }
};

QTEST_MAIN(tst_byte_identity)
#include "tst_byte_identity.moc"
