#pragma once

#include "Feedback.h"
#include "MainWindow.h"
#include "ResultListModel.h"
#include "ResultListView.h"
#include "WindowFont.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QSignalSpy>
#include <QStringList>
#include <QTemporaryDir>
#include <QToolBar>
#include <memory>

// One of the window's controls by its object name, as a person finds it by its place.
template <typename Widget = QWidget> Widget* Part(const QWidget& window, const char* name) {
    return window.findChild<Widget*>(QString::fromLatin1(name));
}

// A main window over a private program directory, with beeps counted and input error boxes
// caught instead of shown.
struct WindowFixture {
    QTemporaryDir dir;
    int beeps = 0;
    QStringList errors;
    std::unique_ptr<MainWindow> window;

    WindowFixture() : savedBeep(BeepHook()), savedError(InputErrorHook()) {
        BeepHook() = [this] { ++beeps; };
        InputErrorHook() = [this](QWidget*, const QString& text) { errors << text; };
        window = std::make_unique<MainWindow>(nullptr, dir.path());
    }
    ~WindowFixture() {
        window.reset();
        BeepHook() = savedBeep;
        InputErrorHook() = savedError;
    }
    WindowFixture(const WindowFixture&) = delete;
    WindowFixture& operator=(const WindowFixture&) = delete;

    MainWindow* operator->() const { return window.get(); }

    QCheckBox* box(const char* name) const { return Part<QCheckBox>(*window, name); }
    QLineEdit* text(const char* name) const { return Part<QLineEdit>(*window, name); }
    QLabel* label(const char* name) const { return Part<QLabel>(*window, name); }
    QWidget* part(const char* name) const { return Part(*window, name); }
    QLineEdit* lengthBox() const { return text("lengthBox"); }
    QLineEdit* countBox() const { return text("countBox"); }
    ResultListView* list() const { return Part<ResultListView>(*window, "resultList"); }
    QStringList listed() const { return list()->resultModel()->texts(); }
    QString doneCount() const { return label("doneCount")->text(); }
    const CommandActions& actions() const { return window->actions(); }

    // The start command, and the event loop served until the run it started has ended (at
    // once when none started). during(n) is called after each slice with the passwords drawn.
    void run(const std::function<void(int)>& during = {}) {
        RunController& run = window->runController();
        QObject context;
        if (during)
            QObject::connect(&run, &RunController::progress, &context, during);
        QSignalSpy ended(&run, &RunController::ended);
        actions().start->trigger();
        if (run.state() == RunState::Running)
            ended.wait(60000);
    }
    // Length and count typed, then a run.
    void run(const QString& length, const QString& count) {
        lengthBox()->setText(length);
        countBox()->setText(count);
        run();
    }

private:
    std::function<void()> savedBeep;
    std::function<void(QWidget*, const QString&)> savedError;
};
