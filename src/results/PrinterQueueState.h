#pragma once

#include <QString>

// Whether a print queue would take a job. A queue that rejects jobs (cupsreject) or is stopped
// (cupsdisable) takes the job without complaint and never prints it, so the print command asks
// before it prints, and tells the user instead of printing into nothing.
enum class PrinterQueueState {
    Ready,     // accepting jobs and not stopped
    Rejecting, // printer-is-accepting-jobs is false
    Stopped,   // printer-state is 5 (stopped)
    Unknown,   // the print service does not know the queue or does not answer
};

// From the queue's two attributes as the print service gives them: "true"/"false" and
// "3" (idle), "4" (processing) or "5" (stopped). An attribute that is missing (empty) says
// nothing against the queue.
PrinterQueueState QueueStateFromAttributes(const QString& acceptingJobs,
                                           const QString& printerState);

// Asks the CUPS scheduler about the named queue.
PrinterQueueState AskPrinterQueueState(const QString& queueName);

// True for the states in which a job would be lost.
bool QueueRefusesJobs(PrinterQueueState state);
