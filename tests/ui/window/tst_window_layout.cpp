// The main window as it stands after start-up: state, geometry, bands, toolbar, menu, commands,
// status panels and the hint rule.
#include "support/form_harness.h"
#include "ui/desktop/application_title.h"
#include "ui/desktop/window_placement.h"
#include "ui/encoding/encoding_chooser.h"
#include "ui/grid/cell_editor.h"
#include "ui/grid/sheet_grid.h"
#include "ui/text/formula_bar.h"
#include "ui/view/status_panels.h"
#include "ui/view/window_sheet_view.h"
#include "ui/window/tform1.h"

#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSignalSpy>
#include <QTabBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>
#include <QtTest>

using namespace tavlor::test;

class tst_window_layout : public QObject {
    Q_OBJECT
private slots:
    void startUpState() {
        auto form = showForm();
        QCOMPARE(form->windowTitle(), QStringLiteral("Vorlane Tavlor"));
        QCOMPARE(tavlor::ui::applicationTitle(), QStringLiteral("Vorlane Tavlor"));
        QCOMPARE(form->Label1()->text(), QStringLiteral("A1"));
        QCOMPARE(form->panelText(0), QString());
        QCOMPARE(form->panelText(1), QString());
        QCOMPARE(form->panelText(2), QStringLiteral("1"));
        QCOMPARE(form->panelText(3), QStringLiteral("1"));
        QCOMPARE(form->panelText(4), QStringLiteral("Total Rows:0 Total Cols:0"));
        QCOMPARE(form->LabeledEdit1()->text(), QString());
        QCOMPARE(form->S()->col(), 1);
        QCOMPARE(form->S()->row(), 1);
        QVERIFY(form->CurrentFileName().empty());
        QVERIFY(form->sheetView().formulaBarIsTheUsers());
        // First show ran the extent once and nothing else.
        QCOMPARE(counts(*form), (Counts{1, 0}));
        // The grid has the focus, through its editor on A1.
        QCOMPARE(focused(), form->S()->editor());
        QCOMPARE(form->S()->editor()->geometry(), form->S()->cellRect(1, 1).adjusted(0, 0, -1, -1));
        // Header cells were written: letters over the columns, numbers beside the rows.
        QAbstractItemModel* model = form->S()->model();
        QCOMPARE(model->rowCount(), 9999);
        QCOMPARE(model->columnCount(), 26);
        QCOMPARE(model->headerData(0, Qt::Horizontal).toString(), QStringLiteral("A"));
        QCOMPARE(model->headerData(25, Qt::Horizontal).toString(), QStringLiteral("Z"));
        QCOMPARE(model->headerData(0, Qt::Vertical).toString(), QStringLiteral("1"));
        QCOMPARE(model->headerData(9998, Qt::Vertical).toString(), QStringLiteral("9999"));
        QCOMPARE(cell(*form, 0, 0), std::string());
        QVERIFY(!form->Timer1()->isActive());
    }

    void placementOnAGivenScreen_data() {
        QTest::addColumn<QRect>("area"); // the primary screen's work area
        QTest::addColumn<QSize>("frame");
        QTest::addColumn<QPoint>("centred");
        QTest::newRow("1920x1080") << QRect(0, 0, 1920, 1080) << QSize(1910, 1040) << QPoint(5, 20);
        QTest::newRow("1366x768") << QRect(0, 0, 1366, 768) << QSize(1356, 728) << QPoint(5, 20);
        QTest::newRow("800x800") << QRect(0, 0, 800, 800) << QSize(790, 760) << QPoint(5, 20);
        // Right of another screen, under a 32-pixel top panel.
        QTest::newRow("second screen with a panel")
            << QRect(1920, 32, 1366, 736) << QSize(1356, 696) << QPoint(1925, 52);
    }
    void placementOnAGivenScreen() {
        QFETCH(QRect, area);
        QFETCH(QSize, frame);
        QFETCH(QPoint, centred);
        QCOMPARE(tavlor::ui::startupFrameSize(area.size()), frame);
        QCOMPARE(tavlor::ui::centredFramePosition(area, {0, 0}, frame), centred);
    }

