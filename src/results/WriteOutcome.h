#pragma once

#include <QString>
#include <QStringView>

// The outcome of writing a result file: number 0 on success, otherwise an errno-style number
// and a Japanese description for the error box.
struct WriteOutcome {
    int number = 0;
    QString description;
    QString refused; // a refusal: the character the encoding cannot hold
    bool ok() const { return number == 0; }
};

// The outcome for a failed system call; `number` is the errno taken right after it.
WriteOutcome ErrnoOutcome(int number);

// The refusal of a character that `encodingName` cannot hold. `row` counts passwords from 1;
// `index` is the UTF-16 position of the character in `password`. The character is named by its
// real code point: a surrogate pair as one character, a lone surrogate as itself.
WriteOutcome RefusedCharacterOutcome(qint64 row, QStringView password, qsizetype index,
                                     const QString& encodingName);

// "U+1F600": the character at the start of `text`, a surrogate pair as one code point and a lone
// surrogate as itself. Sets `units` (when given) to the UTF-16 units it takes.
QString CodePointName(QStringView text, qsizetype* units = nullptr);

// "エラー番号 = <number>\r<description>"
QString SaveErrorText(const WriteOutcome& outcome);
