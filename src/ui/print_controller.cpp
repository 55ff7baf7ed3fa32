#include "ui/print_controller.h"

#include "core/sheet_print.h"
#include "ui/dialog_placement.h"
#include "ui/printer_text_device.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>

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

// Only all pages: no page range, no selection, no current page.
void restrictToAllPages(QPrintDialog& dialog) {
    dialog.setPrintRange(QAbstractPrintDialog::AllPages);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setOption(QAbstractPrintDialog::PrintCollateCopies, true);
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

} // namespace

PrintController::PrintController(QWidget* owner)
    : QObject(owner), m_owner(owner), m_clock(steadyNow) {}

PrintController::~PrintController() = default;

QPrinter& PrintController::printer() {
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

std::unique_ptr<QPrinter> PrintController::scratchPrinter() {
    QPrinter& current = printer();
    auto scratch = std::make_unique<QPrinter>(QPrinter::HighResolution);
    scratch->setOutputFormat(current.outputFormat());
    if (current.outputFormat() == QPrinter::NativeFormat)
        scratch->setPrinterName(current.printerName());
    scratch->setOutputFileName(current.outputFileName());
    scratch->setPageLayout(current.pageLayout());
    scratch->setCopyCount(current.copyCount());
    return scratch;
}

bool PrintController::runDialog(QPrintDialog& dialog) {
    placeAtOneThirdWhenShown(dialog, m_owner);
    return dialog.exec() == QDialog::Accepted;
}

void PrintController::print(const tavlor::Sheet& sheet, const tavlor::TextCodec& codec) {
    try {
        if (m_printing) {
            // A job is being laid out: the dialog still opens, on a copy of the settings, and
            // its OK fails without touching the running job or the current printer.
            const std::unique_ptr<QPrinter> scratch = scratchPrinter();
            QPrintDialog dialog(scratch.get(), m_owner);
            restrictToAllPages(dialog);
            if (!runDialog(dialog))
                return;
            throw std::runtime_error("a job is running");
        }
        QPrintDialog dialog(&printer(), m_owner);
        restrictToAllPages(dialog);
        if (!runDialog(dialog))
            return;
        printJob(sheet, codec);
    } catch (const std::exception&) {
        throw std::runtime_error(kPrinterNotFound);
    }
}

void PrintController::printJob(const tavlor::Sheet& sheet, const tavlor::TextCodec& codec) {
    const PrintingFlag printing(m_printing);
    QPrinter& current = printer();
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
    bool done = false;
    {
        PrinterTextDevice device(current, codec);
        done = tavlor::printSheet(
            sheet, device, codec.encoding(), [&](std::int64_t row, std::int64_t rows) {
                const int percent = static_cast<int>(row * 100 / rows);
                const bool due = !progress.isVisible() && !progress.wasCanceled() &&
                                 m_clock() - started >= kShowProgressAfter;
                if (percent != progress.value() || due) {
                    progress.setLabelText(
                        QStringLiteral("Printing row %1 of %2").arg(row).arg(rows));
                    progress.setValue(percent);
                }
                if (due)
                    progress.show();
                if (!progress.wasCanceled())
                    return true;
                // A printer's job is withdrawn; a PDF file cannot be, and goes below.
                if (current.outputFormat() == QPrinter::NativeFormat)
                    current.abort();
                return false;
            });
    }
    if (!done && current.outputFormat() == QPrinter::PdfFormat &&
        !current.outputFileName().isEmpty())
        QFile::remove(current.outputFileName()); // a cancelled job leaves no half a document
}

void PrintController::setup() {
    std::unique_ptr<QPrinter> scratch;
    QPrinter* target = &printer();
    if (m_printing) {
        scratch = scratchPrinter();
        target = scratch.get();
    }
    QPrintDialog dialog(target, m_owner);
    dialog.setWindowTitle(QStringLiteral("Print Setup"));
    restrictToAllPages(dialog);
    // The dialog chooses the printer for later jobs; it prints nothing itself.
    if (auto* box = dialog.findChild<QDialogButtonBox*>()) {
        if (QPushButton* ok = box->button(QDialogButtonBox::Ok))
            ok->setText(QStringLiteral("OK"));
    }
    if (!runDialog(dialog))
        return;
    if (m_printing)
        throw std::runtime_error("Printing in progress");
}

} // namespace tavlor::ui
