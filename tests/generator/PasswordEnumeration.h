#pragma once

#include "CharacterPool.h"

#include <QMetaType>
#include <QStringList>
#include <cmath>
#include <map>
#include <string>

// Every password of a small pool and length, with its exact chance, counted out one index
// sequence at a time: the reference that the closed formulas are checked against. A password
// meets the rule when it holds a character of every text in classTexts.
struct EnumeratedPasswords {
    std::map<std::u32string, double> chances; // the passwords that meet the rule, chance among all
    double acceptance = 0;

    double entropyBits() const {
        double bits = 0;
        for (const auto& [password, chance] : chances) {
            const double p = chance / acceptance;
            bits -= p * std::log2(p);
        }
        return bits;
    }
};

inline EnumeratedPasswords EnumeratePasswords(const CharacterPool& pool, int length,
                                              const QStringList& classTexts) {
    std::vector<std::u32string> classes;
    for (const QString& text : classTexts) {
        const std::vector<char32_t> points = CodePointsOf(text);
        classes.emplace_back(points.begin(), points.end());
    }
    const auto n = size_t(pool.size());
    const double chance = std::pow(double(n), -length);
    EnumeratedPasswords result;
    std::vector<size_t> index(size_t(length), 0);
    for (;;) {
        std::u32string password;
        for (size_t i : index)
            password += pool.at(qsizetype(i));
        bool meets = true;
        for (const std::u32string& members : classes)
            meets = meets && password.find_first_of(members) != std::u32string::npos;
        if (meets) {
            result.chances[password] += chance;
            result.acceptance += chance;
        }
        size_t digit = 0;
        while (digit < index.size() && ++index[digit] == n)
            index[digit++] = 0;
        if (digit == index.size())
            return result;
    }
}

Q_DECLARE_METATYPE(GenerationOptions)

// Options from a compact description: classes holds d, u and w for the three classes; a null
// extra text leaves the extra characters off, a null exclude text the exclusion.
inline GenerationOptions OptionsOf(const QString& classes, const QString& extra = QString(),
                                   const QString& exclude = QString()) {
    GenerationOptions options;
    options.digits = classes.contains(u'd');
    options.upper = classes.contains(u'u');
    options.lower = classes.contains(u'w');
    options.extra = !extra.isNull();
    options.extraText = extra;
    options.exclude = !exclude.isNull();
    options.excludeText = exclude;
    return options;
}
