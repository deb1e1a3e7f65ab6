#pragma once

#include "CharacterPool.h"
#include "IndexDraw.h"
#include "RandomSource.h"

#include <QString>
#include <functional>

// Draws length whole characters from a pool whose entries are texts (isClustered()), calling
// afterEachCharacter() after each and onEntry(index) with the index of each entry drawn.
// When the hook answers true (stop), the characters drawn so far are returned.
template <typename Hook, typename OnEntry>
QString GenerateClusterPassword(const CharacterPool& pool, qint32 length, RandomSource& source,
                                Hook&& afterEachCharacter, OnEntry&& onEntry) {
    QString text;
    if (length <= 0 || pool.isEmpty())
        return text;
    text.reserve(qsizetype(length) * pool.maxEntryUnits());
    const IndexRange range(pool.size());
    for (qint32 i = 0; i < length; ++i) {
        const qsizetype index = DrawIndex(range, source);
        text += pool.entryText(index);
        std::invoke(onEntry, index);
        if (std::invoke(afterEachCharacter))
            return text;
    }
    return text;
}

namespace password_detail {

// The loop of a pool whose every entry is one UTF-16 unit, for one width of random value, so
// the choice of width is made once per password. Returns the characters written to out.
template <typename UInt, typename Hook>
qint32 FillBmp(const CharacterPool& pool, const IndexRange& range, qint32 length,
               RandomSource& source, QChar* out, Hook& afterEachCharacter) {
    RandomSource::Reader reader(source);
    qint32 i = 0;
    while (i < length) {
        const qint32 end = i + source.reseedFromClockFor(length - i);
        reader.resync(); // a new clock value refills the buffer
        for (; i < end; ++i) {
            out[i] = QChar(char16_t(pool.at(range.draw<UInt>(reader))));
            reader.store();
            if (std::invoke(afterEachCharacter))
                return i + 1;
            reader.resync(); // in case the hook drew from the same source
        }
    }
    return length;
}

} // namespace password_detail

// Draws length characters, calling afterEachCharacter() after each; when it answers true
// (stop), the characters drawn so far are returned. A length of 0 or less, or an empty pool,
// gives the empty text without a draw. The length counts whole characters: with characters
// beyond the Basic Multilingual Plane, or entries of several code points, the text holds more
// UTF-16 code units.
template <typename Hook>
QString GeneratePassword(const CharacterPool& pool, qint32 length, RandomSource& source,
                         Hook&& afterEachCharacter) {
    using namespace password_detail;
    if (length <= 0 || pool.isEmpty())
        return QString();
    if (pool.isClustered())
        return GenerateClusterPassword(pool, length, source, std::forward<Hook>(afterEachCharacter),
                                       [](qsizetype) {});
    const IndexRange range(pool.size());
    if (pool.isBmpOnly()) {
        QString text(length, Qt::Uninitialized);
        QChar* out = text.data();
        qint32 written = 0;
        switch (range.bytes()) {
        case 1:
            written = FillBmp<quint8>(pool, range, length, source, out, afterEachCharacter);
            break;
        case 2:
            written = FillBmp<quint16>(pool, range, length, source, out, afterEachCharacter);
            break;
        case 4:
            written = FillBmp<quint32>(pool, range, length, source, out, afterEachCharacter);
            break;
        default:
            written = FillBmp<quint64>(pool, range, length, source, out, afterEachCharacter);
            break;
        }
        if (written < length)
            text.truncate(written);
        return text;
    }
    QString text;
    text.reserve(qsizetype(length) * 2);
    for (qint32 i = 0; i < length; ++i) {
        const char32_t c = pool.at(DrawIndex(range, source));
        if (QChar::requiresSurrogates(c)) {
            text.append(QChar(QChar::highSurrogate(c)));
            text.append(QChar(QChar::lowSurrogate(c)));
        } else {
            text.append(QChar(char16_t(c)));
        }
        if (std::invoke(afterEachCharacter))
            return text;
    }
    return text;
}

template <typename Hook>
QString GeneratePassword(const CharacterPool& pool, qint32 length, Hook&& afterEachCharacter) {
    return GeneratePassword(pool, length, ProcessRandomSource(),
                            std::forward<Hook>(afterEachCharacter));
}
