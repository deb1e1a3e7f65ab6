#pragma once

#include <QString>

class frmMain;

// Names, descriptions and relations that a screen reader announces for the main window's
// controls, in Japanese, and the decorative or never-shown widgets taken out of the
// accessibility tree. Called once, after the controls exist.
void SetUpAccessibility(frmMain& window);

// A caption without its access key: "数字(&N)" reads "数字", "保存(&S)..." reads "保存...".
// The key itself is announced apart, as the control's shortcut.
QString WithoutAccessKey(const QString& caption);
