// Printing the sheet as text lines: the dialogs, a real job into a PDF file, and the failures.
#include "support/form_harness.h"
#include "support/modal_script.h"
#include "support/seen_box.h"
#include "ui/dialogs/dialog_placement.h"
#include "ui/encoding/document_encoding_control.h"
#include "ui/print/print_controller.h"
#include "ui/print/print_spool.h"
#include "ui/print/printer_text_device.h"
#include "ui/window/tform1.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QProgressDialog>
#include <QRadioButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <memory>

using namespace tavlor::test;

namespace {

// The text lines of a PDF as pdftotext lays them out, blank lines dropped, blanks trimmed.
QStringList pdfLines(const QString& path) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {QStringLiteral("<pdftotext failed>")};
    QStringList lines;
    for (const QString& line : QString::fromUtf8(process.readAllStandardOutput()).split(u'\n')) {
        const QString trimmed = line.trimmed().remove(u'\f');
        if (!trimmed.isEmpty())
            lines << trimmed;
    }
    return lines;
}

int pdfPages(const QString& path) {
    QProcess process;
    process.start(QStringLiteral("pdfinfo"), {path});
    if (!process.waitForFinished(30000))
        return -1;
    for (const QString& line : QString::fromUtf8(process.readAllStandardOutput()).split(u'\n')) {
        if (line.startsWith(QStringLiteral("Pages:")))
            return line.mid(6).trimmed().toInt();
    }
    return -1;
}

// Watches, while it lives, for the print job's progress box: records its text when it shows,
// and cancels the job then when asked.
class ProgressWatch : public QObject {
public:
    explicit ProgressWatch(bool cancel) : m_cancel(cancel) { qApp->installEventFilter(this); }
    bool seen() const { return !m_label.isEmpty(); }
    const QString& label() const { return m_label; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* progress = qobject_cast<QProgressDialog*>(watched);
        if (progress != nullptr && event->type() == QEvent::Show && !seen()) {
            m_label = progress->labelText();
            // After the showing: the job hands control to the event loop at its next page end.
            if (m_cancel)
                QMetaObject::invokeMethod(progress, &QProgressDialog::cancel, Qt::QueuedConnection);
        }
        return false;
    }

private:
    bool m_cancel = false;
    QString m_label;
};

// Stands in for the system's print queues: every printer is the queue "Office", and each job
// handed over is logged as its queue, its text lines and the names of its options.
class RecordingSpool : public tavlor::ui::PrintSpool {
public:
    RecordingSpool(QStringList& log, bool accept) : m_log(log), m_accept(accept) {}
    QString queueFor(const QPrinter&) const override { return QStringLiteral("Office"); }
    bool submit(const tavlor::ui::SpoolJob& job) override {
        QStringList names;
        for (const tavlor::ui::SpoolOption& option : job.options)
            names << QString::fromLatin1(option.first);
        m_log << job.queue + u' ' + pdfLines(job.file).join(u'|') + u' ' + names.join(u',');
        return m_accept;
    }

private:
    QStringList& m_log;
    bool m_accept = true;
};

// A print clock that moves 10 ms each time the job reads it: a job shows its progress after
// about 100 rows, however fast the machine prints.
tavlor::ui::PrintController::Clock steppingClock() {
    return [now = std::chrono::milliseconds(0)]() mutable {
        return now += std::chrono::milliseconds(10);
    };
}

} // namespace

class TestPrint : public QObject {
    Q_OBJECT

private slots:
    void init();

    void printFontIsNinePointsAtThePrinterResolution();
    void printDialogOffersAllPagesOnly();
    void printsEveryCellOnItsOwnLineInOrder();
    void textPrintsInTheDocumentsEncoding();
    void emptySheetPrintsOneBlankPage();
    void cancelPrintsNothingAndSaysNothing();
    void unopenableOutputIsPrinterNotFound();
    void setupChoosesThePrinterForLaterJobs();
    void printOrSetupDuringAJobFailsAndTheJobCompletes();
    void longJobShowsItsProgressAndCancelWithdrawsIt();
    void aQueueGetsWholeJobsOnly();

private:
    QString outputPath(const QString& name) const { return m_dir.filePath(name); }
    /** The current printer writes a PDF file at path. */
    void printTo(const QString& path);
    /** Runs the print command; the print dialog is answered with OK. Returns what an error box
     *  after it said. */
    SeenBox printWithOk();

    QTemporaryDir m_dir;
    std::unique_ptr<TForm1> m_form;
};

void TestPrint::init() {
    QVERIFY(m_dir.isValid());
    m_form = showForm();
    m_form->printController()->setClock(steppingClock());
}

void TestPrint::printTo(const QString& path) {
    QPrinter& printer = m_form->printController()->printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
}

