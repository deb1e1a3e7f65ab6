#pragma once

#include "GenerationOptions.h"

#include <QString>
#include <QStringView>
#include <functional>
#include <vector>

// The candidate characters of a run, one whole character per entry as a reader sees it (one
// grapheme cluster): an emoji, a letter with its combining accent, a half-width kana with its
// sound mark are each one entry and never split. Repeats are kept on purpose: a character with
// two entries is drawn twice as often.
//
// A pool whose entries are all single code points (the common case) keeps them as code points,
// which the generator draws from fastest; one entry of several code points makes every entry
// a text (isClustered()).
class CharacterPool {
public:
    CharacterPool() = default;

    qsizetype size() const {
        return clustered_ ? qsizetype(clusters_.size()) : qsizetype(entries_.size());
    }
    bool isEmpty() const { return size() == 0; }
    // The entry as a code point; only for a pool that is not clustered.
    char32_t at(qsizetype index) const { return entries_[size_t(index)]; }
    // True when every entry fits one UTF-16 code unit (the common case; passwords are then
    // exactly as long in code units as in characters).
    bool isBmpOnly() const { return !clustered_ && supplementaryCount_ == 0; }
    // True when some entry is more than one code point; entries are then read by entryText.
    bool isClustered() const { return clustered_; }
    QString entryText(qsizetype index) const;
    // The most UTF-16 units one entry takes.
    int maxEntryUnits() const;

    // Appends every character of text in order. A lone surrogate is not a character and is
    // skipped.
    void append(const QString& text);
    // Removes every entry equal to one of the characters of text.
    void removeAllOf(const QString& text);

    QString toString() const;

private:
    void becomeClustered();
    void settle();

    std::vector<char32_t> entries_;
    std::vector<QString> clusters_;
    bool clustered_ = false;
    qsizetype supplementaryCount_ = 0;
    int maxClusterUnits_ = 0;
};

// The characters of the three classes, in the order they enter the pool.
inline const QString kDigitCharacters = QStringLiteral("0123456789");
inline const QString kUpperCaseCharacters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
inline const QString kLowerCaseCharacters = QStringLiteral("abcdefghijklmnopqrstuvwxyz");

// The whole characters of text in order; lone surrogates are dropped.
std::vector<char32_t> CodePointsOf(const QString& text);

// Calls f(QStringView) with each character of text as a reader counts it (a grapheme cluster by
// Unicode's rules), in order, each in its composed form (NFC); lone surrogates are dropped first.
// The one place where a text is cut into pool entries. The views live as long as the call.
void ForEachCharacter(const QString& text, const std::function<void(QStringView)>& f);

// The one code point that entry is, or nothing (0 with false) when it is several.
bool IsSingleCodePoint(QStringView entry, char32_t* codePoint = nullptr);

CharacterPool BuildCharacterPool(const GenerationOptions& options);
