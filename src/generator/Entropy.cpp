#include "Entropy.h"

#include <QHash>

#include <algorithm>
#include <bit>
#include <cmath>
#include <vector>

namespace {

// Both values come from one sum by inclusion and exclusion over the sets S of chosen classes
// that a password lacks. With q(S) the chance of a character outside every class of S and
// m(S) the sum of p log2 p over those characters, for passwords of length L:
//   P(rule met)                    = sum over S of (-1)^|S| q(S)^L
//   E[log2 P(password); rule met]  = sum over S of (-1)^|S| L q(S)^(L-1) m(S)
// The entropy of the passwords that meet the rule is log2 P(met) - E[...] / P(met).
struct RuleSums {
    long double acceptance = 0;
    long double logChance = 0;
};

RuleSums SumsFor(const CharacterPool& pool, const EachClassRule& rule, qint32 length) {
    struct Outcome {
        long double chance;
        long double chanceLogChance; // p log2 p, worked out once for every subset below
        quint8 classes;
    };
    std::vector<Outcome> outcomes;
    const auto n = static_cast<long double>(pool.size());
    // Equal entries are one outcome: sorted, they stand side by side.
    const auto countRuns = [&](auto entries, auto classesOf) {
        std::sort(entries.begin(), entries.end());
        for (size_t i = 0; i < entries.size();) {
            size_t j = i + 1;
            while (j < entries.size() && entries[j] == entries[i])
                ++j;
            const long double p = static_cast<long double>(j - i) / n;
            outcomes.push_back({p, p * std::log2(p), classesOf(entries[i])});
            i = j;
        }
    };
    if (pool.isClustered()) {
        // Texts are counted in a hash: sorting them would compare strings n log n times.
        QHash<QString, qsizetype> counts;
        for (qsizetype i = 0; i < pool.size(); ++i)
            ++counts[pool.entryText(i)];
        for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
            const long double p = static_cast<long double>(it.value()) / n;
            outcomes.push_back({p, p * std::log2(p), rule.classesOfEntry(it.key())});
        }
    } else {
        std::vector<char32_t> entries(size_t(pool.size()));
        for (qsizetype i = 0; i < pool.size(); ++i)
            entries[size_t(i)] = pool.at(i);
        countRuns(std::move(entries), [&](char32_t c) { return rule.classesOf(c); });
    }

    RuleSums sums;
    const quint8 required = rule.requiredClasses();
    // Every subset S of the required classes, the empty set last.
    for (unsigned s = required;; s = (s - 1) & required) {
        long double q = 0;
        long double m = 0;
        for (const Outcome& o : outcomes) {
            if ((o.classes & s) == 0) {
                q += o.chance;
                m += o.chanceLogChance;
            }
        }
        const long double sign = std::popcount(s) % 2 == 0 ? 1 : -1;
        sums.acceptance += sign * std::pow(q, static_cast<long double>(length));
        if (m != 0)
            sums.logChance += sign * length * std::pow(q, static_cast<long double>(length - 1)) * m;
        if (s == 0)
            break;
    }
    return sums;
}

} // namespace

double PasswordEntropyBits(const CharacterPool& pool, qint32 length, const EachClassRule& rule) {
    if (pool.isEmpty() || length <= 0)
        return 0;
    const RuleSums sums = SumsFor(pool, rule, length);
    if (sums.acceptance <= 0)
        return 0;
    return double(std::log2(sums.acceptance) - sums.logChance / sums.acceptance);
}

double EachClassAcceptance(const CharacterPool& pool, const EachClassRule& rule, qint32 length) {
    if (pool.isEmpty() || length <= 0)
        return rule.requiredClasses() == 0 ? 1 : 0;
    return double(std::max<long double>(0, SumsFor(pool, rule, length).acceptance));
}
