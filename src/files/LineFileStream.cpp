#include "LineFileStream.h"

#include "Cp932Codec.h"

#include <algorithm>
#include <cerrno>

namespace {

// Text is encoded in pieces of about this many UTF-16 units: large enough that the converter's
// start-up cost vanishes, small enough to keep memory flat.
constexpr qsizetype kEncodeChars = 32 * 1024;

// UTF-8 can hold every character, but not half of one.
qsizetype FirstLoneSurrogate(QStringView text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        else if (c.isSurrogate())
            return i;
    }
    return -1;
}

} // namespace

LineFileStream::LineFileStream(qsizetype flushBytes) : m_flushBytes(flushBytes) {}

WriteOutcome LineFileStream::open(const QString& path, FileEncoding encoding) {
    abort();
    m_encoding = encoding;
    m_failure = {};
    m_count = 0;
    const WriteOutcome outcome = m_target.open(path);
    m_open = outcome.ok();
    if (!m_open)
        m_failure = outcome;
    return outcome;
}

WriteOutcome LineFileStream::append(QStringView line) {
    if (!m_open)
        return m_failure.ok() ? ErrnoOutcome(EBADF) : m_failure;
    m_lineStarts.push_back(m_pending.size());
    m_pending += line;
    m_pending += QLatin1String("\r\n");
    ++m_count;
    if (m_pending.size() < kEncodeChars)
        return {};
    if (const WriteOutcome encoded = encodePending(); !encoded.ok())
        return encoded;
    if (m_flushBytes >= 0 && m_bytes.size() >= m_flushBytes)
        return flush();
    return {};
}

WriteOutcome LineFileStream::commit() {
    if (!m_open)
        return m_failure.ok() ? ErrnoOutcome(EBADF) : m_failure;
    if (const WriteOutcome encoded = encodePending(); !encoded.ok())
        return encoded;
    if (m_flushBytes < 0) {
        if (const WriteOutcome room = m_target.reserve(m_bytes.size()); !room.ok())
            return failed(room);
    }
    if (const WriteOutcome written = flush(); !written.ok())
        return written;
    m_open = false;
    const WriteOutcome outcome = m_target.commit();
    if (!outcome.ok())
        m_failure = outcome;
    return outcome;
}

void LineFileStream::abort() {
    m_target.abort();
    m_open = false;
    m_pending.clear();
    m_lineStarts.clear();
    m_bytes.clear();
}

WriteOutcome LineFileStream::encodePending() {
    qsizetype bad = -1;
    if (m_encoding == FileEncoding::Cp932) {
        const Cp932EncodeResult encoded = EncodeCp932(m_pending);
        if (encoded.bytes)
            m_bytes += *encoded.bytes;
        else
            bad = std::max<qsizetype>(encoded.badIndex, 0);
    } else {
        bad = FirstLoneSurrogate(m_pending);
        if (bad < 0)
            m_bytes += m_pending.toUtf8();
    }
    if (bad >= 0) {
        // The line that holds it, counted over the whole file.
        const auto start = std::upper_bound(m_lineStarts.begin(), m_lineStarts.end(), bad) - 1;
        const qint64 row = m_count - qint64(m_lineStarts.end() - start) + 1;
        const qsizetype end = start + 1 == m_lineStarts.end() ? m_pending.size() : *(start + 1);
        const QStringView line = QStringView(m_pending).mid(*start, end - 2 - *start);
        return failed(RefusedCharacterOutcome(row, line, bad - *start));
    }
    m_pending.clear();
    m_lineStarts.clear();
    return {};
}

WriteOutcome LineFileStream::flush() {
    const WriteOutcome outcome = m_target.write(m_bytes);
    m_bytes.clear();
    return outcome.ok() ? outcome : failed(outcome);
}

WriteOutcome LineFileStream::failed(const WriteOutcome& outcome) {
    abort();
    m_failure = outcome;
    return outcome;
}
