#include "EachClass.h"

#include <algorithm>
#include <bit>

namespace {
// The first entry of the sorted table at or after c.
auto LowerBound(auto& entries, char32_t c) {
    return std::lower_bound(entries.begin(), entries.end(), c,
                            [](const auto& entry, char32_t p) { return entry.first < p; });
}
// Sorted once, one entry per character with all its classes: a long extra text of distinct
// characters costs n log n, not n squared.
template <typename Key> void MergeSorted(std::vector<std::pair<Key, quint8>>& table) {
    std::sort(table.begin(), table.end());
    auto kept = table.begin();
    for (auto it = table.begin(); it != table.end(); ++it) {
        if (kept != table.begin() && std::prev(kept)->first == it->first)
            std::prev(kept)->second |= it->second;
        else
            *kept++ = *it;
    }
    table.erase(kept, table.end());
}

} // namespace

EachClassRule::EachClassRule(const GenerationOptions& options) {
    if (options.digits)
        add(Digits, kDigitCharacters);
    if (options.upper)
        add(Upper, kUpperCaseCharacters);
    if (options.lower)
        add(Lower, kLowerCaseCharacters);
    if (options.symbols != SymbolSet::None)
        add(Symbols, SymbolCharacters(options.symbols));
    if (options.extra)
        add(Extra, options.extraText);
}

void EachClassRule::add(Class c, const QString& characters) {
    bool any = false;
    ForEachCharacter(characters, [&](QStringView entry) {
        any = true;
        char32_t point = 0;
        if (!IsSingleCodePoint(entry, &point))
            clusters_.push_back({entry.toString(), quint8(c)});
        else if (point < ascii_.size())
            ascii_[point] |= c;
        else
            others_.push_back({point, quint8(c)});
    });
    if (!any)
        return;
    required_ |= c;
    MergeSorted(clusters_);
    MergeSorted(others_);
}

int EachClassRule::classCount() const {
    return std::popcount(required_);
}

quint8 EachClassRule::classesOf(char32_t c) const {
    if (c < ascii_.size())
        return ascii_[c];
    const auto at = LowerBound(others_, c);
    return at != others_.end() && at->first == c ? at->second : 0;
}

quint8 EachClassRule::classesOfEntry(QStringView entry) const {
    char32_t point = 0;
    if (IsSingleCodePoint(entry, &point))
        return classesOf(point);
    const auto at = std::lower_bound(
        clusters_.begin(), clusters_.end(), entry,
        [](const std::pair<QString, quint8>& e, QStringView text) { return e.first < text; });
    return at != clusters_.end() && at->first == entry ? at->second : 0;
}

quint8 EachClassRule::classesMissingFrom(const CharacterPool& pool) const {
    quint8 seen = 0;
    for (qsizetype i = 0; i < pool.size() && seen != required_; ++i)
        seen |= pool.isClustered() ? classesOfEntry(pool.entryText(i)) : classesOf(pool.at(i));
    return required_ & ~seen;
}

bool EachClassRule::isMetBy(QStringView password) const {
    quint8 seen = 0;
    const qsizetype n = password.size();
    for (qsizetype i = 0; i < n && seen != required_; ++i) {
        const char16_t unit = password[i].unicode();
        if (unit < 128) {
            seen |= ascii_[unit];
        } else if (QChar::isHighSurrogate(unit) && i + 1 < n) {
            seen |= classesOf(QChar::surrogateToUcs4(unit, password[i + 1].unicode()));
            ++i;
        } else {
            seen |= classesOf(unit);
        }
    }
    return seen == required_;
}
