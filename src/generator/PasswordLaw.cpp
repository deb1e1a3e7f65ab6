#include "PasswordLaw.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <limits>
#include <map>
#include <tuple>

namespace {

__extension__ typedef unsigned __int128 Wide;

// Beyond these the counting takes too long or the table too much memory.
constexpr size_t kMaxStates = 1 << 16;
constexpr size_t kMaxTableEntries = size_t(1) << 24; // 128 MiB of draw table
// Where at least this share of all passwords is valid, drawing whole passwords and drawing again
// costs less than the table's steps.
constexpr double kRejectionAcceptance = 0.25;
// Below this share of valid passwords, drawing the counts of each group first costs less than
// drawing whole passwords again (see drawByPattern).
constexpr double kPatternAcceptance = 0.6;
constexpr size_t kMaxPatterns = 1 << 13;
constexpr qint32 kMaxPatternLength = 32;
constexpr size_t kMaxPatternGroups = 8;
constexpr quint64 kSaturated = quint64(1) << 62;
constexpr int kMantissaBits = 28;

quint32 RejectBelow(quint32 mantissa) {
    return mantissa == 0 ? 0 : quint32((quint64(1) << 32) % mantissa);
}

int BitWidth(Wide value) {
    const quint64 high = quint64(value >> 64);
    return high ? 64 + std::bit_width(high) : std::bit_width(quint64(value));
}

// Exactly uniform in [0, mantissa << shift): the high part by multiply-and-reject, the low part
// as plain bits.
Wide DrawBelow(quint32 mantissa, quint32 rejectBelow, int shift, RandomSource& source) {
    quint64 product;
    do {
        product = quint64(source.next<quint32>()) * mantissa;
    } while (quint32(product) < rejectBelow);
    Wide value = Wide(product >> 32) << shift;
    if (shift > 32)
        value |= Wide(source.next<quint64>() & ((quint64(1) << shift) - 1));
    else if (shift > 8)
        value |= Wide(source.next<quint32>() & quint32((quint64(1) << shift) - 1));
    else if (shift > 0)
        value |= Wide(source.next<quint8>() & quint8((1u << shift) - 1));
    return value;
}

} // namespace

