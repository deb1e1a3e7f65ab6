#pragma once

#include <QStringList>

// The whole of keymill-cli after QCoreApplication is up: messages in the user's language,
// arguments read, passwords streamed to standard output or to --output. Returns the exit
// status.
int KeymillCliMain(const QStringList& arguments);

// Loads the Japanese (or any other shipped) messages for the locale that LANG and LC_* name.
void InstallCliTranslators();
