#include "PdfText.h"
#include "PrintCommand.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

// Prints through a real CUPS scheduler onto a PDF queue. Starts the scheduler when none runs and
// stops it again; the queue it adds is removed at the end.
namespace {

const QString kQueue = QStringLiteral("KeymillTestPDF");

struct Run {
    int exitCode = -1;
    QString output;
};

Run Command(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAll())};
}

bool SchedulerRunning() {
    return Command(QStringLiteral("lpstat"), {"-r"}).output.contains(QLatin1String("is running"));
}

QString NewestPdfSince(const QDateTime& since) {
    QFileInfo newest;
    const QStringList roots = {QDir::homePath() + QStringLiteral("/PDF"),
                               QStringLiteral("/var/spool/cups-pdf")};
    for (const QString& root : roots) {
        QDirIterator it(root, {"*.pdf"}, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QFileInfo info(it.next());
            if (info.lastModified() >= since &&
                (!newest.exists() || info.lastModified() > newest.lastModified()))
                newest = info;
        }
    }
    return newest.exists() ? newest.filePath() : QString();
}

} // namespace

class CupsPrintTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void printsEveryPasswordOnTheDefaultPrinter();
    void refusingQueueIsNamed_data();
    void refusingQueueIsNamed();
    void cleanupTestCase();

private:
    QProcess m_cupsd;
    QString m_previousDefault;
    bool m_queueAdded = false;
};

void CupsPrintTest::initTestCase() {
    for (const char* tool : {"lpadmin", "lpstat", "pdftotext"})
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            QSKIP(qPrintable(QStringLiteral("CUPS cannot run here: %1 is not installed (packages "
                                            "cups cups-client cups-bsd printer-driver-cups-pdf "
                                            "poppler-utils)")
                                 .arg(QString::fromLatin1(tool))));
    if (!QFileInfo::exists(QStringLiteral("/usr/lib/cups/backend/cups-pdf")))
        QSKIP("CUPS cannot run here: the cups-pdf backend is missing (printer-driver-cups-pdf)");
    qunsetenv("PRINTER");
    qunsetenv("LPDEST");

    if (!SchedulerRunning()) {
        if (!QFileInfo::exists(QStringLiteral("/usr/sbin/cupsd")))
            QSKIP("CUPS cannot run here: /usr/sbin/cupsd is not installed (package cups)");
        m_cupsd.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_cupsd.start(QStringLiteral("/usr/sbin/cupsd"), {"-f"});
        if (!m_cupsd.waitForStarted(5000))
            QSKIP("CUPS cannot run here: cupsd does not start");
        QDeadlineTimer deadline(10000);
        while (!SchedulerRunning() && !deadline.hasExpired() &&
               m_cupsd.state() == QProcess::Running)
            QTest::qWait(50);
        if (!SchedulerRunning())
            QSKIP("CUPS cannot run here: cupsd started but the scheduler does not answer");
    }

    const Run previous = Command(QStringLiteral("lpstat"), {"-d"});
    const qsizetype colon = previous.output.indexOf(u':');
    if (previous.exitCode == 0 && colon > 0)
        m_previousDefault = previous.output.mid(colon + 1).trimmed();

    const Run added =
        Command(QStringLiteral("lpadmin"),
                {"-p", kQueue, "-v", "cups-pdf:/", "-E", "-m", "lsb/usr/cups-pdf/CUPS-PDF_opt.ppd",
                 "-o", "pdftops-renderer-default=pdftocairo"});
    if (added.exitCode != 0)
        QSKIP(qPrintable("CUPS cannot run here: lpadmin could not add the PDF queue: " +
                         added.output));
    m_queueAdded = true;
    QCOMPARE(Command(QStringLiteral("lpadmin"), {"-d", kQueue}).exitCode, 0);
}

void CupsPrintTest::printsEveryPasswordOnTheDefaultPrinter() {
    QCOMPARE(QPrinterInfo::defaultPrinter().printerName(), kQueue);
    const QStringList passwords = {"Kq7vX2pL", "mN4rT8wZ", "hJ3sD9fG", "Yb6cV1nM"};
    const QDateTime started = QDateTime::currentDateTime().addSecs(-1);

    PrintCommand command;
    QStringList errors;
    command.showError = [&](QWidget*, const QString& text) { errors.append(text); };
    QVERIFY(command.run(nullptr, passwords));
    QVERIFY(errors.isEmpty());

    QString pdf;
    QDeadlineTimer deadline(60000);
    while (pdf.isEmpty() && !deadline.hasExpired()) {
        QTest::qWait(100);
        pdf = NewestPdfSince(started);
    }
    QVERIFY2(!pdf.isEmpty(), "the job left no PDF under ~/PDF or /var/spool/cups-pdf");
    // cups-pdf writes the file in place: wait until it can be read as a whole.
    QList<QStringList> pages;
    while (!deadline.hasExpired()) {
        pages = PdfPages(pdf);
        if (!pages.isEmpty() && pages.first() == passwords)
            break;
        QTest::qWait(200);
    }
    QCOMPARE(pages.size(), 1);
    QCOMPARE(pages.first(), passwords);
    // In the password face, not the window's (which draws I and l alike).
    const QString fonts = PdfFonts(pdf);
    QVERIFY2(fonts.contains(QLatin1String("BIZUDGothic")) && !fonts.contains(QLatin1String("IPA")),
             qPrintable(fonts));
    QFile::remove(pdf);
}

// A queue that rejects jobs or is stopped would take the job and never print it: the command
// warns instead and sends nothing.
void CupsPrintTest::refusingQueueIsNamed_data() {
    QTest::addColumn<QString>("refuse");
    QTest::addColumn<QString>("restore");
    QTest::newRow("rejecting (cupsreject)") << "cupsreject"
                                            << "cupsaccept";
    QTest::newRow("stopped (cupsdisable)") << "cupsdisable"
                                           << "cupsenable";
}

void CupsPrintTest::refusingQueueIsNamed() {
    QFETCH(QString, refuse);
    QFETCH(QString, restore);
    QCOMPARE(Command(refuse, {kQueue}).exitCode, 0);
    const QDateTime started = QDateTime::currentDateTime().addSecs(-1);
    PrintCommand command;
    QStringList errors;
    command.showError = [&](QWidget*, const QString& text) { errors.append(text); };
    const bool printed = command.run(nullptr, {"Rq1xZ9", "Rq2yW8"});
    const Run jobs = Command(QStringLiteral("lpstat"), {"-o", kQueue});
    QCOMPARE(Command(restore, {kQueue}).exitCode, 0);
    QVERIFY(!printed);
    QCOMPARE(errors, QStringList{PrintFailedText()});
    QVERIFY2(jobs.output.trimmed().isEmpty(), qPrintable(jobs.output));
    QTest::qWait(500);
    QVERIFY(NewestPdfSince(started).isEmpty());
}

void CupsPrintTest::cleanupTestCase() {
    if (m_queueAdded) {
        Command(QStringLiteral("lpadmin"), {"-x", kQueue});
        if (!m_previousDefault.isEmpty())
            Command(QStringLiteral("lpadmin"), {"-d", m_previousDefault});
    }
    if (m_cupsd.state() != QProcess::NotRunning) {
        m_cupsd.terminate();
        if (!m_cupsd.waitForFinished(5000)) {
            m_cupsd.kill();
            m_cupsd.waitForFinished();
        }
    }
}

QTEST_MAIN(CupsPrintTest)
#include "tst_CupsPrint.moc"