PasswordLaw::PasswordLaw(const CharacterPool& pool,
                         const std::function<quint32(QStringView)>& setsOf,
                         const std::function<bool(QStringView)>& mayStart, Rules rules,
                         qint32 length)
    : length_(length), rules_(std::move(rules)) {
    poolSize_ = pool.size();
    if (poolSize_ == 0 || length_ <= 0)
        return;
    poolRange_ = IndexRange(poolSize_);
    // Distinct characters, in the order they first appear; a pool of code points is read
    // without making a text of every entry.
    std::vector<qint64> entries;
    entryCharacter_.reserve(size_t(poolSize_));
    const auto addCharacter = [&](const QString& text, char32_t point) {
        texts_.push_back(text);
        points_.push_back(point);
        entries.push_back(0);
        return qint32(texts_.size() - 1);
    };
    if (!pool.isClustered()) {
        QHash<char32_t, qint32> index;
        index.reserve(std::min<qsizetype>(poolSize_, 1 << 16));
        for (qsizetype i = 0; i < poolSize_; ++i) {
            const char32_t point = pool.at(i);
            auto it = index.find(point);
            if (it == index.end())
                it = index.insert(point, addCharacter(QString::fromUcs4(&point, 1), point));
            ++entries[size_t(*it)];
            entryCharacter_.push_back(*it);
        }
    } else {
        QHash<QString, qint32> index;
        for (qsizetype i = 0; i < poolSize_; ++i) {
            const QString text = pool.entryText(i);
            auto it = index.find(text);
            if (it == index.end()) {
                char32_t point = 0;
                singlePoints_ = singlePoints_ && IsSingleCodePoint(text, &point);
                it = index.insert(text, addCharacter(text, point));
            }
            ++entries[size_t(*it)];
            entryCharacter_.push_back(*it);
        }
    }
    // Groups: characters the rules cannot tell apart.
    std::map<std::tuple<quint32, qint64, bool>, qint32> groupOf;
    for (size_t c = 0; c < texts_.size(); ++c) {
        quint32 sets = setsOf(texts_[c]);
        for (size_t j = 0; j < rules_.minimums.size(); ++j) {
            if (rules_.minimums[j] <= 0)
                sets &= ~(quint32(1) << j);
        }
        const bool first = !rules_.firstRestricted || mayStart(texts_[c]);
        const auto key = std::make_tuple(sets, entries[c], first);
        auto it = groupOf.find(key);
        if (it == groupOf.end()) {
            it = groupOf.emplace(key, qint32(groups_.size())).first;
            Group group;
            group.entries = entries[c];
            group.sets = sets;
            group.mayStart = first;
            groups_.push_back(group);
        }
        Group& group = groups_[size_t(it->second)];
        characterGroup_.push_back(it->second);
        characterSlot_.push_back(qint32(group.characters.size()));
        group.characters.push_back(qint32(c));
    }
    for (Group& group : groups_) {
        const qsizetype d = qsizetype(group.characters.size());
        group.any = IndexRange(d);
        group.other = IndexRange(std::max<qsizetype>(d - 1, 1));
        uniformTexts_ = uniformTexts_ && group.entries == groups_.front().entries;
        smallGroups_ = smallGroups_ && group.any.bytes() == 1;
    }
    buildStates();
    if (tooComplex_)
        return;
    for (auto& out : transitions_) {
        for (Transition& t : out)
            t.weight = quint32(weight(t, Weighting::Entries));
    }
    bmpPoints_ = pool.isBmpOnly();
    if (bmpPoints_) {
        for (Group& group : groups_) {
            for (qint32 c : group.characters)
                group.units.push_back(char16_t(points_[size_t(c)]));
        }
        if (groups_.size() <= 64) {
            for (qint32 c : entryCharacter_) {
                entryUnit_.push_back(char16_t(points_[size_t(c)]));
                entryGroup_.push_back(quint8(characterGroup_[size_t(c)]));
            }
            preparePackedCounts();
        }
    }

    double meanLogEntries = 0;
    log2Count_ = countLog2(Weighting::Entries, uniformTexts_ ? nullptr : &meanLogEntries);
    if (log2Count_ == kNone)
        return;
    acceptance_ = std::exp2(log2Count_ - length_ * std::log2(double(poolSize_)));
    if (uniformTexts_) {
        // Every character has e entries: each password stands for e^length sequences.
        log2Distinct_ = log2Count_ - length_ * std::log2(double(groups_.front().entries));
        entropyBits_ = log2Distinct_;
        collision_ = std::exp2(-log2Distinct_);
    } else {
        entropyBits_ = log2Count_ - meanLogEntries;
        log2Distinct_ = countLog2(Weighting::Texts, nullptr);
        collision_ = std::exp2(countLog2(Weighting::SquaredEntries, nullptr) - 2 * log2Count_);
    }
    if (log2Distinct_ < 62.5)
        distinctExact_ = exactCount();

    if (acceptance_ >= kRejectionAcceptance) {
        if (acceptance_ < kPatternAcceptance)
            preparePatterns();
        return;
    }
    if (size_t(length_) * stateCount_ > kMaxTableEntries) {
        tooComplex_ = true;
        return;
    }
    buildDrawTable();
    useTable_ = true;
    oneGroupRuns_ =
        groups_.size() == 1 && countStates_ == 1 && runLimit_ > 0 && smallGroups_ && bmpPoints_;
    if (oneGroupRuns_)
        prepareOtherBelow();
}

