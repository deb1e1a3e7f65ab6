#include "CharacterPool.h"

#include <QStringView>
#include <algorithm>

namespace {
bool isSupplementary(char32_t c) {
    return c > 0xFFFF;
}
} // namespace

std::vector<char32_t> CodePointsOf(const QString& text) {
    std::vector<char32_t> points;
    points.reserve(size_t(text.size()));
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < n && text.at(i + 1).isLowSurrogate()) {
            points.push_back(QChar::surrogateToUcs4(c, text.at(i + 1)));
            ++i;
        } else if (!c.isSurrogate()) {
            points.push_back(c.unicode());
        }
    }
    return points;
}

void CharacterPool::append(const QString& text) {
    const std::vector<char32_t> points = CodePointsOf(text);
    entries_.insert(entries_.end(), points.begin(), points.end());
    supplementaryCount_ += std::count_if(points.begin(), points.end(), isSupplementary);
}

void CharacterPool::removeAll(char32_t c) {
    const auto removed = qsizetype(std::erase(entries_, c));
    if (isSupplementary(c))
        supplementaryCount_ -= removed;
}

QString CharacterPool::toString() const {
    return QString::fromUcs4(entries_.data(), size());
}

CharacterPool BuildCharacterPool(const GenerationOptions& options) {
    CharacterPool pool;
    if (options.AddSuji)
        pool.append(kDigitCharacters);
    if (options.AddAlphabetBig)
        pool.append(kUpperCaseCharacters);
    if (options.AddAlphabetMini)
        pool.append(kLowerCaseCharacters);
    if (options.AddChr)
        pool.append(options.AddChrList);
    if (options.DeleteChr) {
        for (char32_t c : CodePointsOf(options.DeleteChrList))
            pool.removeAll(c);
    }
    return pool;
}
