#pragma once

#include <QObject>

#include <chrono>
#include <functional>
#include <memory>

class QPrinter;
class QPrintDialog;
class QWidget;

namespace tavlor {
class Sheet;
class TextCodec;
} // namespace tavlor

namespace tavlor::ui {

class PrintSpool;

/** The current printer of the program run and its print jobs: the print and print-setup
 *  dialogs, and one job at a time laid out as text lines. */
class PrintController : public QObject {
    Q_OBJECT
public:
    /** Dialogs open over owner, which also owns the controller. */
    explicit PrintController(QWidget* owner);
    ~PrintController() override;

    /** The print dialog, then the job. Cancel prints nothing. A job that takes more than a second
     *  shows its progress with a Cancel button, which withdraws it: a job for a queue is laid out
     *  into a file of ours and handed to the queue only once complete, and a PDF file is removed.
     *  Throws std::runtime_error with "Printer not found!" for every failure, also when a job is
     *  running already or the queue refuses the finished job. */
    void print(const tavlor::Sheet& sheet, const tavlor::TextCodec& codec);
    /** The printer-setup dialog; OK makes its choices the current printer. Throws
     *  std::runtime_error("Printing in progress") when confirmed while a job runs. */
    void setup();

    /** A monotonic clock; a job shows its progress once it has run a second by this clock. */
    using Clock = std::function<std::chrono::milliseconds()>;
    /** Replaces the steady clock that times jobs (tests step it by hand). */
    void setClock(Clock clock) { m_clock = std::move(clock); }
    /** Replaces the system's print queues (tests record what would reach a printer). */
    void setSpool(std::unique_ptr<PrintSpool> spool);

    /** The current printer (the system's default, or PDF output, until a dialog changes it). */
    QPrinter& printer();
    bool isPrinting() const { return m_printing; }

private:
    enum class DialogKind { Print, Setup };
    /** Runs a print or print-setup dialog on target, modal and placed like all the program's
     *  dialogs; true on OK. Cancel leaves target as it was. */
    bool runDialog(QPrinter& target, DialogKind kind);
    /** A printer that starts with the current printer's settings, for dialogs during a job. */
    std::unique_ptr<QPrinter> scratchPrinter();
    void printJob(const tavlor::Sheet& sheet, const tavlor::TextCodec& codec);
    /** Lays the sheet out on the current printer; false when the user cancelled. */
    bool layOut(const tavlor::Sheet& sheet, const tavlor::TextCodec& codec);

    QWidget* m_owner = nullptr;
    std::unique_ptr<QPrinter> m_printer;
    bool m_printing = false;
    Clock m_clock;
    std::unique_ptr<PrintSpool> m_spool;
};

} // namespace tavlor::ui