void PasswordLaw::buildStates() {
    const size_t groupCount = groups_.size();
    std::vector<size_t> strides;
    for (qint32 minimum : rules_.minimums) {
        strides.push_back(countStates_);
        countStates_ *= size_t(std::max(minimum, 0)) + 1;
        if (countStates_ > kMaxStates) {
            tooComplex_ = true;
            stateCount_ = countStates_;
            return;
        }
    }
    countAdvance_.resize(countStates_ * groupCount);
    for (size_t cs = 0; cs < countStates_; ++cs) {
        for (size_t g = 0; g < groupCount; ++g) {
            size_t next = cs;
            for (size_t j = 0; j < rules_.minimums.size(); ++j) {
                const size_t cap = size_t(std::max(rules_.minimums[j], 0));
                if ((groups_[g].sets >> j & 1) && (cs / strides[j]) % (cap + 1) < cap)
                    next += strides[j];
            }
            countAdvance_[cs * groupCount + g] = qint32(next);
        }
    }
    runLimit_ = rules_.maxRun > 0 && rules_.maxRun < length_ ? rules_.maxRun : 0;
    runStates_ = runLimit_ ? groupCount * size_t(runLimit_) : 1;
    stateCount_ = countStates_ * runStates_;
    if (stateCount_ > kMaxStates) {
        tooComplex_ = true;
        return;
    }
    const auto state = [&](size_t cs, size_t g, qint32 run) {
        return qint32(cs * runStates_ + (runLimit_ ? g * size_t(runLimit_) + size_t(run - 1) : 0));
    };
    transitions_.resize(stateCount_ + 1);
    for (size_t s = 0; s <= stateCount_; ++s) {
        const bool start = s == stateCount_;
        const size_t cs = start ? 0 : s / runStates_;
        const size_t last = runLimit_ && !start ? (s % runStates_) / size_t(runLimit_) : groupCount;
        const qint32 run = runLimit_ && !start ? qint32(s % size_t(runLimit_)) + 1 : 0;
        std::vector<Transition>& out = transitions_[s];
        for (size_t g = 0; g < groupCount; ++g) {
            if (start && !groups_[g].mayStart)
                continue;
            const size_t next = size_t(countAdvance_[cs * groupCount + g]);
            if (g != last) {
                out.push_back({state(next, g, 1), qint32(g), Kind::Any});
                continue;
            }
            if (groups_[g].characters.size() > 1)
                out.push_back({state(next, g, 1), qint32(g), Kind::Other});
            if (run < runLimit_)
                out.push_back({state(next, g, run + 1), qint32(g), Kind::Same});
        }
    }
}

qint64 PasswordLaw::weight(const Transition& t, Weighting weighting) const {
    const Group& group = groups_[size_t(t.group)];
    qint64 e = 1;
    if (weighting == Weighting::Entries)
        e = group.entries;
    else if (weighting == Weighting::SquaredEntries)
        e = group.entries * group.entries;
    const qint64 d = qint64(group.characters.size());
    switch (t.kind) {
    case Kind::Any:
        return d * e;
    case Kind::Other:
        return (d - 1) * e;
    case Kind::Same:
        break;
    }
    return e;
}

