#include "QuitRequests.h"

#include "QuitSignals.h"
#include "frmMain.h"

#include <QEvent>
#include <QGuiApplication>
#include <QSocketNotifier>

namespace {
// The session manager ends the program at logout or shutdown by a quit of the application,
// which would only ask the window to close: during a run the window refuses that, and the
// program would be killed with its settings unwritten. The quit is turned into the window's own
// quit request instead, which stops a run first and then ends the program as the end command
// does. (Saving the session's data also happens at checkpoints, when the program must go on, so
// that request is left alone.)
class SessionQuitFilter : public QObject {
public:
    explicit SessionQuitFilter(frmMain& window) : QObject(&window), window_(window) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Quit || watched != QCoreApplication::instance() ||
            window_.unloaded())
            return false;
        window_.requestQuit();
        return true;
    }

private:
    frmMain& window_;
};
} // namespace

void ConnectQuitRequests(QGuiApplication& app, frmMain& window) {
    const int descriptor = QuitSignals::install();
    if (descriptor >= 0) {
        auto* notifier = new QSocketNotifier(descriptor, QSocketNotifier::Read, &window);
        QObject::connect(notifier, &QSocketNotifier::activated, &window, [&window] {
            if (QuitSignals::takePending() != 0)
                window.requestQuit();
        });
    }
    app.installEventFilter(new SessionQuitFilter(window));
    // Any other way out of the event loop still runs the shut-down, once.
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &window, &frmMain::mnuFileEnd_Click);
}
