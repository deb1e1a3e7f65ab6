#pragma once

#include <QString>

class QCoreApplication;

// Qt's own texts (the file dialog, the overwrite question, message box buttons, the text boxes'
// right-click menu, the help viewer's widgets) in Japanese, whatever the locale: the whole
// interface is Japanese, so Qt's part of it is too.

// The folder Qt keeps its translations in (Debian: qt6-translations-l10n).
QString QtTranslationsDir();

// Installs "qtbase_ja" and "qt_help_ja" from the folder on the application. A missing or
// unreadable file is skipped; the answer is how many were installed.
int InstallQtJapanese(QCoreApplication& app, const QString& folder = QtTranslationsDir());