double PasswordLaw::countLog2(Weighting weighting, double* meanLogEntries) const {
    const size_t n = stateCount_;
    std::vector<double> ways(n + 1, 0), next(n + 1, 0);
    std::vector<double> logs, nextLogs; // the dual parts: sum over ways of log2 of the entries
    if (meanLogEntries) {
        logs.assign(n + 1, 0);
        nextLogs.assign(n + 1, 0);
    }
    for (size_t s = 0; s < n; ++s)
        ways[s] = s / runStates_ == countStates_ - 1 ? 1 : 0;
    double scale = 0;
    for (qint32 k = 1; k <= length_; ++k) {
        const size_t last = k == length_ ? n : n - 1; // the start only at the end
        const size_t first = k == length_ ? n : 0;
        double largest = 0;
        for (size_t s = first; s <= last; ++s) {
            double sum = 0;
            double logSum = 0;
            for (const Transition& t : transitions_[s]) {
                const double w = double(weight(t, weighting));
                sum += w * ways[size_t(t.next)];
                if (meanLogEntries)
                    logSum += w * (logs[size_t(t.next)] +
                                   std::log2(double(groups_[size_t(t.group)].entries)) *
                                       ways[size_t(t.next)]);
            }
            next[s] = sum;
            if (meanLogEntries)
                nextLogs[s] = logSum;
            largest = std::max(largest, sum);
        }
        if (largest == 0)
            return kNone;
        const int exponent = std::ilogb(largest);
        for (size_t s = first; s <= last; ++s) {
            next[s] = std::ldexp(next[s], -exponent);
            if (meanLogEntries)
                nextLogs[s] = std::ldexp(nextLogs[s], -exponent);
        }
        scale += exponent;
        std::swap(ways, next);
        if (meanLogEntries)
            std::swap(logs, nextLogs);
    }
    if (ways[n] == 0)
        return kNone;
    if (meanLogEntries)
        *meanLogEntries = logs[n] / ways[n];
    return std::log2(ways[n]) + scale;
}

std::optional<qint64> PasswordLaw::exactCount() const {
    const size_t n = stateCount_;
    std::vector<quint64> ways(n + 1, 0), next(n + 1, 0);
    for (size_t s = 0; s < n; ++s)
        ways[s] = s / runStates_ == countStates_ - 1 ? 1 : 0;
    for (qint32 k = 1; k <= length_; ++k) {
        const size_t first = k == length_ ? n : 0;
        const size_t last = k == length_ ? n : n - 1;
        for (size_t s = first; s <= last; ++s) {
            Wide sum = 0;
            for (const Transition& t : transitions_[s])
                sum += Wide(weight(t, Weighting::Texts)) * ways[size_t(t.next)];
            next[s] = quint64(std::min<Wide>(sum, kSaturated));
        }
        std::swap(ways, next);
    }
    if (ways[n] >= kSaturated)
        return std::nullopt;
    return qint64(ways[n]);
}

void PasswordLaw::buildDrawTable() {
    const size_t n = stateCount_;
    table_.assign(size_t(length_) * n, TableEntry{0, 0});
    rowShift_.assign(size_t(length_) + 1, 0);
    for (size_t s = 0; s < n; ++s) {
        const quint32 m = s / runStates_ == countStates_ - 1 ? 1 : 0;
        table_[s] = {m, RejectBelow(m)};
    }
    std::vector<Wide> sums(n + 1);
    for (qint32 k = 1; k <= length_; ++k) {
        const TableEntry* below = table_.data() + size_t(k - 1) * n;
        const size_t first = k == length_ ? n : 0;
        const size_t last = k == length_ ? n : n - 1;
        Wide largest = 0;
        for (size_t s = first; s <= last; ++s) {
            Wide sum = 0;
            for (const Transition& t : transitions_[s])
                sum += Wide(weight(t, Weighting::Entries)) * below[t.next].mantissa;
            sums[s] = sum;
            largest = std::max(largest, sum);
        }
        // Rounded up, so that no choice is ever favoured; see the class comment.
        const int shift = std::max(0, BitWidth(largest) - kMantissaBits);
        const Wide unit = Wide(1) << shift;
        const auto rounded = [&](Wide sum) {
            const quint32 m = quint32((sum + unit - 1) >> shift);
            return TableEntry{m, RejectBelow(m)};
        };
        rowShift_[size_t(k)] = quint8(shift);
        maxShift_ = std::max(maxShift_, shift);
        if (k == length_) {
            startEntry_ = rounded(sums[n]);
            startShift_ = quint8(shift);
        } else {
            TableEntry* row = table_.data() + size_t(k) * n;
            for (size_t s = 0; s < n; ++s)
                row[s] = rounded(sums[s]);
        }
    }
}

