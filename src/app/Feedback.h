#pragma once

#include <QString>
#include <functional>

class QWidget;

// How the window answers a wrong input: the system beep for a refused key or character, a modal
// box for a refused run. Tests replace the hooks to count beeps and catch the boxes.

void Beep();
// Modal box with the caption "エラー", the critical icon and one OK button.
void ShowInputError(QWidget* parent, const QString& text);

std::function<void()>& BeepHook();
std::function<void(QWidget*, const QString&)>& InputErrorHook();
