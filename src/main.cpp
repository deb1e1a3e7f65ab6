#include "FileSizeSignal.h"
#include "MainWindow.h"
#include "MenuAccessibility.h"
#include "QtJapanese.h"
#include "QuitRequests.h"
#include "RandomSource.h"
#include "TemporaryFiles.h"
#include "WindowFont.h"

#include <QApplication>
#include <QIcon>
#include <cstdio>
#include <cstdlib>

namespace {
// Without a display Qt would abort with a plugin error; say plainly what is missing instead.
bool displayAvailable() {
    const auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value && *value;
    };
    return set("DISPLAY") || set("WAYLAND_DISPLAY") || set("QT_QPA_PLATFORM");
}

// Read by whoever started the installed program from a console or over ssh: what it needs, and
// the program that needs no display.
constexpr const char* kNoDisplayMessage =
    "keymill: no display is available (neither DISPLAY nor WAYLAND_DISPLAY is set).\n"
    "キーミル is a desktop program: start it from the desktop's application menu, or from a\n"
    "terminal inside a desktop session. To make passwords without a display, use keymill-cli\n"
    "(see keymill-cli --help).\n";
} // namespace

int main(int argc, char** argv) {
    if (!displayAvailable()) {
        std::fputs(kNoDisplayMessage, stderr);
        return 1;
    }
    InitKeystreamLibrary();
    IgnoreFileSizeSignal(); // a save past `ulimit -f` then fails with EFBIG and is reported
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("keymill"));
    QApplication::setApplicationDisplayName(QString());
    InstallFontSubstitutions();
    InstallApplicationFont();
    InstallQtJapanese(app);
    ExposeMenuItemsPlainly();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/keymill"))); // help windows too
    // Wayland shows the menu entry's icon, found by this name, and never the window's own.
    QGuiApplication::setDesktopFileName(QStringLiteral(KEYMILL_APP_ID));
    MainWindow window;
    // SIGTERM, SIGINT, SIGHUP and the session manager close the window as the user would.
    ConnectQuitRequests(app, window);
    // Every other signal that ends the program removes the named temporary file of a save or of
    // the settings write first (the three above are already handled and stay so).
    TemporaryFiles::installSignalCleanup();
    window.show();
    return app.exec();
}
