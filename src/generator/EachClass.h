#pragma once

#include "CharacterPool.h"
#include "GenerationOptions.h"
#include "PasswordGenerator.h"

#include <QStringView>
#include <array>
#include <utility>
#include <vector>

// The rule "every chosen class appears at least once in each password". The classes are the
// digits, the upper-case letters, the lower-case letters, the symbols of the chosen preset and
// the extra characters, each chosen by its option. A character may belong to two classes (an extra
// "7" beside the digits); drawing it counts for both.
//
// Passwords are drawn whole and drawn again until one meets the rule. Every password that meets
// it so keeps its share of the chance it had among all passwords, and the draw stays uniform
// over them; writing a missing class into a drawn password instead would favour some passwords.
class EachClassRule {
public:
    enum Class : quint8 { Digits = 1, Upper = 2, Lower = 4, Extra = 8, Symbols = 16 };

    EachClassRule() = default;
    // The classes that options choose; an extra text without characters is no class.
    explicit EachClassRule(const GenerationOptions& options);

    quint8 requiredClasses() const { return required_; }
    int classCount() const;
    // The chosen classes of which the pool holds no character: with any of them the rule can
    // never be met.
    quint8 classesMissingFrom(const CharacterPool& pool) const;
    // The chosen classes c belongs to.
    quint8 classesOf(char32_t c) const;
    // The chosen classes a pool entry belongs to, whether one code point or several.
    quint8 classesOfEntry(QStringView entry) const;
    // For passwords drawn from a pool of single code points.
    bool isMetBy(QStringView password) const;

private:
    void add(Class c, const QString& characters);

    quint8 required_ = 0;
    std::array<quint8, 128> ascii_{};
    std::vector<std::pair<char32_t, quint8>> others_;  // sorted by character
    std::vector<std::pair<QString, quint8>> clusters_; // entries of several code points, sorted
};

// One password that meets the rule: passwords are drawn until one does, or until the hook asks
// to stop (then the characters drawn so far are returned). The caller makes sure the rule can be
// met: no chosen class missing from the pool and at least as many characters as classes.
template <typename Hook>
QString GenerateEachClassPassword(const CharacterPool& pool, const EachClassRule& rule,
                                  qint32 length, RandomSource& source, Hook&& afterEachCharacter) {
    if (pool.isClustered()) {
        // A password of whole characters is judged by the entries drawn, never by splitting
        // its text again: two entries side by side may read as one character.
        for (;;) {
            quint8 seen = 0;
            bool stopped = false;
            QString password = GenerateClusterPassword(
                pool, length, source,
                [&] {
                    stopped = std::invoke(afterEachCharacter);
                    return stopped;
                },
                [&](qsizetype index) { seen |= rule.classesOfEntry(pool.entryText(index)); });
            if (stopped || seen == rule.requiredClasses())
                return password;
        }
    }
    bool stopped = false;
    const auto hook = [&] {
        stopped = std::invoke(afterEachCharacter);
        return stopped;
    };
    for (;;) {
        QString password = GeneratePassword(pool, length, source, hook);
        if (stopped || rule.isMetBy(password))
            return password;
    }
}
