#include "ui/print/print_dialogs.h"

#include "ui/print/print_spool.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPageRanges>
#include <QPrintDialog>
#include <QPrintEngine>
#include <QRadioButton>

namespace tavlor::ui {

namespace {

// The dialog's own widgets for choosing less than all pages.
constexpr const char* kPageChoices[] = {"printRange",       "from",          "to",
                                        "pagesRadioButton", "pagesLineEdit", "printCurrentPage",
                                        "printSelection",   "pageSetCombo",  "pageSetLabel"};

// Keeps the dialog on all pages: the dialog enables its range choices again each time it shows
// and whenever another printer is picked. Also widens the printer list to its longest name.
class AllPagesLock : public QObject {
public:
    explicit AllPagesLock(QPrintDialog& dialog) : QObject(&dialog), m_dialog(dialog) {
        dialog.installEventFilter(this);
        if (auto* printers = dialog.findChild<QComboBox*>(QStringLiteral("printers")))
            connect(printers, &QComboBox::currentIndexChanged, this, &AllPagesLock::apply);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &m_dialog && event->type() == QEvent::Show) {
            apply();
            // Printer names in full: the list's entries are all there once the dialog shows.
            if (auto* printers = m_dialog.findChild<QComboBox*>(QStringLiteral("printers")))
                printers->setMinimumWidth(printers->sizeHint().width());
        }
        return false;
    }

private:
    void apply() {
        if (auto* all = m_dialog.findChild<QRadioButton*>(QStringLiteral("printAll")))
            all->setChecked(true);
        for (const char* name : kPageChoices) {
            if (auto* choice = m_dialog.findChild<QWidget*>(QString::fromLatin1(name)))
                choice->setEnabled(false);
        }
    }

    QPrintDialog& m_dialog;
};

void addNote(QPrintDialog& dialog, const QString& text) {
    auto* layout = qobject_cast<QBoxLayout*>(dialog.layout());
    if (layout == nullptr)
        return;
    auto* note = new QLabel(text, &dialog);
    note->setObjectName(QStringLiteral("PrinterGoneNote"));
    note->setWordWrap(true);
    layout->insertWidget(0, note);
}

} // namespace

PrinterChoice PrinterChoice::of(const QPrinter& printer) {
    PrinterChoice choice;
    choice.format = printer.outputFormat();
    if (choice.format == QPrinter::NativeFormat)
        choice.queue = printer.printerName();
    else
        choice.file = printer.outputFileName();
    return choice;
}

void PrinterChoice::applyTo(QPrinter& printer) const {
    if (format == QPrinter::NativeFormat) {
        printer.setOutputFileName(QString());
        printer.setPrinterName(queue);
    } else {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
    }
}

void prepareDialog(QPrintDialog& dialog, QPrinter& printer, const PrinterChoice& choice) {
    dialog.setPrintRange(QAbstractPrintDialog::AllPages);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setOption(QAbstractPrintDialog::PrintCollateCopies, true);
    new AllPagesLock(dialog);

    choice.applyTo(printer);
    if (auto* printers = dialog.findChild<QComboBox*>(QStringLiteral("printers"))) {
        printers->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        if (choice.format == QPrinter::NativeFormat && !choice.queue.isEmpty()) {
            const int index = printers->findText(choice.queue);
            if (index >= 0)
                printers->setCurrentIndex(index);
            else
                addNote(dialog, QStringLiteral("The printer chosen before, %1, is not available: "
                                               "choose the printer for this job.")
                                    .arg(choice.queue));
        }
    }
    // The PDF entry is added, and picked for a PDF printer, when the dialog shows.
    if (choice.format == QPrinter::PdfFormat) {
        if (auto* file = dialog.findChild<QLineEdit*>(QStringLiteral("filename")))
            file->setText(choice.file);
    }
}

void keepAllPages(QPrinter& printer) {
    printer.setPrintRange(QPrinter::AllPages);
    printer.setPageRanges(QPageRanges());
    QPrintEngine* engine = printer.printEngine();
    const QStringList choices = engine->property(kQueueChoicesKey).toStringList();
    if (!choices.isEmpty())
        engine->setProperty(kQueueChoicesKey, withoutPageChoices(choices));
}

} // namespace tavlor::ui
