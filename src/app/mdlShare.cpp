#include "mdlShare.h"

#include "NumericFilter.h"

#include <QApplication>
#include <QFont>
#include <QLineEdit>
#include <QMessageBox>

namespace {
constexpr const char* kCloseDisabledProperty = "keymillCloseDisabled";
}

bool FilterNumericText(QLineEdit* box) {
    const QString text = box->text();
    const QString shorter = FilterNumericTextOnce(text);
    if (shorter == text)
        return false;
    box->setText(shorter); // raises the change handler again, which filters the rest
    Beep();
    box->setCursorPosition(int(box->text().size()));
    box->setFocus();
    return true;
}

void DisableCloseCommand(QWidget* window) {
    window->setProperty(kCloseDisabledProperty, true);
}

void RestoreSystemMenu(QWidget* window) {
    window->setProperty(kCloseDisabledProperty, false);
}

bool CloseCommandEnabled(const QWidget* window) {
    return !window->property(kCloseDisabledProperty).toBool();
}

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

void InstallFontSubstitutions() {
    QFont::insertSubstitution(QStringLiteral("ＭＳ ゴシック"), QStringLiteral("IPAGothic"));
    QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"));
}

QFont FormFont() {
    return QFont(QStringLiteral("ＭＳ Ｐゴシック"), 9);
}

void InstallApplicationFont() {
    QApplication::setFont(FormFont()); // also replaces the platform's per-class menu fonts
}
