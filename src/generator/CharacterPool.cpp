#include "CharacterPool.h"

#include "UnicodeText.h"

#include <QSet>
#include <algorithm>

namespace {
bool isSupplementary(char32_t c) {
    return c > 0xFFFF;
}

// Below U+0300 no character joins the one before it, except a line feed after a carriage
// return, and every such text is already in its composed form: one entry per code point, without
// asking ICU.
bool eachCodePointStandsAlone(const QString& text) {
    return std::all_of(text.cbegin(), text.cend(),
                       [](QChar c) { return c.unicode() < 0x300 && c != u'\r'; });
}

QString withoutLoneSurrogates(const QString& text) {
    const std::vector<char32_t> points = CodePointsOf(text);
    return QString::fromUcs4(points.data(), qsizetype(points.size()));
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

void ForEachCharacter(const QString& text, const std::function<void(QStringView)>& f) {
    if (eachCodePointStandsAlone(text)) {
        const QStringView view(text);
        for (qsizetype i = 0; i < view.size(); ++i)
            f(view.sliced(i, 1));
        return;
    }
    // One form per character: é typed as e and U+0301 is the entry é, the same as a typed é.
    const QString clean = ComposedText(withoutLoneSurrogates(text));
    const QStringView view(clean);
    qsizetype start = 0;
    for (const qsizetype end : GraphemeEnds(view)) {
        f(view.sliced(start, end - start));
        start = end;
    }
}

bool IsSingleCodePoint(QStringView entry, char32_t* codePoint) {
    char32_t point = 0;
    bool single = false;
    if (entry.size() == 1 && !entry[0].isSurrogate()) {
        point = entry[0].unicode();
        single = true;
    } else if (entry.size() == 2 && entry[0].isHighSurrogate() && entry[1].isLowSurrogate()) {
        point = QChar::surrogateToUcs4(entry[0], entry[1]);
        single = true;
    }
    if (codePoint)
        *codePoint = point;
    return single;
}

QString CharacterPool::entryText(qsizetype index) const {
    if (clustered_)
        return clusters_[size_t(index)];
    const char32_t c = entries_[size_t(index)];
    return QString::fromUcs4(&c, 1);
}

int CharacterPool::maxEntryUnits() const {
    if (clustered_)
        return maxClusterUnits_;
    return supplementaryCount_ > 0 ? 2 : 1;
}

void CharacterPool::becomeClustered() {
    clusters_.reserve(entries_.size());
    for (char32_t c : entries_) {
        clusters_.push_back(QString::fromUcs4(&c, 1));
        maxClusterUnits_ = std::max(maxClusterUnits_, int(clusters_.back().size()));
    }
    entries_.clear();
    entries_.shrink_to_fit();
    supplementaryCount_ = 0;
    clustered_ = true;
}

void CharacterPool::append(const QString& text) {
    // Single code points go in as code points until the first character of several, which
    // turns the pool into one of texts; no text is made for a pool that never needs one.
    ForEachCharacter(text, [this](QStringView character) {
        char32_t c = 0;
        const bool single = IsSingleCodePoint(character, &c);
        if (!clustered_ && single) {
            entries_.push_back(c);
            supplementaryCount_ += isSupplementary(c);
            return;
        }
        if (!clustered_)
            becomeClustered();
        clusters_.push_back(character.toString());
        maxClusterUnits_ = std::max(maxClusterUnits_, int(character.size()));
    });
}

// A pool that has lost its last entry of several code points draws on the fast path again.
void CharacterPool::settle() {
    if (!clustered_ || !std::all_of(clusters_.begin(), clusters_.end(),
                                    [](const QString& c) { return IsSingleCodePoint(c); }))
        return;
    entries_.clear();
    for (const QString& cluster : clusters_) {
        char32_t c = 0;
        IsSingleCodePoint(cluster, &c);
        entries_.push_back(c);
        supplementaryCount_ += isSupplementary(c);
    }
    clusters_.clear();
    maxClusterUnits_ = 0;
    clustered_ = false;
}

// One pass over the pool, whatever the length of text.
void CharacterPool::removeAllOf(const QString& text) {
    std::vector<char32_t> points;
    QSet<QString> texts;
    ForEachCharacter(text, [&](QStringView character) {
        char32_t c = 0;
        if (IsSingleCodePoint(character, &c))
            points.push_back(c);
        if (clustered_)
            texts.insert(character.toString());
    });
    if (clustered_) {
        std::erase_if(clusters_, [&](const QString& entry) { return texts.contains(entry); });
        settle();
        return;
    }
    std::sort(points.begin(), points.end());
    std::erase_if(entries_, [&](char32_t c) {
        if (!std::binary_search(points.begin(), points.end(), c))
            return false;
        supplementaryCount_ -= isSupplementary(c);
        return true;
    });
}

QString CharacterPool::toString() const {
    if (!clustered_)
        return QString::fromUcs4(entries_.data(), qsizetype(entries_.size()));
    QString text;
    for (const QString& cluster : clusters_)
        text += cluster;
    return text;
}

CharacterPool BuildCharacterPool(const GenerationOptions& options) {
    CharacterPool pool;
    if (options.digits)
        pool.append(kDigitCharacters);
    if (options.upper)
        pool.append(kUpperCaseCharacters);
    if (options.lower)
        pool.append(kLowerCaseCharacters);
    pool.append(SymbolCharacters(options.symbols));
    if (options.extra)
        pool.append(options.extraText);
    if (options.exclude)
        pool.removeAllOf(options.excludeText);
    return pool;
}
