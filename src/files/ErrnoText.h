#pragma once

#include <QString>

// The one table of texts for the error numbers that writing a file meets: the C library's English
// wording here, the Japanese in translations/keymill-files_ja.ts. Each front end words its message
// around them.

// In the language of the installed translators (keymill-cli installs the one of the user's
// locale, see InstallErrnoTranslator); a number outside the table reads as strerror gives it.
QString ErrnoText(int number);

// Always Japanese, as the window speaks; the empty text for a number outside the table.
QString JapaneseErrnoText(int number);

class QLocale;
// Installs the texts' translation for `locale` in the application, when one is shipped.
void InstallErrnoTranslator(const QLocale& locale);
