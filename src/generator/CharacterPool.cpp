#include "CharacterPool.h"

#include <algorithm>

void CharacterPool::append(const QString& text) {
    entries_.reserve(entries_.size() + size_t(text.size()));
    for (QChar c : text)
        entries_.push_back(c.unicode());
}

void CharacterPool::removeAll(QChar c) {
    std::erase(entries_, c.unicode());
}

QString CharacterPool::toString() const {
    QString text(size(), Qt::Uninitialized);
    std::copy(entries_.begin(), entries_.end(), text.data());
    return text;
}

CharacterPool BuildCharacterPool(const GenerationOptions& options) {
    CharacterPool pool;
    if (options.AddSuji)
        pool.append(QStringLiteral("0123456789"));
    if (options.AddAlphabetBig)
        pool.append(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ"));
    if (options.AddAlphabetMini)
        pool.append(QStringLiteral("abcdefghijklmnopqrstuvwxyz"));
    if (options.AddChr)
        pool.append(options.AddChrList);
    if (options.DeleteChr) {
        for (QChar c : options.DeleteChrList)
            pool.removeAll(c);
    }
    return pool;
}
