#pragma once

#include "FileTarget.h"
#include "WriteOutcome.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The bytes of a file written whole or not at all through FileTarget: gathered in memory, handed
// to the file in pieces, and kept from the reader until commit() succeeds. A failure sticks: every
// further call returns it, and the file is left as abort() leaves it.
class ByteFileStream {
public:
    // Bytes are handed to the file whenever this many have gathered.
    static constexpr qsizetype kDefaultFlushBytes = 1 << 20;
    // Nothing reaches the file before commit(), which first sets aside room for all of it.
    static constexpr qsizetype kHoldUntilCommit = -1;

    ByteFileStream() = default;
    ByteFileStream(const ByteFileStream&) = delete;
    ByteFileStream& operator=(const ByteFileStream&) = delete;

    WriteOutcome open(const QString& path, qsizetype flushBytes = kDefaultFlushBytes);
    WriteOutcome append(QByteArrayView bytes);
    WriteOutcome commit();
    void abort();
    // Ends the attempt with the caller's own refusal, which every further call returns.
    WriteOutcome fail(const WriteOutcome& outcome);

    bool isOpen() const { return m_open; }
    // What a call on a stream that is not open returns.
    WriteOutcome notOpen() const;

private:
    WriteOutcome flush();

    FileTarget m_target;
    qsizetype m_flushBytes = kDefaultFlushBytes;
    QByteArray m_bytes; // not yet handed to the file
    WriteOutcome m_failure;
    bool m_open = false;
};
