// What a screen reader learns of the window through Qt's accessibility interfaces, and the key
// that reaches the menu bar without a mouse.
#include "support/form_harness.h"
#include "ui/grid/cell_editor.h"
#include "ui/grid/sheet_grid.h"
#include "ui/encoding/encoding_chooser.h"
#include "ui/view/status_panels.h"
#include "ui/window/tform1.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QToolButton>

using namespace tavlor::test;

namespace {

QAccessibleInterface* accessible(QObject* object) {
    return QAccessible::queryAccessibleInterface(object);
}

} // namespace

class TestAccessibility : public QObject {
    Q_OBJECT

private slots:
    void init() { m_form = showForm(); }
    void cleanup() {
        m_form->document().markUnmodified();
        m_form.reset();
    }

    void tableAndStatusPanelsSayWhatTheyAre() {
        QAccessibleInterface* table = accessible(m_form->S());
        QCOMPARE(table->role(), QAccessible::Table);
        QCOMPARE(table->text(QAccessible::Name), QStringLiteral("Sheet"));

        m_form->S()->moveTo(2, 7);
        tavlor::ui::StatusPanels* bar = m_form->StatusBar();
        const struct {
            QWidget* widget;
            const char16_t* name;
            const char16_t* value;
        } panels[] = {
            {bar->panel(1), u"Modified", u""},
            {bar->panel(2), u"Row", u"7"},
            {bar->panel(3), u"Column", u"2"},
            {bar->panel(4), u"Used extent", u"Total Rows:0 Total Cols:0"},
            {m_form->encodingChooser()->field(), u"Text encoding", u"UTF-8"},
        };
        for (const auto& panel : panels) {
            QAccessibleInterface* face = accessible(panel.widget);
            QCOMPARE(face->text(QAccessible::Name), QString::fromUtf16(panel.name));
            QCOMPARE(face->text(QAccessible::Value), QString::fromUtf16(panel.value));
            QCOMPARE(face->textInterface()->text(0, 99), QString::fromUtf16(panel.value));
        }
        QTest::keyClicks(m_form->S()->editor(), QStringLiteral("x"));
        QCOMPARE(accessible(bar->panel(1))->text(QAccessible::Value), QStringLiteral("Modified"));
    }

    void f10OpensTheFirstMenuAndEscapeLeavesIt() {
        QMenu* file = m_form->menuBar()->actions().first()->menu();
        QVERIFY(accessible(file)->state().invisible);
        QTest::keyClick(m_form->S()->editor(), Qt::Key_F10);
        QTRY_VERIFY(!accessible(file)->state().invisible);
        QCOMPARE(QApplication::activePopupWidget(), file);
        QTest::keyClick(file, Qt::Key_Escape);
        QTRY_VERIFY(accessible(file)->state().invisible);
        QCOMPARE(QApplication::activePopupWidget(), nullptr);
        QTRY_VERIFY(accessible(m_form->S()->editor())->state().focused);
        QVERIFY(!m_form->menuBar()->hasFocus());
    }

private:
    std::unique_ptr<TForm1> m_form;
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