SeenBox TestPrint::printWithOk() {
    SeenBox seen;
    ModalScript script;
    script
        .then([](QWidget* modal) {
            auto* dialog = qobject_cast<QPrintDialog*>(modal);
            QVERIFY(dialog != nullptr);
            dialog->accept();
        })
        .then(answerBox(seen, QMessageBox::Ok));
    m_form->action("FilePrint1")->trigger();
    if (script.answered() == 0)
        seen.text = QStringLiteral("<no print dialog>");
    return seen;
}

void TestPrint::printFontIsNinePointsAtThePrinterResolution() {
    const QFont at600 = tavlor::ui::PrinterTextDevice::printFont(600);
    QCOMPARE(at600.pixelSize(), 75);
    QVERIFY(at600.bold());
    QCOMPARE(at600.family(), QStringLiteral("Arial"));
    QCOMPARE(tavlor::ui::PrinterTextDevice::printFont(1200).pixelSize(), 150);
    QCOMPARE(tavlor::ui::PrinterTextDevice::printFont(96).pixelSize(), 12);
    QCOMPARE(tavlor::ui::PrinterTextDevice::printFont(300).pixelSize(), 38); // 37.5 rounds up
}

void TestPrint::printDialogOffersAllPagesOnly() {
    printTo(outputPath(QStringLiteral("unused.pdf")));
    bool wasPrintDialog = false;
    QAbstractPrintDialog::PrintRange range = QAbstractPrintDialog::Selection;
    QAbstractPrintDialog::PrintDialogOptions options;
    QRect frame;
    QRect screen;
    QString pageChoices;
    bool namesFit = false;
    ModalScript script;
    script.then([&](QWidget* modal) {
        QPointer<QPrintDialog> shown = qobject_cast<QPrintDialog*>(modal);
        // The placement settles after the showing.
        static_cast<void>(QTest::qWaitFor([&] {
            return !shown || shown->frameGeometry().topLeft() ==
                                 tavlor::ui::oneThirdPosition(shown->screen()->geometry(),
                                                              shown->frameGeometry().size());
        }));
        if (shown) {
            wasPrintDialog = true;
            range = shown->printRange();
            options = shown->options();
            frame = shown->frameGeometry();
            screen = shown->screen()->geometry();
            // Each choice of fewer pages, '-' when disabled; the printer list fits its names.
            for (const char* name :
                 {"printRange", "from", "to", "pagesRadioButton", "pagesLineEdit",
                  "printCurrentPage", "printSelection", "pageSetCombo"}) {
                auto* choice = shown->findChild<QWidget*>(QString::fromLatin1(name));
                pageChoices += choice == nullptr ? u'?' : choice->isEnabled() ? u'+' : u'-';
            }
            auto* printers = shown->findChild<QComboBox*>(QStringLiteral("printers"));
            namesFit = printers != nullptr && printers->width() >= printers->sizeHint().width();
            // Even a range chosen behind the dialog's back does not reach the job.
            if (auto* from = shown->findChild<QRadioButton*>(QStringLiteral("printRange")))
                from->setChecked(true);
        }
        qobject_cast<QDialog*>(modal)->accept();
    });
    m_form->action("FilePrint1")->trigger();
    QCOMPARE(script.answered(), 1);
    QVERIFY(wasPrintDialog);
    QCOMPARE(pageChoices, QStringLiteral("--------"));
    QVERIFY(namesFit);
    QCOMPARE(m_form->printController()->printer().printRange(), QPrinter::AllPages);
    QCOMPARE(range, QAbstractPrintDialog::AllPages);
    QVERIFY(!options.testFlag(QAbstractPrintDialog::PrintPageRange));
    QVERIFY(!options.testFlag(QAbstractPrintDialog::PrintSelection));
    QVERIFY(!options.testFlag(QAbstractPrintDialog::PrintCurrentPage));
    // Centred across the screen, its top at one third of the free height.
    QCOMPARE(frame.topLeft(), QPoint(screen.left() + (screen.width() - frame.width()) / 2,
                                     screen.top() + (screen.height() - frame.height()) / 3));
}

void TestPrint::printsEveryCellOnItsOwnLineInOrder() {
    const QString path = outputPath(QStringLiteral("sheet.pdf"));
    printTo(path);
    putCell(*m_form, 1, 1, "x");
    putCell(*m_form, 2, 1, "hello world");
    putCell(*m_form, 3, 2, "second row");
    putCell(*m_form, 26, 2, "last column");
    m_form->document().Genislik();
    const ProgressWatch watch(false);
    const SeenBox error = printWithOk();
    QCOMPARE(error.text, QString());
    QVERIFY(!watch.seen()); // a short job shows no progress
    QVERIFY(QFile::exists(path));
    QCOMPARE(pdfLines(path),
             (QStringList{QStringLiteral("1"), QStringLiteral("x"), QStringLiteral("hello world"),
                          QStringLiteral("2"), QStringLiteral("second row"),
                          QStringLiteral("last column")}));
    // 2 rows of 28 lines of 9 points fit on one A4 or Letter page.
    QCOMPARE(pdfPages(path), 1);
}

