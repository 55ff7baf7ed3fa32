#include "ui/print/print_spool.h"

#include <QLibrary>
#include <QPageLayout>
#include <QPrintEngine>
#include <QPrinter>

#include <cups/cups.h>

#include <vector>

namespace tavlor::ui {

namespace {
// CUPS is loaded by the first job handed to a queue, not at every start: linked to the program,
// it brought a score of libraries (TLS, Kerberos, service discovery) and their set-up into each
// start. Qt's print support has it loaded by then anyway, as choosing a queue goes through it.
using PrintFile = decltype(&cupsPrintFile);
PrintFile cupsPrintFunction() {
    return reinterpret_cast<PrintFile>(
        QLibrary::resolve(QStringLiteral("cups"), 2, "cupsPrintFile"));
}
} // namespace

QString CupsPrintSpool::queueFor(const QPrinter& printer) const {
    return printer.outputFormat() == QPrinter::NativeFormat ? printer.printerName() : QString();
}

bool CupsPrintSpool::submit(const SpoolJob& job) {
    const PrintFile printFile = cupsPrintFunction();
    if (printFile == nullptr)
        return false;
    std::vector<cups_option_t> options;
    options.reserve(static_cast<std::size_t>(job.options.size()));
    for (const SpoolOption& option : job.options) {
        options.push_back({const_cast<char*>(option.first.constData()),
                           const_cast<char*>(option.second.constData())});
    }
    // A queue's instance ("name/instance") only chooses settings; the job goes to the queue.
    const QByteArray queue = job.queue.section(u'/', 0, 0).toLocal8Bit();
    const int id =
        printFile(queue.constData(), job.file.toLocal8Bit().constData(), "",
                  static_cast<int>(options.size()), options.empty() ? nullptr : options.data());
    return id > 0;
}

QStringList withoutPageChoices(const QStringList& queueChoices) {
    QStringList kept;
    for (qsizetype i = 0; i + 1 < queueChoices.size(); i += 2) {
        const QString& name = queueChoices.at(i);
        if (name == QStringLiteral("page-ranges") || name == QStringLiteral("page-set"))
            continue;
        kept << name << queueChoices.at(i + 1);
    }
    return kept;
}

QList<SpoolOption> spoolOptions(const QPrinter& printer) {
    const QPageLayout layout = printer.pageLayout();
    QList<SpoolOption> options{{"media", layout.pageSize().key().toLocal8Bit()}};
    if (printer.copyCount() > 1) {
        options.append(SpoolOption("copies", QByteArray::number(printer.copyCount())));
        if (printer.collateCopies())
            options.append(SpoolOption("Collate", "True"));
    }
    const bool portrait = layout.orientation() == QPageLayout::Portrait;
    switch (printer.duplex()) {
    case QPrinter::DuplexNone:
        options.append(SpoolOption("sides", "one-sided"));
        break;
    case QPrinter::DuplexAuto:
        options.append(
            SpoolOption("sides", portrait ? "two-sided-long-edge" : "two-sided-short-edge"));
        break;
    case QPrinter::DuplexLongSide:
        options.append(SpoolOption("sides", "two-sided-long-edge"));
        break;
    case QPrinter::DuplexShortSide:
        options.append(SpoolOption("sides", "two-sided-short-edge"));
        break;
    }
    if (!portrait)
        options.append(SpoolOption("landscape", ""));
    const QStringList choices = withoutPageChoices(
        const_cast<QPrinter&>(printer).printEngine()->property(kQueueChoicesKey).toStringList());
    for (qsizetype i = 0; i + 1 < choices.size(); i += 2)
        options.append(SpoolOption(choices.at(i).toLocal8Bit(), choices.at(i + 1).toLocal8Bit()));
    return options;
}

} // namespace tavlor::ui
