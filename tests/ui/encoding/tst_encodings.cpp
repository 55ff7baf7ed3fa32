// A document's text encoding: shown, typed, refused, switched and converted through the window.
#include "support/form_harness.h"
#include "ui/encoding/encoding_chooser.h"
#include "ui/grid/cell_editor.h"
#include "ui/grid/sheet_grid.h"
#include "ui/text/formula_bar.h"
#include "ui/view/status_panels.h"
#include "ui/window/tform1.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <memory>
#include <string>

using namespace tavlor::test;
using tavlor::TextEncoding;
using namespace std::string_literals;

namespace {

const std::string kTurkishFile = "\xDEi\xFEli;\xE7"
                                 "ay;\r\n"; // Şişli;çay in Windows-1254

// Types text as key presses that carry characters (QTest::keyClicks takes Latin-1 only).
void type(QWidget* target, const QString& text) {
    for (const QChar ch : text)
        QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

// What the grid draws for cell (col, row).
QString shown(const TForm1& form, int col, int row) {
    const QAbstractItemModel* model = form.S()->model();
    return model->data(model->index(row - 1, col - 1)).toString();
}

} // namespace

class TestEncodings : public QObject {
    Q_OBJECT

private slots:
    void init() {
        QVERIFY(m_dir.isValid());
        m_path = m_dir.filePath(QStringLiteral("turkish.csv"));
        QFile file(m_path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(kTurkishFile.data(), static_cast<qint64>(kTurkishFile.size()));
        file.close();
        m_form = showForm({m_path.toStdString()});
    }

    void cleanup() {
        m_form->document().markUnmodified(); // no save prompt on closing
        m_form.reset();
    }

    void turkishFileShowsItsLettersAndTypingSavesItsBytes() {
        const QString sisli = QStringLiteral("Şişli");
        QCOMPARE(m_form->encodingChooser()->field()->text(), QStringLiteral("Windows-1254"));
        QVERIFY(m_form->encodingChooser()->action(TextEncoding::Windows1254)->isChecked());
        QCOMPARE(shown(*m_form, 1, 1), sisli);
        QCOMPARE(m_form->S()->editor()->text(), sisli);
        m_form->S()->moveTo(2, 1);
        type(m_form->S()->editor(), QStringLiteral("ğ"));
        QCOMPARE(cell(*m_form, 2, 1), std::string("\xF0"));
        m_form->S()->moveTo(1, 1);
        QCOMPARE(m_form->LabeledEdit1()->text(), sisli);
        m_form->action("FileSave1")->trigger();
        QCOMPARE(fileBytes(m_path), std::string("\xDEi\xFEli;\xF0;\r\n"));
    }

    void characterOutsideTheCodePageChangesNothing() {
        type(m_form->S()->editor(), QStringLiteral("→"));
        QCOMPARE(cell(*m_form, 1, 1), std::string("\xDEi\xFEli"));
        QCOMPARE(m_form->S()->editor()->text(), QStringLiteral("Şişli"));
        const QString hint = m_form->panelText(0);
        QCOMPARE(hint, QStringLiteral("No → in Windows-1254: convert to UTF-8"));
        // Pasted into the formula bar: refused whole.
        QApplication::clipboard()->setText(QStringLiteral("x中"));
        m_form->LabeledEdit1()->setFocus();
        m_form->LabeledEdit1()->paste();
        QCOMPARE(cell(*m_form, 1, 1), std::string("\xDEi\xFEli"));
        QCOMPARE(m_form->panelText(1), QString());
        m_form->action("FileSave1")->trigger();
        QCOMPARE(fileBytes(m_path), kTurkishFile);
    }

    void switchingChangesTheTextShownAndNoByte() {
        m_form->S()->moveTo(2, 1);
        m_form->S()->moveTo(1, 1); // the formula bar shows A1 now
        m_form->encodingChooser()->action(TextEncoding::Windows1252)->trigger();
        QCOMPARE(shown(*m_form, 1, 1), QStringLiteral("Þiþli"));
        QCOMPARE(m_form->S()->editor()->text(), QStringLiteral("Þiþli"));
        QCOMPARE(m_form->LabeledEdit1()->text(), QStringLiteral("Þiþli"));
        QCOMPARE(m_form->encodingChooser()->field()->text(), QStringLiteral("Windows-1252"));
        QCOMPARE(cell(*m_form, 1, 1), std::string("\xDEi\xFEli"));
        QCOMPARE(m_form->panelText(1), QString());

        // From the keyboard: the shortcut opens the field's menu; its second item is Windows-1254.
        // The menu runs its own loop; the keys go to it once it has opened.
        bool menuShown = false;
        QTimer poll;
        poll.setInterval(10);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (popup == nullptr || !popup->isVisible())
                return;
            poll.stop();
            menuShown = true;
            QTest::keyClick(popup, Qt::Key_Down);
            QTest::keyClick(popup, Qt::Key_Down);
            QTest::keyClick(popup, Qt::Key_Return);
        });
        poll.start();
        QTest::keyClick(m_form->S()->editor(), Qt::Key_E, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(menuShown);
        QCOMPARE(m_form->document().encoding(), TextEncoding::Windows1254);
        QCOMPARE(shown(*m_form, 1, 1), QStringLiteral("Şişli"));

        // A huge cell shown in part: the formula bar follows the editor into an encoding without
        // "…".
        putCell(*m_form, 3, 1, std::string(200 * 1024, '\xFE'));
        m_form->S()->moveTo(3, 1);
        m_form->encodingChooser()->action(TextEncoding::Iso8859_15)->trigger();
        QVERIFY(m_form->S()->editor()->text().startsWith(QStringLiteral("þþ")));
        QCOMPARE(m_form->LabeledEdit1()->text(), m_form->S()->editor()->text());
    }

