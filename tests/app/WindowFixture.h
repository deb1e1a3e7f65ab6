#pragma once

#include "frmMain.h"
#include "mdlShare.h"

#include <QStringList>
#include <QTemporaryDir>
#include <memory>

// A main window over a private program directory, with beeps counted and input error boxes
// caught instead of shown.
struct WindowFixture {
    QTemporaryDir dir;
    int beeps = 0;
    QStringList errors;
    std::unique_ptr<frmMain> window;

    WindowFixture() : savedBeep(BeepHook()), savedError(InputErrorHook()) {
        BeepHook() = [this] { ++beeps; };
        InputErrorHook() = [this](QWidget*, const QString& text) { errors << text; };
        window = std::make_unique<frmMain>(nullptr, dir.path());
    }
    ~WindowFixture() {
        window.reset();
        BeepHook() = savedBeep;
        InputErrorHook() = savedError;
    }
    WindowFixture(const WindowFixture&) = delete;
    WindowFixture& operator=(const WindowFixture&) = delete;

    frmMain* operator->() const { return window.get(); }

private:
    std::function<void()> savedBeep;
    std::function<void(QWidget*, const QString&)> savedError;
};