    void centringRoundsTowardZeroAndStaysOnTheDesktop() {
        const QRect screen(0, 0, 801, 601);
        QCOMPARE(tavlor::ui::centredFramePosition(screen, {0, 0}, {790, 560}), QPoint(5, 20));
        // A window larger than the screen would start left of and above the desktop.
        QCOMPARE(tavlor::ui::centredFramePosition(screen, {0, 0}, {900, 700}), QPoint(0, 0));
        QCOMPARE(tavlor::ui::centredFramePosition(screen, {-3, 0}, {803, 600}), QPoint(-1, 0));
    }

    void realWindowIsSizedCentredThenMovedToTheTop() {
        const QSize screen = QGuiApplication::primaryScreen()->availableGeometry().size();
        TForm1 form;
        QCOMPARE(form.frameGeometry().size(), tavlor::ui::startupFrameSize(screen));
        form.show();
        // Centred on show, before the first tick.
        QCOMPARE(form.frameGeometry().topLeft(),
                 QPoint((screen.width() - form.frameGeometry().width()) / 2,
                        (screen.height() - form.frameGeometry().height()) / 2));
        QTRY_COMPARE(form.frameGeometry().topLeft(), QPoint(5, 1));
        QCOMPARE(form.frameGeometry().size(), tavlor::ui::startupFrameSize(screen));
        QVERIFY(!form.Timer1()->isActive());
    }

    void resizeKeepsTheFormulaBarOnePixelInside_data() {
        QTest::addColumn<int>("width");
        QTest::newRow("design width") << 686;
        QTest::newRow("narrow") << 300;
        QTest::newRow("wide") << 1500;
    }
    void resizeKeepsTheFormulaBarOnePixelInside() {
        QFETCH(int, width);
        auto form = showForm();
        form->resize(width, 500);
        QCOMPARE(form->width(), width);
        const QRect bar = form->LabeledEdit1()->geometry();
        QCOMPARE(bar.left(), 69);
        QCOMPARE(bar.right(), form->Panel1()->width() - 2);
        QCOMPARE(bar.height(), 21);
        QCOMPARE(form->Label1()->geometry(), QRect(3, 4, 46, 13));
        QCOMPARE(form->LabeledEdit1Label()->geometry(), QRect(52, 4, 14, 13));
        QCOMPARE(form->LabeledEdit1Label()->text(), QStringLiteral("fx:"));
        // Only the grid follows the height.
        QCOMPARE(form->ToolBar1()->height(), 22);
        QCOMPARE(form->Panel1()->height(), 28);
        QCOMPARE(form->TabSet1()->parentWidget()->height(), 21);
        QCOMPARE(form->StatusBar()->height(), 19);
        QCOMPARE(form->S()->geometry().top(), 22 + 28);
        QCOMPARE(form->S()->geometry().bottom() + 1, form->TabSet1()->parentWidget()->y());
    }

    void toolBarButtonsStandWhereListed() {
        auto form = showForm();
        const struct {
            const char* name;
            int left;
            int width;
        } expected[] = {
            {"ToolButton1", 0, 23},   {"ToolButton2", 23, 23},  {"ToolButton3", 46, 23},
            {"ToolButton5", 69, 23},  {"ToolButton4", 92, 8},   {"ToolButton6", 100, 23},
            {"ToolButton13", 123, 8}, {"ToolButton7", 131, 23}, {"ToolButton8", 154, 23},
            {"ToolButton9", 177, 23}, {"ToolButton14", 200, 8}, {"ToolButton10", 208, 23},
        };
        for (const auto& e : expected) {
            auto* widget = form->ToolBar1()->findChild<QWidget*>(QString::fromLatin1(e.name));
            QVERIFY2(widget, e.name);
            QCOMPARE(widget->x(), e.left);
            QCOMPARE(widget->width(), e.width);
            if (auto* button = qobject_cast<QToolButton*>(widget)) {
                QCOMPARE(button->height(), 22);
                QCOMPARE(button->toolButtonStyle(), Qt::ToolButtonIconOnly);
                QVERIFY(!button->icon().isNull());
                QVERIFY(button->autoRaise());
            }
        }
        auto* find = form->ToolBar1()->findChild<QToolButton*>(QStringLiteral("ToolButton10"));
        QCOMPARE(find->defaultAction(), form->action("ToolButton10"));
        QCOMPARE(form->action("ToolButton10")->text(), QStringLiteral("&Find"));
        QCOMPARE(form->action("ToolButton10")->statusTip(), QStringLiteral("Find a text"));
    }

