#pragma once

#include "ByteFileStream.h"
#include "FileEncoding.h"
#include "WriteOutcome.h"

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <vector>

// Writes a file one line at a time (a saved list: one password a line), each line followed by
// CR LF, in memory that does not grow with the file. The file is written whole or not at all: the
// old file, or no file, stays until commit() succeeds (see FileTarget for the files that must be
// written in place, where a failure leaves what was written).
//
// A line that the encoding cannot hold ends the attempt with a refusal that names its row and its
// character. A caller that streams millions of lines should check its characters before it opens
// the file: in place, lines before the refused one may already be in the file.
class LineFileStream {
public:
    // Bytes are handed to the file whenever this many have gathered.
    static constexpr qsizetype kDefaultFlushBytes = ByteFileStream::kDefaultFlushBytes;
    // Nothing reaches the file before commit(), which first sets aside room for all of it.
    static constexpr qsizetype kHoldUntilCommit = ByteFileStream::kHoldUntilCommit;

    explicit LineFileStream(qsizetype flushBytes = kDefaultFlushBytes);
    LineFileStream(const LineFileStream&) = delete;
    LineFileStream& operator=(const LineFileStream&) = delete;

    WriteOutcome open(const QString& path, FileEncoding encoding);
    // After a failure every further call returns that failure; the file is left as abort() does.
    WriteOutcome append(QStringView line);
    WriteOutcome commit();
    void abort();

    qint64 count() const { return m_count; } // lines appended

private:
    WriteOutcome encodePending();
    WriteOutcome failed(const WriteOutcome& outcome);

    ByteFileStream m_file;
    FileEncoding m_encoding = FileEncoding::Cp932;
    qsizetype m_flushBytes;
    QString m_pending;                   // text not yet encoded
    std::vector<qsizetype> m_lineStarts; // where each line of m_pending starts
    qint64 m_count = 0;                  // lines appended
};