    void convertingRewritesTheBytesAsUtf8() {
        m_form->encodingChooser()->convertAction()->trigger();
        QCOMPARE(cell(*m_form, 1, 1), std::string("\xC5\x9Ei\xC5\x9Fli"));
        QCOMPARE(shown(*m_form, 1, 1), QStringLiteral("Şişli"));
        QCOMPARE(m_form->encodingChooser()->field()->text(), QStringLiteral("UTF-8"));
        QVERIFY(!m_form->encodingChooser()->convertAction()->isEnabled());
        QCOMPARE(m_form->panelText(1), QStringLiteral("Modified"));
        // UTF-8 holds every character.
        type(m_form->S()->editor(), QStringLiteral("→"));
        QCOMPARE(cell(*m_form, 1, 1), std::string("\xE2\x86\x92"));
    }

    void utf16FileIsTextThatTypingAndSavingKeep() {
        // Şişli;çay; in UTF-16 LE with its mark
        const std::string file = "\xFF\xFE\x5E\x01i\0\x5F\x01l\0i\0;\0\xE7\0a\0y\0;\0\r\0\n\0"s;
        const QString path = m_dir.filePath(QStringLiteral("wide.csv"));
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(file.data(), static_cast<qint64>(file.size()));
        out.close();
        m_form->document().markUnmodified();
        m_form = showForm({path.toStdString()});
        QCOMPARE(m_form->encodingChooser()->field()->text(), QStringLiteral("UTF-16 LE"));
        QCOMPARE(shown(*m_form, 1, 1), QStringLiteral("Şişli"));
        m_form->S()->moveTo(2, 1);
        type(m_form->S()->editor(), QStringLiteral("→"));
        QCOMPARE(cell(*m_form, 2, 1), std::string("\x92\x21", 2));
        QCOMPARE(m_form->panelText(0), QString()); // no split-cell hint for the bytes of ";"
        m_form->action("FileSave1")->trigger();
        QCOMPARE(fileBytes(path), "\xFF\xFE\x5E\x01i\0\x5F\x01l\0i\0;\0\x92\x21;\0\r\0\n\0"s);
        m_form->encodingChooser()->convertAction()->trigger();
        QCOMPARE(cell(*m_form, 2, 1), std::string("\xE2\x86\x92"));
    }

    void encodingMenuShowsItsKeyAndItsHintsFitPanelZero() {
        QMenu* menu = m_form->encodingChooser()->menu();
        QCOMPARE(menu->menuAction()->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+E")));
        m_form->encodingChooser()->action(TextEncoding::Utf16Le)->trigger(); // A1 has five bytes
        QCOMPARE(m_form->document().encoding(), TextEncoding::Windows1254);
        QCOMPARE(m_form->panelText(0), QStringLiteral("Not UTF-16: odd byte count in A1"));
        const QLabel* panel = m_form->StatusBar()->panel(0);
        QStringList hints{m_form->encodingChooser()->field()->statusTip(), m_form->panelText(0)};
        for (const QAction* action : menu->actions())
            hints << action->statusTip();
        for (const QString& hint : hints) {
            const int room = panel->contentsRect().width() - 2 * panel->indent();
            QVERIFY2(panel->fontMetrics().horizontalAdvance(hint) <= room, qPrintable(hint));
        }
    }

private:
    QTemporaryDir m_dir;
    QString m_path;
    std::unique_ptr<TForm1> m_form;
};

QTEST_MAIN(TestEncodings)
#include "tst_encodings.moc"
