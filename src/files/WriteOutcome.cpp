#include "WriteOutcome.h"

#include "CodePointName.h"

#include <cerrno>

WriteOutcome ErrnoOutcome(int number) {
    WriteOutcome outcome;
    outcome.number = number == 0 ? EIO : number; // a failure must never read as success
    return outcome;
}

WriteOutcome RefusedCharacterOutcome(qint64 row, QStringView line, qsizetype index) {
    qsizetype units = 1;
    CodePointName(line.mid(index), &units);
    WriteOutcome outcome;
    outcome.number = EILSEQ;
    outcome.row = row;
    outcome.refused = line.mid(index, units).toString();
    return outcome;
}
