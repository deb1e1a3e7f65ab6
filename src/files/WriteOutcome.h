#pragma once

#include <QString>
#include <QStringView>

// The outcome of writing a file: number 0 on success, otherwise the errno of the call that
// failed. A character the encoding cannot hold is EILSEQ with the line that holds it and the
// character itself. No wording: each front end words the outcome in its own language.
struct WriteOutcome {
    int number = 0;
    qint64 row = 0;  // a refusal: the line that holds the character, counted from 1
    QString refused; // a refusal: the character (a surrogate pair stays whole)
    bool ok() const { return number == 0; }
};

// The outcome for a failed system call; `number` is the errno taken right after it.
WriteOutcome ErrnoOutcome(int number);

// The refusal of the character at UTF-16 position `index` of `line`, line `row` of the file.
WriteOutcome RefusedCharacterOutcome(qint64 row, QStringView line, qsizetype index);
