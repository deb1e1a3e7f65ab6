#pragma once

#include "CharacterPool.h"
#include "IndexDraw.h"
#include "RandomSource.h"

#include <QString>
#include <functional>

// One character, one entry drawn from the pool. An empty pool gives the null character without
// a draw.
inline char32_t DrawCharacter(const CharacterPool& pool, RandomSource& source) {
    const qsizetype n = pool.size();
    if (n == 0)
        return 0;
    return pool.at(DrawIndex(n, source));
}

inline char32_t DrawCharacter(const CharacterPool& pool) {
    return DrawCharacter(pool, ProcessRandomSource());
}

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
    const qsizetype n = pool.size();
    for (qint32 i = 0; i < length; ++i) {
        const qsizetype index = DrawIndex(n, source);
        text += pool.entryText(index);
        std::invoke(onEntry, index);
        if (std::invoke(afterEachCharacter))
            return text;
    }
    return text;
}

// Draws length characters, calling afterEachCharacter() after each; when it answers true
// (stop), the characters drawn so far are returned. A length of 0 or less, or an empty pool,
// gives the empty text without a draw. The length counts whole characters: with characters
// beyond the Basic Multilingual Plane, or entries of several code points, the text holds more
// UTF-16 code units.
template <typename Hook>
QString GeneratePassword(const CharacterPool& pool, qint32 length, RandomSource& source,
                         Hook&& afterEachCharacter) {
    if (length <= 0 || pool.isEmpty())
        return QString();
    if (pool.isClustered())
        return GenerateClusterPassword(pool, length, source, std::forward<Hook>(afterEachCharacter),
                                       [](qsizetype) {});
    if (pool.isBmpOnly()) {
        QString text(length, Qt::Uninitialized);
        QChar* out = text.data();
        for (qint32 i = 0; i < length; ++i) {
            out[i] = QChar(char16_t(DrawCharacter(pool, source)));
            if (std::invoke(afterEachCharacter)) {
                text.truncate(i + 1);
                return text;
            }
        }
        return text;
    }
    QString text;
    text.reserve(qsizetype(length) * 2);
    for (qint32 i = 0; i < length; ++i) {
        const char32_t c = DrawCharacter(pool, source);
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