void TestPrint::textPrintsInTheDocumentsEncoding() {
    const QString path = outputPath(QStringLiteral("encodings.pdf"));
    printTo(path);
    // Row 1 prints "1", CR LF, then A1: the 128-byte pieces cut the "ş" after 124 i's in two.
    putCell(*m_form, 1, 1,
            std::string(124, 'i') + "\xC5\x9F"
                                    "b");
    m_form->document().Genislik();
    QCOMPARE(printWithOk().text, QString());
    QCOMPARE(pdfLines(path),
             (QStringList{QStringLiteral("1"), QString(124, u'i') + QStringLiteral("şb")}));

    putCell(*m_form, 1, 1,
            "\xDEi\xFEli \xC7"
            "ay \xD0\xF0\xDD\xFD\xD6\xF6\xDC\xFC");
    m_form->encodingControl().setDocumentEncoding(tavlor::TextEncoding::Windows1254);
    m_form->document().Genislik();
    QCOMPARE(printWithOk().text, QString());
    QCOMPARE(pdfLines(path),
             (QStringList{QStringLiteral("1"), QStringLiteral("Şişli Çay ĞğİıÖöÜü")}));

    putCell(*m_form, 1, 1, std::string("\x01\x5E\x00i\x01\x5F", 6)); // Şiş in UTF-16 BE
    m_form->encodingControl().setDocumentEncoding(tavlor::TextEncoding::Utf16Be);
    QCOMPARE(printWithOk().text, QString());
    QCOMPARE(pdfLines(path), (QStringList{QStringLiteral("1"), QStringLiteral("Şiş")}));
}

void TestPrint::emptySheetPrintsOneBlankPage() {
    const QString path = outputPath(QStringLiteral("empty.pdf"));
    printTo(path);
    QCOMPARE(printWithOk().text, QString());
    QCOMPARE(pdfPages(path), 1);
    QCOMPARE(pdfLines(path), QStringList());
}

void TestPrint::cancelPrintsNothingAndSaysNothing() {
    const QString path = outputPath(QStringLiteral("cancelled.pdf"));
    printTo(path);
    putCell(*m_form, 1, 1, "x");
    m_form->document().Genislik();
    SeenBox seen;
    ModalScript script;
    script.then([](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); })
        .then(answerBox(seen, QMessageBox::Ok));
    m_form->action("FilePrint1")->trigger(); // an error box would show before it returns
    QCOMPARE(script.answered(), 1);           // the print dialog, and no error box after it
    QVERIFY(!QFile::exists(path));
}

void TestPrint::unopenableOutputIsPrinterNotFound() {
    const QString path = outputPath(QStringLiteral("no such folder/sheet.pdf"));
    printTo(path);
    SeenBox seen;
    ModalScript script;
    script
        .then([](QWidget* modal) {
            // OK as it stands: the dialog's own check of the file name is not what is tested here.
            qobject_cast<QDialog*>(modal)->done(QDialog::Accepted);
        })
        .then(answerBox(seen, QMessageBox::Ok));
    m_form->action("FilePrint1")->trigger();
    QVERIFY(script.answered() >= 1);
    QCOMPARE(seen.text, QStringLiteral("Printer not found!")); // no full stop added
    QCOMPARE(seen.caption, m_form->AppTitle);
    QCOMPARE(seen.icon, QMessageBox::Critical);
    QVERIFY(!m_form->printController()->isPrinting());
}

void TestPrint::setupChoosesThePrinterForLaterJobs() {
    const QString first = outputPath(QStringLiteral("first.pdf"));
    const QString chosen = outputPath(QStringLiteral("chosen.pdf"));
    printTo(first);

    QString title;
    {
        ModalScript script;
        // Cancel changes nothing, also what the dialog itself changed: on a desktop, building it
        // switches its printer to the default queue.
        script.then([&](QWidget* modal) {
            m_form->printController()->printer().setOutputFileName(
                outputPath(QStringLiteral("other.pdf")));
            qobject_cast<QDialog*>(modal)->reject();
        });
        m_form->action("FilePrintSetup1")->trigger();
        QCOMPARE(script.answered(), 1);
        QCOMPARE(m_form->printController()->printer().outputFileName(), first);

        script.then([&](QWidget* modal) {
            title = modal->windowTitle();
            auto* file = modal->findChild<QLineEdit*>(QStringLiteral("filename"));
            QVERIFY(file != nullptr);
            file->setText(chosen);
            qobject_cast<QDialog*>(modal)->accept();
        });
        m_form->action("FilePrintSetup1")->trigger();
        QCOMPARE(script.answered(), 2);
    }
    QCOMPARE(title, QStringLiteral("Print Setup"));
    QCOMPARE(m_form->printController()->printer().outputFileName(), chosen);
    QVERIFY(!QFile::exists(chosen)); // setting up prints nothing

    QCOMPARE(printWithOk().text, QString());
    QVERIFY(QFile::exists(chosen));
    QVERIFY(!QFile::exists(first));
}

