#pragma once

#include <QString>

// The main window's names, descriptions and relations for a screen reader are set by
// MainWindow::setUpAccessibility (MainWindowAccessibility.cpp), with this helper.

// A caption without its access key: "数字(&N)" reads "数字", "保存(&S)..." reads "保存...".
// The key itself is announced apart, as the control's shortcut.
QString WithoutAccessKey(const QString& caption);
