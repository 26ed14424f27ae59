// Jobs handed to the CUPS scheduler and followed there. Qt's own printer
// submits its spooled file and forgets the answer, so a queue that refuses
// the job, or goes away under it, would print nothing without a word. The
// print job spools into a file instead, submits it here with the options Qt
// would have sent, and asks after the job until the scheduler has taken it
// on or given it up. The scheduler's library is loaded when first needed.
#pragma once

#include <QString>

class QPrinter;

namespace CupsJobs {

// The scheduler's library is there (never on Windows).
bool Available();

struct Submission {
    int job = 0;    // the scheduler's job number, 0 when refused
    QString error;  // the scheduler's reason when refused
};
// Sends the spooled file to the printer's queue: paper, copies, collation,
// sides, orientation and the options chosen in the print dialog.
Submission Submit(const QPrinter& printer, const QString& file, const QString& title);

enum class JobState {
    Waiting,   // held or pending: the queue has it, nothing decided yet
    Accepted,  // printing or printed
    Refused,   // cancelled, aborted, or gone with its queue
};
// What the scheduler says of a job now.
JobState StateOf(const QString& queue, int job);
// The numbers of the scheduler's job states, decided as above.
JobState Decide(bool queueAnswered, bool found, int ippState);

bool Cancel(const QString& queue, int job);

// The queue of a printer name without its instance ("queue/instance").
QString QueueOf(const QString& printerName);

}  // namespace CupsJobs