void TestPrint::printOrSetupDuringAJobFailsAndTheJobCompletes() {
    const QString path = outputPath(QStringLiteral("long.pdf"));
    printTo(path);
    for (int row = 1; row <= 40; ++row)
        putCell(*m_form, 1, row, "row " + std::to_string(row));
    m_form->document().Genislik();

    // While the job is laid out, the page ends hand control to the event loop: a second print
    // and a print setup are started from there, each answered with OK.
    SeenBox printError;
    SeenBox setupError;
    bool printerKept = false;
    const auto ok = [](QWidget* dialog) {
        qobject_cast<QDialog*>(dialog)->done(QDialog::Accepted);
    };
    ModalScript script;
    script
        .then([&](QWidget* modal) {
            QTimer::singleShot(0, m_form.get(), [&] {
                QVERIFY(m_form->printController()->isPrinting());
                m_form->action("FilePrint1")->trigger();
                m_form->action("FilePrintSetup1")->trigger();
                printerKept = m_form->printController()->printer().outputFileName() == path;
            });
            qobject_cast<QDialog*>(modal)->accept();
        })
        .then(ok)
        .then(answerBox(printError, QMessageBox::Ok))
        .then(ok)
        .then(answerBox(setupError, QMessageBox::Ok));
    m_form->action("FilePrint1")->trigger();
    QVERIFY(script.answered() >= 1);
    QCOMPARE(printError.text, QStringLiteral("Printer not found!"));
    QCOMPARE(setupError.text, QStringLiteral("Printing in progress."));
    QVERIFY(printerKept);
    QVERIFY(!m_form->printController()->isPrinting());

    QStringList expected;
    for (int row = 1; row <= 40; ++row)
        expected << QString::number(row) << QStringLiteral("row %1").arg(row);
    QCOMPARE(pdfLines(path), expected);
    QVERIFY(pdfPages(path) > 1);
}

void TestPrint::longJobShowsItsProgressAndCancelWithdrawsIt() {
    // The full sheet: 9999 rows, thousands of pages.
    const QString path = outputPath(QStringLiteral("full.pdf"));
    printTo(path);
    tavlor::Sheet& sheet = m_form->document().sheet();
    for (int row = 1; row <= tavlor::Sheet::kLastRow; ++row)
        sheet.setCell(1, row, "r" + std::to_string(row));
    m_form->document().Genislik();

    const ProgressWatch watch(true);
    const SeenBox seen = printWithOk();
    QCOMPARE(seen.text, QString()); // cancelling is no error
    QVERIFY(watch.label().startsWith(QStringLiteral("Printing row ")));
    QVERIFY(watch.label().endsWith(QStringLiteral(" of 9999")));
    QVERIFY(!m_form->printController()->isPrinting());
    QVERIFY(!QFile::exists(path));
}

void TestPrint::aQueueGetsWholeJobsOnly() {
    const QString path = outputPath(QStringLiteral("mine.pdf"));
    printTo(path);
    QStringList submitted;
    tavlor::ui::PrintController& controller = *m_form->printController();
    putCell(*m_form, 1, 1, "x");
    m_form->document().Genislik();
    // A queue that refuses the finished job is a printer not found; one that takes it, no error.
    controller.setSpool(std::make_unique<RecordingSpool>(submitted, false));
    QCOMPARE(printWithOk().text, QStringLiteral("Printer not found!"));
    controller.setSpool(std::make_unique<RecordingSpool>(submitted, true));
    QCOMPARE(printWithOk().text, QString());
    // A cancelled job never reaches the queue.
    tavlor::Sheet& sheet = m_form->document().sheet();
    for (int row = 2; row <= tavlor::Sheet::kLastRow; ++row)
        sheet.setCell(1, row, "r");
    m_form->document().Genislik();
    const ProgressWatch watch(true);
    QCOMPARE(printWithOk().text, QString());
    QVERIFY(watch.seen());

    QCOMPARE(submitted, QStringList(2, QStringLiteral("Office 1|x media,sides")));
    QVERIFY(!QFile::exists(path)); // the job went into a file of the program's own
    QCOMPARE(controller.printer().outputFileName(), path);
}

QTEST_MAIN(TestPrint)
#include "tst_print.moc"
