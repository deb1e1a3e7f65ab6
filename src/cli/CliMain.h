#pragma once

#include <QByteArrayList>

// The whole of keymill-cli after QCoreApplication is up: messages in the user's language,
// arguments read (as the system passed them, bytes that must be UTF-8), passwords streamed to
// standard output or to --output. Returns the exit status.
int KeymillCliMain(const QByteArrayList& arguments);

// Loads the Japanese (or any other shipped) messages for the locale that LANG and LC_* name.
void InstallCliTranslators();