bool PasswordLaw::prepareRanking() {
    if (!distinctExact_ || size_t(length_) * stateCount_ > kMaxTableEntries)
        return false;
    const size_t n = stateCount_;
    rankTable_.assign(size_t(length_) * n, 0);
    for (size_t s = 0; s < n; ++s)
        rankTable_[s] = s / runStates_ == countStates_ - 1 ? 1 : 0;
    for (qint32 k = 1; k < length_; ++k) {
        const quint64* below = rankTable_.data() + size_t(k - 1) * n;
        quint64* row = rankTable_.data() + size_t(k) * n;
        for (size_t s = 0; s < n; ++s) {
            Wide sum = 0;
            for (const Transition& t : transitions_[s])
                sum += Wide(weight(t, Weighting::Texts)) * below[t.next];
            row[s] = quint64(std::min<Wide>(sum, kSaturated));
        }
    }
    return true;
}

QString PasswordLaw::passwordOfRank(qint64 rank) const {
    const size_t n = stateCount_;
    QString text;
    size_t s = n;
    qint32 previous = -1;
    Wide r = Wide(rank);
    for (qint32 k = length_; k >= 1; --k) {
        const quint64* below = rankTable_.data() + size_t(k - 1) * n;
        for (const Transition& t : transitions_[s]) {
            const quint64 m = below[t.next];
            const Wide span = Wide(weight(t, Weighting::Texts)) * m;
            if (r >= span) {
                r -= span;
                continue;
            }
            const qint64 choice = qint64(r / m);
            r %= m;
            const Group& group = groups_[size_t(t.group)];
            qint32 character = previous;
            if (t.kind == Kind::Any) {
                character = group.characters[size_t(choice)];
            } else if (t.kind == Kind::Other) {
                const qint64 slot = characterSlot_[size_t(previous)];
                character = group.characters[size_t(choice >= slot ? choice + 1 : choice)];
            }
            appendCharacter(text, character);
            previous = character;
            s = size_t(t.next);
            break;
        }
    }
    return text;
}

void PasswordLaw::appendCharacter(QString& text, qint32 character) const {
    if (!singlePoints_) {
        text += texts_[size_t(character)];
        return;
    }
    const char32_t c = points_[size_t(character)];
    if (QChar::requiresSurrogates(c)) {
        text += QChar(QChar::highSurrogate(c));
        text += QChar(QChar::lowSurrogate(c));
    } else {
        text += QChar(char16_t(c));
    }
}

qint32 PasswordLaw::pickCharacter(const Transition& t, qint32 previous,
                                  RandomSource& source) const {
    const Group& group = groups_[size_t(t.group)];
    switch (t.kind) {
    case Kind::Any:
        return group.characters[size_t(group.any.draw(source))];
    case Kind::Other: {
        const qsizetype choice = group.other.draw(source);
        const qsizetype slot = characterSlot_[size_t(previous)];
        return group.characters[size_t(choice >= slot ? choice + 1 : choice)];
    }
    case Kind::Same:
        break;
    }
    return previous;
}

QString PasswordLaw::drawStepwise(RandomSource& source,
                                  const std::function<bool()>& afterEachCharacter) const {
    return useTable_ ? drawFromTable(source, afterEachCharacter)
                     : drawByRejection(source, afterEachCharacter);
}

