#pragma once

#include "ResultFileTarget.h"
#include "WriteOutcome.h"

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <vector>

enum class ResultFileEncoding {
    Cp932, // the program's own format; a character the code page lacks is refused
    Utf8,  // no byte-order mark
};

// Writes a result file one password at a time: each password followed by CR LF, in memory that
// does not grow with the list. The file is written whole or not at all: the old file, or no
// file, stays until commit() succeeds (see ResultFileTarget for the files that must be written in
// place, where a failure leaves what was written).
//
// A password that the encoding cannot hold ends the attempt with a refusal that names it and its
// character. A caller that streams millions of passwords should check its characters before it
// opens the file: in place, passwords before the refused one may already be in the file.
class ResultFileStream {
public:
    // Bytes are handed to the file whenever this many have gathered.
    static constexpr qsizetype kDefaultFlushBytes = 1 << 20;
    // Nothing reaches the file before commit(), which first sets aside room for all of it.
    static constexpr qsizetype kHoldUntilCommit = -1;

    explicit ResultFileStream(qsizetype flushBytes = kDefaultFlushBytes);
    ResultFileStream(const ResultFileStream&) = delete;
    ResultFileStream& operator=(const ResultFileStream&) = delete;

    WriteOutcome open(const QString& path, ResultFileEncoding encoding);
    // After a failure every further call returns that failure; the file is left as abort() does.
    WriteOutcome append(QStringView password);
    WriteOutcome commit();
    void abort();

    qint64 count() const { return m_count; }

private:
    WriteOutcome encodePending();
    WriteOutcome flush();
    WriteOutcome failed(const WriteOutcome& outcome);

    ResultFileTarget m_target;
    ResultFileEncoding m_encoding = ResultFileEncoding::Cp932;
    qsizetype m_flushBytes;
    QString m_pending;                   // text not yet encoded
    std::vector<qsizetype> m_lineStarts; // where each password of m_pending starts
    QByteArray m_bytes;                  // encoded, not yet written
    qint64 m_count = 0;                  // passwords appended
    WriteOutcome m_failure;
    bool m_open = false;
};
