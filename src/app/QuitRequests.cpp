#include "QuitRequests.h"

#include "QuitSignals.h"
#include "frmMain.h"

#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>

void ConnectQuitRequests(QGuiApplication& app, frmMain& window) {
    const int descriptor = QuitSignals::install();
    if (descriptor >= 0) {
        auto* notifier = new QSocketNotifier(descriptor, QSocketNotifier::Read, &window);
        QObject::connect(notifier, &QSocketNotifier::activated, &window, [&window] {
            if (QuitSignals::takePending() != 0)
                window.requestQuit();
        });
    }
    // Logout and shutdown: the session manager asks before it ends the program.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &window,
                     [&window](QSessionManager&) { window.requestQuit(); });
    // Any other way out of the event loop still runs the shut-down, once.
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &window, &frmMain::mnuFileEnd_Click);
}
