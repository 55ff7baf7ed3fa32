#pragma once

#include <QPrinter>
#include <QString>

class QPrintDialog;

namespace tavlor::ui {

/** Which printer a print or print-setup dialog starts from: a queue, or a PDF file. Building the
 *  platform's dialog switches its printer to the system's default queue, so the choice is taken
 *  before and put back after. */
struct PrinterChoice {
    QPrinter::OutputFormat format = QPrinter::PdfFormat;
    QString queue;
    QString file;

    static PrinterChoice of(const QPrinter& printer);
    void applyTo(QPrinter& printer) const;
};

/** Readies dialog, built on printer, before it runs: it shows choice (a queue that has gone is
 *  named in a note, and the dialog's default stands), printer names in full, and only all pages:
 *  the page range, pages, current page, selection and page set choices stay disabled, also when
 *  another printer is picked. */
void prepareDialog(QPrintDialog& dialog, QPrinter& printer, const PrinterChoice& choice);

/** Whatever a dialog or its back end set, the next job prints all pages. */
void keepAllPages(QPrinter& printer);

} // namespace tavlor::ui
