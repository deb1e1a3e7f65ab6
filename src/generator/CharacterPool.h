#pragma once

#include "GenerationOptions.h"

#include <QString>
#include <vector>

// The candidate characters of a run, one whole character (Unicode code point) per entry, so an
// emoji is one entry and never split into halves. Repeats are kept on purpose: a character with
// two entries is drawn twice as often.
class CharacterPool {
public:
    CharacterPool() = default;

    qsizetype size() const { return qsizetype(entries_.size()); }
    bool isEmpty() const { return entries_.empty(); }
    char32_t at(qsizetype index) const { return entries_[size_t(index)]; }
    // True when every entry fits one UTF-16 code unit (the common case; passwords are then
    // exactly as long in code units as in characters).
    bool isBmpOnly() const { return supplementaryCount_ == 0; }

    // Appends every character of text in order. A lone surrogate is not a character and is
    // skipped.
    void append(const QString& text);
    // Removes every entry equal to c, wherever it stands.
    void removeAll(char32_t c);

    QString toString() const;

private:
    std::vector<char32_t> entries_;
    qsizetype supplementaryCount_ = 0;
};

// The characters of the three classes, in the order they enter the pool.
inline const QString kDigitCharacters = QStringLiteral("0123456789");
inline const QString kUpperCaseCharacters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
inline const QString kLowerCaseCharacters = QStringLiteral("abcdefghijklmnopqrstuvwxyz");

// The whole characters of text in order; lone surrogates are dropped.
std::vector<char32_t> CodePointsOf(const QString& text);

CharacterPool BuildCharacterPool(const GenerationOptions& options);
