#pragma once

#include <QString>
#include <QStringList>

// The outcome of writing the result file: number 0 on success, otherwise an errno-style number
// and a Japanese description for the error box.
struct WriteOutcome {
    int number = 0;
    QString description;
    bool ok() const { return number == 0; }
};

// Writes every password followed by CR LF, in code page 932 without byte-order mark. A file that
// is replaced stays as it was when the write fails; a password the code page cannot hold is
// refused before anything is written.
WriteOutcome WriteResultFile(const QString& path, const QStringList& passwords);

// "エラー番号 = <number>\r<description>"
QString SaveErrorText(const WriteOutcome& outcome);
