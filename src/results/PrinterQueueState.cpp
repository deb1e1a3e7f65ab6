#include "PrinterQueueState.h"

#include <cups/cups.h>

PrinterQueueState QueueStateFromAttributes(const QString& acceptingJobs,
                                           const QString& printerState) {
    if (acceptingJobs.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
        return PrinterQueueState::Rejecting;
    if (printerState.trimmed() == QLatin1String("5"))
        return PrinterQueueState::Stopped;
    return PrinterQueueState::Ready;
}

PrinterQueueState AskPrinterQueueState(const QString& queueName) {
    const QByteArray name = queueName.toUtf8();
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.constData(), nullptr);
    if (!dest)
        return PrinterQueueState::Unknown;
    const auto option = [dest](const char* attribute) {
        const char* value = cupsGetOption(attribute, dest->num_options, dest->options);
        return value ? QString::fromUtf8(value) : QString();
    };
    const PrinterQueueState state =
        QueueStateFromAttributes(option("printer-is-accepting-jobs"), option("printer-state"));
    cupsFreeDests(1, dest);
    return state;
}

bool QueueRefusesJobs(PrinterQueueState state) {
    return state == PrinterQueueState::Rejecting || state == PrinterQueueState::Stopped;
}
