#pragma once

#include <QString>
#include <functional>

class QFont;
class QLineEdit;
class QWidget;

// Helpers shared by the window's handlers, and the seams that let tests answer message boxes
// and count beeps without a person at the keyboard.

// Removes the first character of the box's text that a number box does not allow; setting the
// text raises the box's change handler again, which removes the next one.
bool FilterNumericText(QLineEdit* box);

// While a run lasts the window's close command (title bar button, Alt+F4) does nothing.
void DisableCloseCommand(QWidget* window);
void RestoreSystemMenu(QWidget* window);
bool CloseCommandEnabled(const QWidget* window);

void Beep();
// Modal box with the caption "エラー", the critical icon and one OK button.
void ShowInputError(QWidget* parent, const QString& text);

std::function<void()>& BeepHook();
std::function<void(QWidget*, const QString&)>& InputErrorHook();

// "ＭＳ ゴシック" and "ＭＳ Ｐゴシック" are drawn with the IPA Gothic fonts.
void InstallFontSubstitutions();

// The form's font, "ＭＳ Ｐゴシック" 9 point: the captions were laid out for it.
QFont FormFont();
// Every window of the program (About, menus, the help window, Qt's dialogs) uses the form's
// font, so that they look like one program.
void InstallApplicationFont();
