#pragma once

#include <QString>

class QWidget;

// Opens the help file at its table of contents in a help window of its own. A help window
// already open on the same file is brought to the front instead, so pressing F1 again never
// piles up windows. Returns false, and shows nothing, when the file is missing or cannot be
// opened. A new window stands beside the given window (the main window), not over it.
bool ShowHelp(const QString& qchPath, const QWidget* beside = nullptr);

// Closes and deletes every help window that ShowHelp opened; the main window calls it when the
// program shuts down. Not to be called from inside a help window's own handlers.
void CloseAllHelpWindows();

// The number of help windows open now.
int OpenHelpWindowCount();
