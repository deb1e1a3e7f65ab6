#include "PdfText.h"
#include "PrintCommand.h"

#include <QApplication>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

QStringList Numbered(const QString& prefix, int count) {
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines.append(prefix + QString::number(i).rightJustified(4, u'0'));
    return lines;
}

QStringList Joined(const QList<QStringList>& pages) {
    QStringList all;
    for (const QStringList& page : pages)
        all += page;
    return all;
}

// Top left corner of the first word on page 1, in points, from `pdftotext -bbox`.
QPointF FirstWordCorner(const QString& pdfPath) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {"-bbox", "-f", "1", "-l", "1", pdfPath, "-"});
    process.waitForFinished(60000);
    const QString html = QString::fromUtf8(process.readAllStandardOutput());
    const QRegularExpression word(QStringLiteral("<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\""));
    const QRegularExpressionMatch match = word.match(html);
    if (!match.hasMatch())
        return {-1, -1};
    return {match.captured(1).toDouble(), match.captured(2).toDouble()};
}

} // namespace

class PrintCommandTest : public QObject {
    Q_OBJECT
private slots:
    void printsToPdf_data();
    void printsToPdf();
    void firstLineAtTopLeftOfPrintableArea();
    void noPrinterWarnsAndPrintsNothing();
    void emptyListSendsNothing();
    void queueStateFromAttributes_data();
    void queueStateFromAttributes();

private:
    QTemporaryDir m_dir;
};

void PrintCommandTest::printsToPdf_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("minPages");
    QTest::addColumn<int>("maxPages");
    QTest::addColumn<bool>("wraps");

    QTest::newRow("three lines on one page")
        << QStringList{"Abc12345", "xyZ98765", "QQq0001w"} << 1 << 1 << false;
    QTest::newRow("long list continues on page 2 without header")
        << Numbered(QStringLiteral("pw"), 150) << 2 << 100 << false;
    QTest::newRow("Japanese passwords") << QStringList{"パスワード", "ｶﾅ"} << 1 << 1 << false;
    QString wide;
    for (int i = 0; i < 40; ++i)
        wide += QStringLiteral("Ab9#Kz") + QString::number(i);
    QTest::newRow("password wider than the page wraps")
        << QStringList{"first", wide, "last"} << 1 << 1 << true;
}

void PrintCommandTest::printsToPdf() {
    QFETCH(QStringList, lines);
    QFETCH(int, minPages);
    QFETCH(int, maxPages);
    QFETCH(bool, wraps);

    const QString pdf = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()) + ".pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    QVERIFY(PrintLines(printer, lines));

    const QList<QStringList> pages = PdfPages(pdf);
    QVERIFY2(pages.size() >= minPages && pages.size() <= maxPages,
             qPrintable(QString::number(pages.size())));
    // Every page holds passwords only, in list order, continuing where the last page ended.
    const QStringList printed = Joined(pages);
    if (wraps) {
        // No character lost: the pieces on paper make up the password again.
        QVERIFY(printed.size() > lines.size());
        QCOMPARE(printed.first(), lines.first());
        QCOMPARE(printed.last(), lines.last());
        QCOMPARE(printed.join(QString()), lines.join(QString()));
    } else {
        QCOMPARE(printed, lines);
    }
    for (const QStringList& page : pages)
        QVERIFY(!page.isEmpty());
}

void PrintCommandTest::firstLineAtTopLeftOfPrintableArea() {
    const QString pdf = m_dir.filePath("corner.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    const QRectF paper = printer.pageLayout().fullRectPoints();
    const QRectF printable = printer.pageLayout().paintRect(QPageLayout::Point);
    QVERIFY(PrintLines(printer, {"Wmiddle1", "Wsecond2"}));

    const QPointF corner = FirstWordCorner(pdf);
    QVERIFY2(corner.x() >= 0, "no word found in the PDF");
    QVERIFY(qAbs(corner.x() - printable.left()) < 3);
    // The glyph box starts a little below the top of the line.
    QVERIFY(corner.y() >= printable.top() - 1);
    QVERIFY(corner.y() < printable.top() + 12);
    QVERIFY(paper.height() > corner.y());
}

void PrintCommandTest::noPrinterWarnsAndPrintsNothing() {
    PrintCommand command;
    command.defaultPrinter = [] { return QPrinterInfo(); };
    QStringList shown;
    bool waitCursorWhileShown = true;
    command.showError = [&](QWidget*, const QString& text) {
        shown.append(text);
        waitCursorWhileShown = QApplication::overrideCursor() != nullptr;
    };
    QVERIFY(!command.run(nullptr, {"pw1", "pw2"}));
    QCOMPARE(shown, QStringList{NoPrinterText()});
    QVERIFY(NoPrinterText().contains(QStringLiteral("プリンター")));
    QVERIFY(!waitCursorWhileShown);
    QCOMPARE(QApplication::overrideCursor(), nullptr);
}

void PrintCommandTest::emptyListSendsNothing() {
    PrintCommand command;
    bool asked = false;
    command.defaultPrinter = [&] {
        asked = true;
        return QPrinterInfo();
    };
    bool warned = false;
    command.showError = [&](QWidget*, const QString&) { warned = true; };
    QVERIFY(!command.run(nullptr, {}));
    QVERIFY(!asked);
    QVERIFY(!warned);
}

void PrintCommandTest::queueStateFromAttributes_data() {
    QTest::addColumn<QString>("accepting");
    QTest::addColumn<QString>("state");
    QTest::addColumn<int>("expected");
    const int ready = int(PrinterQueueState::Ready);
    const int rejecting = int(PrinterQueueState::Rejecting);
    const int stopped = int(PrinterQueueState::Stopped);
    QTest::newRow("idle") << "true"
                          << "3" << ready;
    QTest::newRow("printing") << "true"
                              << "4" << ready;
    QTest::newRow("stopped") << "true"
                             << "5" << stopped;
    QTest::newRow("rejecting") << "false"
                               << "3" << rejecting;
    QTest::newRow("rejecting and stopped") << "false"
                                           << "5" << rejecting;
    QTest::newRow("attributes missing") << ""
                                        << "" << ready;
}

void PrintCommandTest::queueStateFromAttributes() {
    QFETCH(QString, accepting);
    QFETCH(QString, state);
    QFETCH(int, expected);
    const PrinterQueueState found = QueueStateFromAttributes(accepting, state);
    QCOMPARE(int(found), expected);
    QCOMPARE(QueueRefusesJobs(found), expected != int(PrinterQueueState::Ready));
}

QTEST_MAIN(PrintCommandTest)
#include "tst_PrintCommand.moc"
