#include "QuitRequests.h"

#include "MainWindow.h"
#include "QuitSignals.h"

#include <QAction>
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
    explicit SessionQuitFilter(MainWindow& window) : QObject(&window), m_window(window) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Quit || watched != QCoreApplication::instance() ||
            m_window.closed())
            return false;
        m_window.requestQuit();
        return true;
    }

private:
    MainWindow& m_window;
};
} // namespace

void ConnectQuitRequests(QGuiApplication& app, MainWindow& window) {
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
    QObject::connect(&app, &QCoreApplication::aboutToQuit, window.actions().quit,
                     &QAction::trigger);
}
