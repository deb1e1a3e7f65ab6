#include "CliMain.h"

#include "CliOptions.h"
#include "CliRun.h"
#include "CliText.h"
#include "ProgramPaths.h"
#include "ResultFileSink.h"
#include "ResultFileTarget.h"
#include "StreamSink.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

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
    stopSignal = signal;
    stopRequested.store(true, std::memory_order_relaxed);
}

void InstallSignalHandlers() {
    // A closed pipe shows up as EPIPE from write, which ends the run quietly.
    std::signal(SIGPIPE, SIG_IGN);
    // A file that outgrows ulimit -f fails with a message instead of ending the program.
    IgnoreFileSizeSignal();
    // The first Ctrl+C or SIGTERM stops the run cleanly (an -o file is left as it was, unless
    // written in place); a second one ends the program at once, should a write be stuck on a reader
    // that has stopped reading.
    struct sigaction action {};
    action.sa_handler = RequestStop;
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

} // namespace

void InstallCliTranslators() {
    // QLocale takes the system locale from LANG / LC_ALL / LC_MESSAGES, installed or not.
    const QLocale locale = QLocale::system();
    auto* own = new QTranslator(QCoreApplication::instance());
    if (own->load(locale, QStringLiteral("keymill-cli"), QStringLiteral("_"),
                  QStringLiteral(":/i18n")))
        QCoreApplication::installTranslator(own);
    // Qt's own texts of the help output and of the parser's errors ("Unknown option").
    auto* qt = new QTranslator(QCoreApplication::instance());
    if (qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
}

int KeymillCliMain(const QStringList& arguments) {
    InstallCliTranslators();
    QTextStream out(stdout);
    QTextStream err(stderr);

    // The keymill.ini the window reads: keymill-cli is installed beside keymill.
    const auto windowSettings = [] {
        return SettingsReadPathFor(QCoreApplication::applicationDirPath());
    };
    const ParsedCommandLine parsed = ParseCommandLine(arguments, windowSettings);
    if (!parsed.options) {
        if (!parsed.error.isEmpty())
            err << "keymill-cli: " << parsed.error << '\n';
        out << parsed.output;
        return parsed.exitCode;
    }

    InstallSignalHandlers();
    std::unique_ptr<PasswordSink> sink;
    if (parsed.options->outputFile.isEmpty())
        sink = std::make_unique<StreamSink>(STDOUT_FILENO, Cli::tr("standard output"));
    else
        sink =
            std::make_unique<ResultFileSink>(parsed.options->outputFile, parsed.options->encoding);
    const int status = RunCli(*parsed.options, *sink, err, ProcessRandomSource(), stopRequested);
    if (status == kExitInterrupted && stopSignal != 0)
        return 128 + stopSignal;
    return status;
}
