#include "LineFileStream.h"

#include "Cp932Codec.h"

#include <algorithm>

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
    m_count = 0;
    return m_file.open(path, m_flushBytes);
}

WriteOutcome LineFileStream::append(QStringView line) {
    if (!m_file.isOpen())
        return m_file.notOpen();
    m_lineStarts.push_back(m_pending.size());
    m_pending += line;
    m_pending += QLatin1String("\r\n");
    ++m_count;
    return m_pending.size() < kEncodeChars ? WriteOutcome{} : encodePending();
}

WriteOutcome LineFileStream::commit() {
    if (!m_file.isOpen())
        return m_file.notOpen();
    if (const WriteOutcome encoded = encodePending(); !encoded.ok())
        return encoded;
    return m_file.commit();
}

void LineFileStream::abort() {
    m_file.abort();
    m_pending.clear();
    m_lineStarts.clear();
}

WriteOutcome LineFileStream::encodePending() {
    qsizetype bad = -1;
    QByteArray bytes;
    if (m_encoding == FileEncoding::Cp932) {
        Cp932EncodeResult encoded = EncodeCp932(m_pending);
        if (encoded.bytes)
            bytes = std::move(*encoded.bytes);
        else
            bad = std::max<qsizetype>(encoded.badIndex, 0);
    } else {
        bad = FirstLoneSurrogate(m_pending);
        if (bad < 0)
            bytes = m_pending.toUtf8();
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
    return m_file.append(bytes);
}

WriteOutcome LineFileStream::failed(const WriteOutcome& outcome) {
    abort();
    return m_file.fail(outcome);
}
