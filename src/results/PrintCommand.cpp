#include "PrintCommand.h"

#include "PasswordFont.h"
#include "SaveCommand.h"
#include "WaitCursor.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTextLayout>

namespace {

// Pieces of a text that each fit the width; never cuts inside a character.
QStringList WrapToWidth(const QString& text, const QFont& font, QPaintDevice* device, qreal width) {
    QTextLayout layout(text, font, device);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAnywhere);
    layout.setTextOption(option);
    QStringList pieces;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        pieces.append(text.mid(line.textStart(), line.textLength()));
    }
    layout.endLayout();
    return pieces;
}

} // namespace

bool PrintLines(QPrinter& printer, const QStringList& lines) {
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    // The printer's own size, in the face that tells look-alike characters apart: the default
    // face here is the window's, which draws I and l alike.
    painter.setFont(
        PasswordFont(painter.font().pointSizeF() > 0 ? painter.font().pointSizeF() : 12));
    const QFontMetricsF metrics(painter.font(), &printer);
    const qreal pageWidth = printer.width();
    const qreal pageHeight = printer.height();
    const qreal lineHeight = metrics.lineSpacing();
    qreal top = 0;

    const auto printLine = [&](const QString& piece) {
        if (top > 0 && top + lineHeight > pageHeight) {
            printer.newPage();
            top = 0;
        }
        painter.drawText(QPointF(0, top + metrics.ascent()), piece);
        top += lineHeight;
    };

    // Most passwords fit at a glance, without shaping them twice.
    const qreal widestCharacter = metrics.maxWidth();
    for (const QString& line : lines) {
        if (line.size() * widestCharacter <= pageWidth ||
            metrics.horizontalAdvance(line) <= pageWidth) {
            printLine(line);
            continue;
        }
        for (const QString& piece : WrapToWidth(line, painter.font(), &printer, pageWidth))
            printLine(piece);
    }
    return painter.end();
}

QString NoPrinterText() {
    return QStringLiteral("使用できるプリンターがありません。印刷を中止しました。");
}

QString PrintFailedText() {
    return QStringLiteral("プリンターに印刷できませんでした。プリンターの状態を確認してください。");
}

PrintCommand::PrintCommand()
    : defaultPrinter(&QPrinterInfo::defaultPrinter),
      queueState([](const QPrinterInfo& info) { return AskPrinterQueueState(info.printerName()); }),
      showError(ShowKeymillWarning) {}

bool PrintCommand::run(QWidget* parent, const QStringList& lines) {
    if (lines.isEmpty())
        return false;
    bool printed = false;
    bool havePrinter = false;
    {
        WaitCursor wait;
        const QPrinterInfo info = defaultPrinter();
        havePrinter = !info.isNull();
        // A queue that refuses jobs would swallow this one without a word.
        if (havePrinter && !QueueRefusesJobs(queueState(info))) {
            QPrinter printer(info);
            printed = PrintLines(printer, lines);
        }
    }
    if (!printed)
        showError(parent, havePrinter ? PrintFailedText() : NoPrinterText());
    return printed;
}