    void commandsCarryCaptionHintShortcutImageAndState() {
        auto form = showForm();
        const auto actions = [&form](const char* id) { return form->action(id); };
        const struct {
            QAction* action;
            const char* caption;
            const char* longHint;
            const char* shortcut;
            bool image;
            bool enabled;
        } table[] = {
            {actions("FileNew1"), "&New", "Create a new file", "Ctrl+N", true, true},
            {actions("FileOpen1"), "&Open", "Open a file", "Ctrl+O", true, true},
            {actions("FileSave1"), "&Save", "Save current file", "Ctrl+S", true, true},
            {actions("FilePrint1"), "&Print...", "Print current file", "", true, true},
            {actions("FilePrintSetup1"), "Print Set&up...", "Print Setup", "", false, true},
            {actions("EditUndo1"), "&Undo", "Revert the last action", "Ctrl+Z", true, false},
            {actions("EditCut1"), "Cu&t", "Cut the selection and put it on the Clipboard", "Ctrl+X",
             true, true},
            {actions("EditCopy1"), "&Copy", "Copy the selection and put it on the Clipboard",
             "Ctrl+C", true, true},
            {actions("EditPaste1"), "&Paste", "Insert Clipboard contents", "Ctrl+V", true, false},
            {actions("EditDelete1"), "&Delete", "Erase the selection", "", true, true},
            {actions("SaveAs1"), "Save As...", "", "", false, true},
            {actions("Exit1"), "Exit", "", "", false, true},
            {actions("Find1"), "Find...", "", "", true, true},
            {actions("VersionHistory1"), "Version History", "", "", false, true},
            {actions("About1"), "About...", "", "", false, true},
            {actions("EncodingMenu1"), "Encoding", "", "Ctrl+Shift+E", false, true},
            {actions("ConvertToUtf81"), "Convert Document to UTF-8",
             "Rewrite all text as UTF-8 bytes", "", false, false}, // the document starts UTF-8
        };
        for (const auto& row : table) {
            QCOMPARE(row.action->text(), QString::fromLatin1(row.caption));
            QCOMPARE(row.action->statusTip(), QString::fromLatin1(row.longHint));
            QCOMPARE(row.action->shortcut(), QKeySequence(QString::fromLatin1(row.shortcut)));
            QCOMPARE(!row.action->icon().isNull(), row.image);
            // Enabled states at start; the idle update owns the edit commands' states afterwards
            // (they follow the focused box, which is already there once the window is shown).
            const bool editCommand =
                row.action == actions("EditUndo1") || row.action == actions("EditCut1") ||
                row.action == actions("EditCopy1") || row.action == actions("EditPaste1") ||
                row.action == actions("EditDelete1");
            if (!editCommand)
                QCOMPARE(row.action->isEnabled(), row.enabled);
        }
        QCOMPARE(actions("FileSave1")->shortcut().toString(QKeySequence::NativeText),
                 QStringLiteral("Ctrl+S"));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, actions("FileSave")); // ids are exact
    }

    void menuTreeInOrder() {
        auto form = showForm();
        const QList<QAction*> menus = form->menuBar()->actions();
        QCOMPARE(menus.size(), 3);
        const QStringList titles{QStringLiteral("File"), QStringLiteral("Edit"),
                                 QStringLiteral("Help")};
        const QStringList items[] = {
            {QStringLiteral("&New"), QStringLiteral("&Open"), QStringLiteral("&Save"),
             QStringLiteral("Save As..."), QStringLiteral("-"), QStringLiteral("Print Set&up..."),
             QStringLiteral("&Print..."), QStringLiteral("-"), QStringLiteral("Exit")},
            {QStringLiteral("&Undo"), QStringLiteral("-"), QStringLiteral("Cu&t"),
             QStringLiteral("&Copy"), QStringLiteral("&Paste"), QStringLiteral("&Delete"),
             QStringLiteral("-"), QStringLiteral("Find..."), QStringLiteral("-"),
             QStringLiteral("Encoding")},
            {QStringLiteral("Version History"), QStringLiteral("About...")},
        };
        for (int m = 0; m < 3; ++m) {
            QCOMPARE(menus[m]->text(), titles[m]);
            QStringList shown;
            for (QAction* item : menus[m]->menu()->actions())
                shown << (item->isSeparator() ? QStringLiteral("-") : item->text());
            QCOMPARE(shown, items[m]);
        }
        QCOMPARE(menus[0]->menu()->actions().at(0), form->action("FileNew1"));
        QCOMPARE(menus[1]->menu()->actions().at(7), form->action("Find1"));
    }

    void statusPanelsAndTabStrip() {
        auto form = showForm();
        const int lefts[] = {0, 250, 305, 335, 365};
        const int widths[] = {250, 55, 30, 30};
        for (int i = 0; i < 5; ++i) {
            QLabel* panel = form->StatusBar()->panel(i);
            QCOMPARE(panel->x(), lefts[i]);
            if (i < 4)
                QCOMPARE(panel->width(), widths[i]);
            const bool lowered = i >= 1 && i <= 3;
            QCOMPARE(panel->frameShadow() == QFrame::Sunken &&
                         panel->frameShape() != QFrame::NoFrame,
                     lowered);
            QCOMPARE(bool(panel->alignment() & Qt::AlignHCenter), lowered);
        }
        // The encoding field stands at the right end, left of the size grip; panel 4 reaches it.
        const QWidget* encoding = form->encodingChooser()->field();
        QCOMPARE(form->StatusBar()->panel(4)->geometry().right() + 1, encoding->x());
        QVERIFY(encoding->geometry().right() < form->StatusBar()->width() - 1);
        QVERIFY(encoding->geometry().right() > form->StatusBar()->width() - 20);
        QVERIFY(form->StatusBar()->isSizeGripEnabled());
        QCOMPARE(form->TabSet1()->count(), 1);
        QCOMPARE(form->TabSet1()->tabText(0), QStringLiteral("Page 1"));
        QCOMPARE(form->TabSet1()->currentIndex(), 0);
        QCOMPARE(form->TabSet1()->shape(), QTabBar::RoundedSouth);
        QTest::mouseClick(form->TabSet1(), Qt::LeftButton, {},
                          form->TabSet1()->tabRect(0).center());
        QCOMPARE(form->TabSet1()->currentIndex(), 0);
    }

    void largeFontKeepsTheTextsWhole() {
        // A 14 pt desktop font: the status panels grow to their longest texts, the rest holds.
        const QFont normal = QApplication::font();
        QFont large = normal;
        large.setPointSize(14);
        QApplication::setFont(large);
        auto form = showForm();
        QApplication::setFont(normal);
        QTest::keyClick(form->S()->editor(), Qt::Key_End, Qt::ControlModifier);
        QTest::keyClicks(form->S()->editor(), QStringLiteral("x"));
        QCOMPARE(form->panelText(1), QStringLiteral("Modified"));
        const auto whole = [](const QLabel* label, const QString& text) {
            const QFontMetrics metrics(label->font());
            return metrics.horizontalAdvance(text) <= label->contentsRect().width() &&
                   metrics.height() <= label->contentsRect().height();
        };
        QStringList clipped;
        const QStringList longest{QString(), QStringLiteral("Modified"), QStringLiteral("9999"),
                                  QStringLiteral("26"),
                                  QStringLiteral("Total Rows:9999 Total Cols:26")};
        for (int i = 0; i < 5; ++i) {
            if (!whole(form->StatusBar()->panel(i), longest[i]))
                clipped << QStringLiteral("panel %1").arg(i);
        }
        if (!whole(form->Label1(), QStringLiteral("Z9999")))
            clipped << QStringLiteral("Label1");
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QStringLiteral(", "))));
        QCOMPARE(form->StatusBar()->panel(1)->x(), form->StatusBar()->panel(0)->width());
    }

    void gridAndFonts() {
        auto form = showForm();
        auto* grid = form->S();
        QCOMPARE(grid->colWidth(0), 30);
        QCOMPARE(grid->colWidth(1), 100);
        QCOMPARE(grid->colWidth(26), 100);
        QCOMPARE(grid->rowHeightOf(0), 20);
        QCOMPARE(grid->rowHeightOf(1), 20);
        QCOMPARE(grid->rowHeightOf(9999), 20);
        QVERIFY(grid->showGrid());
        QCOMPARE(grid->viewport()->cursor().shape(), Qt::CrossCursor);
        QCOMPARE(grid->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(grid->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(grid->horizontalHeader()->sectionResizeMode(0), QHeaderView::Interactive);
        QCOMPARE(grid->verticalHeader()->sectionResizeMode(0), QHeaderView::Interactive);
        QCOMPARE(grid->font().family(), QStringLiteral("Arial"));
        QCOMPARE(grid->font().pixelSize(), 12);
        QVERIFY(grid->font().bold());
        QCOMPARE(grid->editor()->font(), grid->font());
        QCOMPARE(form->font().family(), QStringLiteral("Tahoma"));
        QCOMPARE(form->font().pixelSize(), 11);
        QVERIFY(form->Label1()->font().bold());
        QVERIFY(!form->LabeledEdit1Label()->font().bold());
        QCOMPARE(form->S()->editor()->maxLength(), std::numeric_limits<int>::max());
        QCOMPARE(form->LabeledEdit1()->maxLength(), std::numeric_limits<int>::max());
    }

    void toolBarHintGoesToPanelZero() {
        auto form = showForm();
        auto* newButton = form->ToolBar1()->findChild<QToolButton*>(QStringLiteral("ToolButton1"));
        QTest::mouseMove(newButton, newButton->rect().center());
        QTRY_COMPARE(form->panelText(0), QStringLiteral("Create a new file"));
        QTest::mouseMove(form->S()->viewport(), QPoint(200, 200));
        QTRY_COMPARE(form->panelText(0), QString());
        // The short hint is not shown as a tooltip.
        QHelpEvent help(QEvent::ToolTip, newButton->rect().center(),
                        newButton->mapToGlobal(newButton->rect().center()));
        QApplication::sendEvent(newButton, &help);
        QVERIFY(!QToolTip::isVisible());
    }

    void disabledButtonStillShowsItsHint() {
        auto form = showForm();
        QVERIFY(!form->action("EditUndo1")->isEnabled());
        QToolButton* undo = nullptr;
        for (QToolButton* button : form->ToolBar1()->findChildren<QToolButton*>())
            if (button->defaultAction() == form->action("EditUndo1"))
                undo = button;
        QVERIFY(undo != nullptr);
        QTest::mouseMove(undo, undo->rect().center());
        QTRY_COMPARE(form->panelText(0), QStringLiteral("Revert the last action"));
        QTest::mouseMove(form->S()->viewport(), QPoint(200, 200));
        QTRY_COMPARE(form->panelText(0), QString());
    }

    void menuItemHintGoesToPanelZero() {
        auto form = showForm();
        QMenu* file = form->menuBar()->actions().at(0)->menu();
        file->popup(form->mapToGlobal(QPoint(0, 20)));
        QVERIFY(QTest::qWaitForWindowExposed(file));
        QTest::mouseMove(file, file->actionGeometry(form->action("FilePrintSetup1")).center());
        QTRY_COMPARE(form->panelText(0), QStringLiteral("Print Setup"));
        QTest::mouseMove(file, file->actionGeometry(form->action("FileNew1")).center());
        QTRY_COMPARE(form->panelText(0), QStringLiteral("Create a new file"));
        QTest::mouseMove(file, file->actionGeometry(form->action("SaveAs1")).center());
        QTRY_COMPARE(form->panelText(0), QString());
        QTest::mouseMove(file, file->actionGeometry(form->action("FilePrint1")).center());
        QTRY_COMPARE(form->panelText(0), QStringLiteral("Print current file"));
        file->close();
        QTRY_COMPARE(form->panelText(0), QString());

        // A greyed item is highlighted too, and shows its hint.
        QMenu* edit = form->menuBar()->actions().at(1)->menu();
        QVERIFY(!form->action("EditUndo1")->isEnabled());
        edit->popup(form->mapToGlobal(QPoint(40, 20)));
        QVERIFY(QTest::qWaitForWindowExposed(edit));
        QTest::mouseMove(edit, edit->actionGeometry(form->action("EditCut1")).center());
        QTRY_COMPARE(form->panelText(0),
                     QStringLiteral("Cut the selection and put it on the Clipboard"));
        QTest::mouseMove(edit, edit->actionGeometry(form->action("EditUndo1")).center());
        QTRY_COMPARE(form->panelText(0), QStringLiteral("Revert the last action"));
        // Highlighted or not, a greyed item does nothing when chosen.
        QSignalSpy undone(form->action("EditUndo1"), &QAction::triggered);
        QTest::mouseClick(edit, Qt::LeftButton, {},
                          edit->actionGeometry(form->action("EditUndo1")).center());
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(undone.count(), 0);
        edit->close();
        QTRY_COMPARE(form->panelText(0), QString());
    }
};

QTEST_MAIN(tst_window_layout)
#include "tst_window_layout.moc"
