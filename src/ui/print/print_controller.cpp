#include "ui/print/print_controller.h"

#include "core/print/sheet_print.h"
#include "ui/dialogs/dialog_placement.h"
#include "ui/print/print_dialogs.h"
#include "ui/print/print_spool.h"
#include "ui/print/printer_text_device.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>

#include <limits>
#include <stdexcept>

namespace tavlor::ui {

namespace {

const char* const kPrinterNotFound = "Printer not found!";
// A job that runs longer than this shows its progress and a Cancel button (the full sheet takes
// seconds on a slow machine: thousands of pages).
constexpr std::chrono::milliseconds kShowProgressAfter{1000};

std::chrono::milliseconds steadyNow() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now().time_since_epoch());
}

// Clears the flag when the job ends, however it ends.
class PrintingFlag {
public:
    explicit PrintingFlag(bool& flag) : m_flag(flag) { m_flag = true; }
    PrintingFlag(const PrintingFlag&) = delete;
    PrintingFlag& operator=(const PrintingFlag&) = delete;
    ~PrintingFlag() { m_flag = false; }

private:
    bool& m_flag;
};

// Points the printer's output at a file for as long as it lives, then back where it was.
class OutputRedirect {
public:
    OutputRedirect(QPrinter& printer, const QString& file)
        : m_printer(printer), m_before(printer.outputFileName()) {
        m_printer.setOutputFileName(file);
    }
    OutputRedirect(const OutputRedirect&) = delete;
    OutputRedirect& operator=(const OutputRedirect&) = delete;
    ~OutputRedirect() { m_printer.setOutputFileName(m_before); }

private:
    QPrinter& m_printer;
    QString m_before;
};

} // namespace

PrintController::PrintController(QWidget* owner)
    : QObject(owner), m_owner(owner), m_clock(steadyNow),
      m_spool(std::make_unique<CupsPrintSpool>()) {}

PrintController::~PrintController() = default;

void PrintController::setSpool(std::unique_ptr<PrintSpool> spool) {
    m_spool = std::move(spool);
}

QPrinter& PrintController::printer() {
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

std::unique_ptr<QPrinter> PrintController::scratchPrinter() {
    QPrinter& current = printer();
    auto scratch = std::make_unique<QPrinter>(QPrinter::HighResolution);
    PrinterChoice::of(current).applyTo(*scratch);
    scratch->setPageLayout(current.pageLayout());
    scratch->setCopyCount(current.copyCount());
    return scratch;
}

bool PrintController::runDialog(QPrinter& target, DialogKind kind) {
    const PrinterChoice before = PrinterChoice::of(target);
    QPrintDialog dialog(&target, m_owner);
    if (kind == DialogKind::Setup) {
        // The dialog chooses the printer for later jobs; it prints nothing itself.
        dialog.setWindowTitle(QStringLiteral("Print Setup"));
        if (auto* box = dialog.findChild<QDialogButtonBox*>()) {
            if (QPushButton* ok = box->button(QDialogButtonBox::Ok))
                ok->setText(QStringLiteral("OK"));
        }
    }
    prepareDialog(dialog, target, before);
    placeAtOneThirdWhenShown(dialog, m_owner);
    if (dialog.exec() != QDialog::Accepted) {
        before.applyTo(target); // picking another printer in the dialog already changed it
        return false;
    }
    keepAllPages(target);
    return true;
}

void PrintController::print(const tavlor::Sheet& sheet, const tavlor::TextCodec& codec) {
    try {
        if (m_printing) {
            // A job is being laid out: the dialog still opens, on a copy of the settings, and
            // its OK fails without touching the running job or the current printer.
            const std::unique_ptr<QPrinter> scratch = scratchPrinter();
            if (!runDialog(*scratch, DialogKind::Print))
                return;
            throw std::runtime_error("a job is running");
        }
        if (!runDialog(printer(), DialogKind::Print))
            return;
        printJob(sheet, codec);
    } catch (const std::exception&) {
        throw std::runtime_error(kPrinterNotFound);
    }
}

void PrintController::printJob(const tavlor::Sheet& sheet, const tavlor::TextCodec& codec) {
    const PrintingFlag printing(m_printing);
    QPrinter& current = printer();
    const QString queue = m_spool->queueFor(current);
    if (queue.isEmpty()) {
        if (!layOut(sheet, codec) && !current.outputFileName().isEmpty())
            QFile::remove(current.outputFileName()); // a cancelled job leaves no half a document
        return;
    }
    // For a queue the job goes into a file of ours first: the queue gets it only when complete,
    // so Cancel withdraws all of it.
    const QTemporaryDir spoolFolder;
    if (!spoolFolder.isValid())
        throw std::runtime_error("no folder for the print job");
    const QString file = spoolFolder.filePath(QStringLiteral("job.prn"));
    bool done = false;
    {
        const OutputRedirect intoFile(current, file);
        done = layOut(sheet, codec);
    }
    if (done && !m_spool->submit({queue, file, spoolOptions(current)}))
        throw std::runtime_error("the print queue refused the job");
}

bool PrintController::layOut(const tavlor::Sheet& sheet, const tavlor::TextCodec& codec) {
    // Not modal: the window stays usable while the job is laid out, as before.
    QProgressDialog progress(QStringLiteral("Printing..."), QStringLiteral("Cancel"), 0, 100,
                             m_owner);
    progress.setObjectName(QStringLiteral("PrintProgress"));
    progress.setWindowTitle(QStringLiteral("Print"));
    progress.setWindowModality(Qt::NonModal);
    // Shown by the job's own clock below, never by the box's timer, whose estimate reads the
    // wall clock.
    progress.setMinimumDuration(std::numeric_limits<int>::max());
    progress.setValue(0);
    const std::chrono::milliseconds started = m_clock();
    // UTF-16 cells come to the device as UTF-8, with the row numbers and line ends.
    const tavlor::TextCodec printed(tavlor::printedEncoding(codec.encoding()));
    PrinterTextDevice device(printer(), printed);
    return tavlor::printSheet(
        sheet, device, codec.encoding(), [&](std::int64_t row, std::int64_t rows) {
            const int percent = static_cast<int>(row * 100 / rows);
            const bool due = !progress.isVisible() && !progress.wasCanceled() &&
                             m_clock() - started >= kShowProgressAfter;
            if (percent != progress.value() || due) {
                progress.setLabelText(QStringLiteral("Printing row %1 of %2").arg(row).arg(rows));
                progress.setValue(percent);
            }
            if (due)
                progress.show();
            return !progress.wasCanceled();
        });
}

void PrintController::setup() {
    std::unique_ptr<QPrinter> scratch;
    QPrinter* target = &printer();
    if (m_printing) {
        scratch = scratchPrinter();
        target = scratch.get();
    }
    const bool ok = runDialog(*target, DialogKind::Setup);
    if (ok && m_printing)
        throw std::runtime_error("Printing in progress");
}

} // namespace tavlor::ui
