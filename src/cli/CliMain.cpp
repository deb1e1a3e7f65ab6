#include "CliMain.h"

#include "CliHandout.h"
#include "CliOptions.h"
#include "CliRun.h"
#include "CliText.h"
#include "ErrnoText.h"
#include "FileSizeSignal.h"
#include "ProgramPaths.h"
#include "SlipsSink.h"
#include "StreamSink.h"
#include "TemporaryFiles.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <memory>
#include <signal.h>
#include <unistd.h>

namespace {

std::atomic<bool> stopRequested{false};
volatile std::sig_atomic_t stopSignal = 0;

extern "C" void RequestStop(int signal) {
    if (stopRequested.exchange(true, std::memory_order_relaxed))
        TemporaryFiles::endBySignal(signal); // the second: at once, without a temporary file
    stopSignal = signal;
}

void InstallSignalHandlers() {
    // A closed pipe shows up as EPIPE from write, which ends the run quietly.
    std::signal(SIGPIPE, SIG_IGN);
    // A file that outgrows ulimit -f fails with a message instead of ending the program.
    IgnoreFileSizeSignal();
    // Any other signal that ends the program removes a named temporary -o file first; where the
    // file system makes files without a name, nothing of an unfinished file is left anyway.
    TemporaryFiles::installSignalCleanup();
    // The first Ctrl+C or SIGTERM stops the run cleanly (an -o file is left as it was, unless
    // written in place); a second one ends the program at once, should a write be stuck on a reader
    // that has stopped reading.
    struct sigaction action {};
    action.sa_handler = RequestStop;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

// Text keymill-cli prints itself (the help, the version) to standard output: a failed write is
// a failure like a lost password, with the same line.
int PrintOwnText(const QString& text, QTextStream& err) {
    StreamSink out(STDOUT_FILENO, Cli::tr("standard output"));
    if (out.write(text) && out.commit())
        return kExitSuccess;
    if (out.errorText().isEmpty())
        return kExitSuccess; // the reader has gone
    err << "keymill-cli: " << out.errorText() << '\n';
    return kExitOutputFailure;
}

} // namespace

void InstallCliTranslators() {
    // QLocale takes the system locale from LANG / LC_ALL / LC_MESSAGES, installed or not.
    const QLocale locale = QLocale::system();
    auto* own = new QTranslator(QCoreApplication::instance());
    if (own->load(locale, QStringLiteral("keymill-cli"), QStringLiteral("_"),
                  QStringLiteral(":/i18n")))
        QCoreApplication::installTranslator(own);
    InstallErrnoTranslator(locale);
    // Qt's own texts of the help output and of the parser's errors ("Unknown option").
    auto* qt = new QTranslator(QCoreApplication::instance());
    if (qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
}

int KeymillCliMain(const QByteArrayList& rawArguments) {
    InstallCliTranslators();
    QTextStream err(stderr);

    const DecodedArguments decoded = DecodeArguments(rawArguments);
    if (!decoded.error.isEmpty()) {
        err << "keymill-cli: " << decoded.error << '\n';
        return kExitUsage;
    }
    // The keymill.ini the window reads: keymill-cli is installed beside keymill.
    const auto windowSettings = [] {
        return SettingsReadPathFor(QCoreApplication::applicationDirPath());
    };
    const ParsedCommandLine parsed = ParseCommandLine(decoded.arguments, windowSettings);
    for (const QString& warning : parsed.warnings)
        err << "keymill-cli: " << warning << '\n';
    err.flush();
    if (!parsed.options) {
        if (!parsed.error.isEmpty())
            err << "keymill-cli: " << parsed.error << '\n';
        if (!parsed.output.isEmpty())
            return std::max(parsed.exitCode, PrintOwnText(parsed.output, err));
        return parsed.exitCode;
    }

    InstallSignalHandlers();
    const std::unique_ptr<PasswordSink> sink = MakeOutputSink(*parsed.options, err);
    std::unique_ptr<PasswordSink> slips;
    if (!parsed.options->slipsFile.isEmpty())
        slips = std::make_unique<SlipsSink>(*sink, parsed.options->slipsFile, parsed.options->slips,
                                            parsed.options->handout.accounts);
    const int status =
        RunCli(*parsed.options, slips ? *slips : *sink, err, ProcessRandomSource(), stopRequested);
    if (status == kExitInterrupted && stopSignal != 0)
        return 128 + stopSignal;
    return status;
}
