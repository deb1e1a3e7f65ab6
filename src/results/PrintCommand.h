#pragma once

#include "PrinterQueueState.h"

#include <QPrinterInfo>
#include <QString>
#include <QStringList>
#include <functional>

class QPrinter;
class QWidget;

// Prints one line per password from the top left of the printable area, in the password face
// at the printer's default size, starting a new page when one is full. A password wider than the
// page wraps onto further lines. One job; false when the printer could not be opened or the job
// failed.
bool PrintLines(QPrinter& printer, const QStringList& lines);

// The print command: everything on the default printer, at once, without a dialog.
class PrintCommand {
public:
    PrintCommand();

    // Where the job goes; the system's default printer unless a test says otherwise.
    std::function<QPrinterInfo()> defaultPrinter;
    // Whether the queue would take the job; the print service is asked unless a test answers.
    std::function<PrinterQueueState(const QPrinterInfo&)> queueState;
    // Told when there is no printer to print on; the default shows the "キーミル" warning box.
    std::function<void(QWidget* parent, const QString& text)> showError;

    // True when a job was sent. An empty list sends nothing and says nothing.
    bool run(QWidget* parent, const QStringList& lines);
};

// The text of the box shown when there is no printer.
QString NoPrinterText();
// The text of the box shown when the printer could not take the job, or its queue rejects
// jobs or is stopped.
QString PrintFailedText();
