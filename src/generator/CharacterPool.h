#pragma once

#include "GenerationOptions.h"

#include <QChar>
#include <QString>
#include <vector>

// The candidate characters of a run, one UTF-16 code unit per entry. Repeats are kept on
// purpose: a character with two entries is drawn twice as often.
class CharacterPool {
public:
    CharacterPool() = default;

    qsizetype size() const { return qsizetype(entries_.size()); }
    bool isEmpty() const { return entries_.empty(); }
    QChar at(qsizetype index) const { return QChar(entries_[size_t(index)]); }

    void append(const QString& text);
    // Removes every entry equal to c, wherever it stands.
    void removeAll(QChar c);

    QString toString() const;

private:
    std::vector<char16_t> entries_;
};

CharacterPool BuildCharacterPool(const GenerationOptions& options);
