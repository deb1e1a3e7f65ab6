#include "ByteFileStream.h"

#include <cerrno>

WriteOutcome ByteFileStream::open(const QString& path, qsizetype flushBytes) {
    abort();
    m_flushBytes = flushBytes;
    m_failure = {};
    const WriteOutcome outcome = m_target.open(path);
    m_open = outcome.ok();
    if (!m_open)
        m_failure = outcome;
    return outcome;
}

WriteOutcome ByteFileStream::append(QByteArrayView bytes) {
    if (!m_open)
        return notOpen();
    m_bytes += bytes;
    if (m_flushBytes >= 0 && m_bytes.size() >= m_flushBytes)
        return flush();
    return {};
}

WriteOutcome ByteFileStream::commit() {
    if (!m_open)
        return notOpen();
    if (m_flushBytes < 0) {
        if (const WriteOutcome room = m_target.reserve(m_bytes.size()); !room.ok())
            return fail(room);
    }
    if (const WriteOutcome written = flush(); !written.ok())
        return written;
    m_open = false;
    const WriteOutcome outcome = m_target.commit();
    if (!outcome.ok())
        m_failure = outcome;
    return outcome;
}

void ByteFileStream::abort() {
    m_target.abort();
    m_open = false;
    m_bytes.clear();
}

WriteOutcome ByteFileStream::fail(const WriteOutcome& outcome) {
    abort();
    m_failure = outcome;
    return outcome;
}

WriteOutcome ByteFileStream::notOpen() const {
    return m_failure.ok() ? ErrnoOutcome(EBADF) : m_failure;
}

WriteOutcome ByteFileStream::flush() {
    const WriteOutcome outcome = m_target.write(m_bytes);
    m_bytes.clear();
    return outcome.ok() ? outcome : fail(outcome);
}
