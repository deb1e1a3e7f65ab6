#include "HelpCommand.h"

#include "HelpPlacement.h"
#include "HelpWindow.h"

#include <QFileInfo>
#include <QList>
#include <QPointer>
#include <QScreen>

#include <algorithm>
#include <utility>

namespace {

// The help windows this program opened; a window the user closed deletes itself and its
// entry turns null.
QList<QPointer<HelpWindow>>& helpWindows() {
    static QList<QPointer<HelpWindow>> windows;
    return windows;
}

bool isOpen(const QPointer<HelpWindow>& window) {
    return !window.isNull() && window->isVisible();
}

HelpWindow* findOpenWindow(const QString& helpFile) {
    for (const QPointer<HelpWindow>& window : std::as_const(helpWindows())) {
        if (isOpen(window) && window->helpFile() == helpFile) {
            return window.data();
        }
    }
    return nullptr;
}

void placeBeside(HelpWindow* window, const QWidget* beside) {
    if (beside == nullptr || !beside->isVisible() || beside->screen() == nullptr) {
        // Alone, it still fits the screen it opens on.
        const QRect screen = window->screen()->availableGeometry();
        window->resize(window->size().boundedTo(screen.size()));
        return;
    }
    // The help window has no frame before it is shown: count on one like the main window's.
    const QSize frame = beside->frameGeometry().size() - beside->geometry().size();
    constexpr int kNarrowest = 560; // contents and page side by side still read well
    const QRect placed =
        HelpFrameBeside(beside->frameGeometry(), window->size() + frame,
                        beside->screen()->availableGeometry(), kNarrowest + frame.width());
    window->resize(placed.size() - frame);
    window->move(placed.topLeft());
}

} // namespace

bool ShowHelp(const QString& qchPath, const QWidget* beside) {
    helpWindows().removeIf([](const QPointer<HelpWindow>& window) { return window.isNull(); });

    const QString helpFile = QFileInfo(qchPath).absoluteFilePath();
    if (HelpWindow* window = findOpenWindow(helpFile)) {
        if (window->isMinimized()) {
            window->showNormal();
        }
        window->raise();
        window->activateWindow();
        return true;
    }

    HelpWindow* window = HelpWindow::create(helpFile);
    if (window == nullptr) {
        return false;
    }
    helpWindows().append(window);
    placeBeside(window, beside);
    window->show();
    return true;
}

void CloseAllHelpWindows() {
    // Take the list first: deleting a window must not touch the list being walked.
    const QList<QPointer<HelpWindow>> windows = std::exchange(helpWindows(), {});
    for (const QPointer<HelpWindow>& window : windows) {
        delete window.data();
    }
}

int OpenHelpWindowCount() {
    return static_cast<int>(std::count_if(helpWindows().cbegin(), helpWindows().cend(), isOpen));
}