void PasswordLaw::prepareOtherBelow() {
    const size_t n = stateCount_;
    const Group& group = groups_.front();
    const quint64 otherWeight = quint64(group.characters.size() - 1) * quint64(group.entries);
    otherBelow_.assign(size_t(length_) * n, 0);
    sameBelow_.assign(size_t(length_) * n, 0);
    for (size_t k = 1; k < size_t(length_); ++k) {
        const Wide scaled = Wide(otherWeight * table_[(k - 1) * n].mantissa) << 16;
        for (size_t run = 0; run < n; ++run) {
            const quint64 total = quint64(table_[k * n + run].mantissa) << rowShift_[k];
            if (total == 0)
                continue; // a state no password reaches
            // floor(scaled / total) from an estimate, made exact by whole numbers.
            quint64 below = quint64(std::min(65535.0, double(scaled) / double(total)));
            while (below > 0 && Wide(below) * total > scaled)
                --below;
            while (below < 65535 && Wide(below + 1) * total <= scaled)
                ++below;
            otherBelow_[k * n + run] = quint16(below);
            // The prefixes from otherBelow + 1 up to this bound (excluded) lie wholly in the
            // span of the same character again: floor((other + same) 2^16 / count).
            const Wide sameSpan =
                run + 1 < n ? Wide(group.entries) * table_[(k - 1) * n + run + 1].mantissa : 0;
            const Wide sameEnd = (scaled + (sameSpan << 16)) / total;
            sameBelow_[k * n + run] = quint16(std::min<Wide>(sameEnd, 65535));
        }
    }
}

void PasswordLaw::preparePatterns() {
    const size_t groupCount = groups_.size();
    if (runLimit_ || rules_.firstRestricted || entryUnit_.empty() || !smallGroups_ ||
        groupCount > kMaxPatternGroups || length_ > kMaxPatternLength ||
        double(length_) * std::log2(double(poolSize_)) > 120)
        return;
    // The vectors of counts: about C(length + groups - 1, groups - 1).
    double vectors = 1;
    for (size_t g = 1; g < groupCount; ++g)
        vectors = vectors * double(length_ + qint32(g)) / double(g);
    if (vectors > double(kMaxPatterns))
        return;
    std::array<std::array<quint64, kMaxPatternLength + 1>, kMaxPatternLength + 1> choose{};
    for (size_t a = 0; a <= size_t(kMaxPatternLength); ++a) {
        choose[a][0] = 1;
        for (size_t b = 1; b <= a; ++b)
            choose[a][b] = choose[a - 1][b - 1] + (b < a ? choose[a - 1][b] : 0);
    }
    std::vector<qint32> counts(groupCount, 0);
    Wide sum = 0;
    // Every vector of counts in turn, the last group taking what is left.
    const std::function<void(size_t, qint32)> visit = [&](size_t g, qint32 left) {
        if (g + 1 < groupCount) {
            for (qint32 c = 0; c <= left; ++c) {
                counts[g] = c;
                visit(g + 1, left - c);
            }
            return;
        }
        counts[g] = left;
        for (size_t j = 0; j < rules_.minimums.size(); ++j) {
            qint32 members = 0;
            for (size_t h = 0; h < groupCount; ++h)
                members += groups_[h].sets >> j & 1 ? counts[h] : 0;
            if (members < rules_.minimums[j])
                return;
        }
        Wide ways = 1;
        qint32 places = length_;
        for (size_t h = 0; h < groupCount; ++h) {
            ways *= choose[size_t(places)][size_t(counts[h])];
            places -= counts[h];
            const quint64 entries =
                quint64(groups_[h].characters.size()) * quint64(groups_[h].entries);
            for (qint32 c = 0; c < counts[h]; ++c)
                ways *= entries;
        }
        sum += ways;
        patternCumulative_.push_back(sum);
        patternCounts_.insert(patternCounts_.end(), counts.begin(), counts.end());
    };
    visit(0, length_);
    if (patternCumulative_.empty())
        return;
    patternMask_ = (Wide(1) << BitWidth(sum)) - 1;
    for (qint32 k = 0; k <= length_; ++k)
        placeRanges_.emplace_back(std::max(k, 1));
}

