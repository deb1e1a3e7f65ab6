#include "Feedback.h"

#include <QApplication>
#include <QMessageBox>

std::function<void()>& BeepHook() {
    static std::function<void()> hook = [] { QApplication::beep(); };
    return hook;
}

std::function<void(QWidget*, const QString&)>& InputErrorHook() {
    static std::function<void(QWidget*, const QString&)> hook = [](QWidget* parent,
                                                                   const QString& text) {
        QMessageBox::critical(parent, QStringLiteral("エラー"), text, QMessageBox::Ok);
    };
    return hook;
}

void Beep() {
    BeepHook()();
}

void ShowInputError(QWidget* parent, const QString& text) {
    InputErrorHook()(parent, text);
}
