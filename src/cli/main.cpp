// keymill-cli: the password generator of キーミル for scripts; no display needed.
#include "CliMain.h"
#include "RandomSource.h"

#include "CliOptions.h"

#include <QGuiApplication>

#include <cstdlib>
#include <memory>

namespace {

QtMessageHandler qtHandler = nullptr;

// Standard error carries only keymill-cli's own lines: the GUI library's notes (such as a
// missing XDG_RUNTIME_DIR, usual for root) would read as if the run had a problem.
void OnlySeriousQtMessages(QtMsgType type, const QMessageLogContext& context,
                           const QString& message) {
    if ((type == QtCriticalMsg || type == QtFatalMsg) && qtHandler)
        qtHandler(type, context, message);
}

} // namespace

int main(int argc, char** argv) {
    InitKeystreamLibrary();
    // QCoreApplication::arguments() would turn a byte that is not UTF-8 into U+FFFD, unseen.
    QByteArrayList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QByteArray(argv[i]);
    // Slips need fonts, which only a QGuiApplication offers; it needs no display when told to
    // draw off screen. Plain runs stay light.
    std::unique_ptr<QCoreApplication> app;
    if (AsksForSlips(arguments)) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        qtHandler = qInstallMessageHandler(OnlySeriousQtMessages);
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication::setApplicationName(QStringLiteral("keymill-cli"));
    return KeymillCliMain(arguments);
}