void PasswordLaw::preparePackedCounts() {
    constexpr int kFields = 4;
    constexpr qint32 kBias = 0x8000;
    if (length_ >= kBias)
        return;
    std::vector<int> fieldOf(rules_.minimums.size(), -1);
    int fields = 0;
    for (size_t j = 0; j < rules_.minimums.size(); ++j) {
        if (rules_.minimums[j] <= 0)
            continue;
        if (fields == kFields)
            return;
        fieldOf[j] = fields++;
    }
    quint64 ones = 0;
    for (size_t j = 0; j < fieldOf.size(); ++j) {
        if (fieldOf[j] < 0)
            continue;
        const int shift = 16 * fieldOf[j];
        ones |= quint64(1) << shift;
        countHigh_ |= quint64(kBias) << shift;
        countStart_ |= quint64(kBias - rules_.minimums[j] + length_) << shift;
    }
    for (const quint8 g : entryGroup_) {
        quint64 members = 0;
        for (size_t j = 0; j < fieldOf.size(); ++j) {
            if (fieldOf[j] >= 0 && (groups_[g].sets >> j & 1))
                members |= quint64(1) << (16 * fieldOf[j]);
        }
        entrySteps_.push_back(members - ones); // one more member, one character fewer to come
    }
}

bool PasswordLaw::meetsMinimums(const std::array<qint32, 64>& perGroup) const {
    for (size_t j = 0; j < rules_.minimums.size(); ++j) {
        qint32 total = 0;
        for (size_t g = 0; g < groups_.size(); ++g) {
            if (groups_[g].sets >> j & 1)
                total += perGroup[g];
        }
        if (total < rules_.minimums[j])
            return false;
    }
    return true;
}

QString PasswordLaw::drawByRejection(RandomSource& source,
                                     const std::function<bool()>& hook) const {
    const size_t setCount = rules_.minimums.size();
    std::vector<qint32> counts(setCount);
    QString text;
    for (;;) {
        text.clear();
        text.reserve(length_);
        std::fill(counts.begin(), counts.end(), 0);
        qint32 previous = -1;
        qint32 run = 0;
        bool broken = false;
        for (qint32 i = 0; i < length_ && !broken; ++i) {
            source.reseedFromClock();
            const qint32 c = entryCharacter_[size_t(poolRange_.draw(source))];
            const Group& group = groups_[size_t(characterGroup_[size_t(c)])];
            run = c == previous ? run + 1 : 1;
            broken = (i == 0 && !group.mayStart) || (runLimit_ && run > runLimit_);
            for (size_t j = 0; j < setCount; ++j)
                counts[j] += group.sets >> j & 1;
            previous = c;
            appendCharacter(text, c);
            if (hook())
                return text;
        }
        if (broken)
            continue;
        bool met = true;
        for (size_t j = 0; j < setCount; ++j)
            met = met && counts[j] >= rules_.minimums[j];
        if (met)
            return text;
    }
}

QString PasswordLaw::drawFromTable(RandomSource& source, const std::function<bool()>& hook) const {
    const size_t n = stateCount_;
    QString text;
    for (;;) {
        text.clear();
        size_t s = n;
        qint32 previous = -1;
        bool restart = false;
        for (qint32 k = length_; k >= 1 && !restart; --k) {
            source.reseedFromClock();
            const TableEntry entry = k == length_ ? startEntry_ : table_[size_t(k) * n + s];
            const int shift = k == length_ ? startShift_ : rowShift_[size_t(k)];
            const TableEntry* below = table_.data() + size_t(k - 1) * n;
            const Wide value = DrawBelow(entry.mantissa, entry.rejectBelow, shift, source);
            // The common case: every value fits 64 bits.
            const Transition* chosen = shift <= 32
                                           ? transitionAt(quint64(value), transitions_[s], below)
                                           : transitionAt(value, transitions_[s], below);
            if (!chosen) {
                restart = true; // the value fell past every choice: see the class comment
                break;
            }
            previous = pickCharacter(*chosen, previous, source);
            appendCharacter(text, previous);
            s = size_t(chosen->next);
            if (hook())
                return text;
        }
        if (!restart)
            return text;
    }
}
