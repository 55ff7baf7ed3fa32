#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QPrintEngine>
#include <QString>
#include <QStringList>

class QPrinter;

namespace tavlor::ui {

/** The key under which Qt's CUPS print engine keeps the queue's own choices from the dialog. */
inline constexpr QPrintEngine::PrintEnginePropertyKey kQueueChoicesKey =
    QPrintEngine::PrintEnginePropertyKey(0xfe00);

/** One option of a job handed to a print queue, as name and value. */
using SpoolOption = QPair<QByteArray, QByteArray>;

/** A finished job: the file laid out for the queue, with its options. */
struct SpoolJob {
    QString queue;
    QString file;
    QList<SpoolOption> options;
};

/** The hand-over of finished jobs to print queues. A job is laid out into a file of ours first and
 *  handed over only when it is complete, so a cancelled job reaches no printer at all. */
class PrintSpool {
public:
    virtual ~PrintSpool() = default;
    /** The queue that jobs for printer go to; empty when it writes a file of the user's. */
    virtual QString queueFor(const QPrinter& printer) const = 0;
    /** Hands the job to its queue; false when the print system refuses it. */
    virtual bool submit(const SpoolJob& job) = 0;
};

/** The system's print queues, through CUPS. */
class CupsPrintSpool : public PrintSpool {
public:
    QString queueFor(const QPrinter& printer) const override;
    bool submit(const SpoolJob& job) override;
};

/** What the printer's settings ask of the queue: paper, copies, collation, sides, orientation and
 *  the queue's own choices from the dialog, but never a page range or a page set: every job
 *  prints all its pages. */
QList<SpoolOption> spoolOptions(const QPrinter& printer);

/** The queue's own choices (name, value, name, value, ...) without page ranges and page sets. */
QStringList withoutPageChoices(const QStringList& queueChoices);

} // namespace tavlor::ui
