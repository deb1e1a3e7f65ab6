#pragma once

#include "CharacterPool.h"
#include "IndexDraw.h"
#include "PasswordGenerator.h"
#include "RandomSource.h"

#include <QHash>
#include <QString>
#include <array>
#include <functional>
#include <optional>
#include <vector>

// The passwords a run may put out under its rules, counted exactly and drawn exactly uniformly.
//
// The rules: at least m_j characters of each of a few sets (the classes with a minimum, each-class
// being 1 for every chosen class, or a site's required sets), no character more than maxRun
// times in a row, and a restricted first character. A password is a sequence of pool entries;
// every sequence that meets the rules is equally likely, so a character with two entries is
// twice as likely at any place, as it is without rules.
//
// Counting. Characters that the rules cannot tell apart form a group: the same sets, the same
// number of entries, the same right to stand first. A password is read as a walk through states
// (how many of each set so far, capped at its minimum; with a run rule also the group of the last
// character and the length of its run), and the number of ways to finish from each state with k
// characters left obeys a linear recurrence over k. Its value at the start is the number of
// valid passwords: with floating values renormalised every step it is exact to far below the
// printed decimal for any length up to 99,999.
//
// Drawing. Where at least a quarter of all passwords meet the rules, a password is drawn as if
// there were none and drawn again until it meets them (early out at the first broken rule):
// every valid password keeps its share, so the draw is exactly uniform; short passwords whose
// minimums many miss draw the counts of each class first instead (drawByPattern). Where fewer
// than a quarter meet the rules, every character is chosen with the chance of the ways to
// finish after it, from a table of those counts held as 28-bit mantissas rounded up. Rounding up
// makes every choice a little too unlikely, never too likely, so a final exact correction is
// possible: at each step the value drawn may also fall past the sum of the choices, and then the
// password starts over. The chance of a whole password is then (its entries' weights) / (the
// table's count at the start), the same for every valid password: exactly uniform, with a restart
// about once in thousands of passwords.
class PasswordLaw {
public:
    struct Rules {
        std::vector<qint32> minimums; // per set: bit j of a character's sets
        qint32 maxRun = 0;            // 0: no limit
        bool firstRestricted = false; // only characters with mayStart stand first
    };

    // setsOf gives the sets of a pool entry as bits, mayStart whether it may stand first.
    PasswordLaw(const CharacterPool& pool, const std::function<quint32(QStringView)>& setsOf,
                const std::function<bool(QStringView)>& mayStart, Rules rules, qint32 length);

    qint32 length() const { return length_; }
    // No valid password at all.
    bool isEmpty() const { return log2Count_ == kNone; }
    // log2 of the number of valid entry sequences.
    double log2Count() const { return log2Count_; }
    // The Shannon entropy of one password as drawn: log2Count() unless characters repeat in the
    // pool.
    double entropyBits() const { return entropyBits_; }
    // The number of distinct valid passwords when below 2^62.
    std::optional<qint64> distinctCount() const { return distinctExact_; }
    // True when every distinct valid password is equally likely (no character has more entries
    // than another).
    bool isUniformOverTexts() const { return uniformTexts_; }
    // The chance that two passwords drawn independently are the same.
    double collisionChance() const { return collision_; }

    // Too many states for a table this long: the rules cannot be drawn at this length.
    bool tooComplex() const { return tooComplex_; }
    // The number of counting states (for a refusal's message).
    qint64 stateCount() const { return qint64(stateCount_); }

    // One valid password; afterEachCharacter() after each character, and when it answers true
    // the characters drawn so far come back.
    template <typename Hook> QString draw(RandomSource& source, Hook&& afterEachCharacter) const {
        if (isEmpty() || tooComplex_)
            return QString();
        if (!useTable_ && !patternCumulative_.empty())
            return drawByPattern(source, afterEachCharacter);
        if (!useTable_ && !entrySteps_.empty()) {
            switch (poolRange_.bytes()) {
            case 1:
                return runLimit_ ? drawByPackedCounts<quint8, true>(source, afterEachCharacter)
                                 : drawByPackedCounts<quint8, false>(source, afterEachCharacter);
            case 2:
                return runLimit_ ? drawByPackedCounts<quint16, true>(source, afterEachCharacter)
                                 : drawByPackedCounts<quint16, false>(source, afterEachCharacter);
            default:
                break;
            }
        }
        if (!useTable_ && !entryGroup_.empty()) {
            switch (poolRange_.bytes()) {
            case 1:
                return drawBmpByRejection<quint8>(source, afterEachCharacter);
            case 2:
                return drawBmpByRejection<quint16>(source, afterEachCharacter);
            default:
                break;
            }
        }
        if (useTable_ && bmpPoints_ && maxShift_ <= 24) {
            if (oneGroupRuns_)
                return drawRunsOfOneGroup(source, afterEachCharacter);
            return smallGroups_ ? drawBmpFromTable<true>(source, afterEachCharacter)
                                : drawBmpFromTable<false>(source, afterEachCharacter);
        }
        return drawStepwise(source, std::function<bool()>(afterEachCharacter));
    }

    // The password of rank r (0 <= r < distinctCount()) in one fixed order of the distinct valid
    // passwords; only where distinctCount() is known and tables fit (canRank()).
    bool canRank() const { return !rankTable_.empty(); }
    QString passwordOfRank(qint64 rank) const;
    // Builds the rank table when the distinct count is known; false when it cannot.
    bool prepareRanking();

    static constexpr double kNone = -1e300;

private:
    enum class Kind : quint8 { Any, Other, Same };
    struct Transition {
        qint32 next;
        qint32 group;
        Kind kind;
        quint32 weight = 0; // entries it stands for (Weighting::Entries)
    };
    struct Group {
        std::vector<qint32> characters; // distinct characters
        std::vector<char16_t> units;    // their code units, for pools of BMP code points
        qint64 entries = 1;             // entries of each
        quint32 sets = 0;
        bool mayStart = true;
        IndexRange any{1};
        IndexRange other{1};
    };
    struct TableEntry {
        quint32 mantissa;
        quint32 rejectBelow; // 2^32 mod mantissa
    };
    enum class Weighting { Entries, Texts, SquaredEntries };
    __extension__ typedef unsigned __int128 Wide;

    // The transition whose span holds value, each spanning its weight times the count of the
    // row below it (below: that row of the table); none when value lies past them all.
    template <typename Value>
    static const Transition* transitionAt(Value value, const std::vector<Transition>& transitions,
                                          const TableEntry* below) {
        for (const Transition& t : transitions) {
            const Value span = Value(t.weight) * below[t.next].mantissa;
            if (value < span)
                return &t;
            value -= span;
        }
        return nullptr;
    }

    void buildStates();
    qint64 weight(const Transition& t, Weighting weighting) const;
    // log2 of the count from the start, and with dual values the mean log2 of the entries.
    double countLog2(Weighting weighting, double* meanLogEntries) const;
    std::optional<qint64> exactCount() const;
    void buildDrawTable();
    QString drawStepwise(RandomSource& source, const std::function<bool()>& hook) const;
    QString drawByRejection(RandomSource& source, const std::function<bool()>& hook) const;
    // Short passwords whose minimums many miss, without runs or a first character: the counts
    // of each group are drawn first, each vector n of counts that meets the minimums with its
    // number of entry sequences W(n) = L! / prod n_g! * prod E_g^n_g (E_g the entries of group
    // g), then each group's characters, uniform within the group, then their places by a
    // shuffle (every arrangement of the counts equally likely). A password x of counts n comes
    // with chance W(n) / T * prod n_g! / L! * prod (1 / d_g)^n_g = (entries of x) / T (d_g the
    // characters of g, each with E_g / d_g entries; T the sum of W), its share of the valid
    // entry sequences: the law itself, with no character drawn in vain.
    template <typename Hook>
    [[gnu::noinline]] QString drawByPattern(RandomSource& source, Hook& afterEachCharacter) const {
        const qint32 length = length_;
        const size_t groupCount = groups_.size();
        QString text(length, Qt::Uninitialized);
        QChar* const out = text.data();
        source.reseedFromClock();
        Wide value;
        do {
            const quint64 low = source.next<quint64>();
            const quint64 high = source.next<quint64>();
            value = ((Wide(high) << 64) | low) & patternMask_;
        } while (value >= patternCumulative_.back());
        // The first running sum above value, by halves without a branch to mispredict.
        const Wide* const sums = patternCumulative_.data();
        size_t first = 0;
        for (size_t size = patternCumulative_.size(); size > 1;) {
            const size_t half = size / 2;
            first = sums[first + half - 1] <= value ? first + half : first;
            size -= half;
        }
        const qint32* const counts = patternCounts_.data() + first * groupCount;
        // Each group's characters in a row, then shuffled into places: every arrangement of
        // the groups equally likely, each character uniform within its group wherever it lands.
        RandomSource::Reader reader(source);
        size_t g = 0;
        qint32 leftInGroup = counts[0];
        qint32 i = 0;
        while (i < length) {
            const qint32 end = i + source.reseedFromClockFor(length - i);
            reader.resync();
            for (; i < end; ++i) {
                while (leftInGroup == 0)
                    leftInGroup = counts[++g];
                --leftInGroup;
                const Group& group = groups_[g];
                out[i] = QChar(group.units[size_t(group.any.draw<quint8>(reader))]);
                reader.store();
                if (std::invoke(afterEachCharacter)) {
                    text.truncate(i + 1);
                    return text;
                }
                reader.resync();
            }
        }
        source.reseedFromClock();
        reader.resync();
        for (qint32 k = length; k > 1; --k) {
            const qsizetype j = placeRanges_[size_t(k)].draw<quint8>(reader);
            std::swap(out[k - 1], out[j]);
        }
        reader.store();
        return text;
    }
    void preparePatterns();
    void prepareOtherBelow();

    // Where a uniform real U in [0, 1) falls among the spans of one step, read a few bits at a
    // time: 0 below first / total, 1 below second / total, 2 beyond (total the state's count,
    // first <= second <= total). The first 16 bits are prefix; U lies in [P, P + 1) / 2^b, and
    // for each boundary B the gap d = B 2^b - P total tells the side: U below B / total for
    // every U of the interval when d >= total, above when d <= 0. Kept within [0, total] once
    // known, each gap fits 128 bits as more bits come.
    static int locate(quint64 prefix, quint64 total, quint64 first, quint64 second,
                      RandomSource::Reader& reader) {
        __extension__ typedef __int128 Signed;
        const Signed t = Signed(total);
        Signed below = (Signed(first) << 16) - Signed(prefix) * t;
        Signed beyond = (Signed(second) << 16) - Signed(prefix) * t;
        for (;;) {
            below = std::clamp<Signed>(below, 0, t);
            beyond = std::clamp<Signed>(beyond, 0, t);
            if (below == t)
                return 0;
            if (beyond == 0)
                return 2;
            if (below == 0 && beyond == t)
                return 1;
            const Signed x = reader.next<quint32>();
            below = (below << 32) - x * t;
            beyond = (beyond << 32) - x * t;
        }
    }

    // The table's draw where the only rule is the longest run and every character is alike to
    // it (one group of at most 256): the state is the length of the last run, the choices are
    // another character (first) or the same one again, or from the start any character, each
    // with the chance of its span in the state's count, as in drawFromTable. Rather than a value
    // in [0, count), a real in [0, 1) is compared with the spans' shares of the count, by as
    // few of its bits as decide: mostly 16 (see locate).
    // The choice of drawRunsOfOneGroup at row k after a run of run + 1 where the prefix alone
    // does not decide (see locate): 0 another character, 1 the same again, 2 past every choice.
    [[gnu::noinline]] int runChoice(quint64 prefix, size_t k, size_t run,
                                    RandomSource::Reader& reader) const {
        const size_t n = stateCount_;
        const Group& group = groups_.front();
        const TableEntry* const below = table_.data() + (k - 1) * n;
        const quint64 total = quint64(below[n + run].mantissa) << rowShift_[k];
        const quint64 otherSpan =
            quint64(group.characters.size() - 1) * quint64(group.entries) * below[0].mantissa;
        const quint64 sameSpan = run + 1 < n ? quint64(group.entries) * below[run + 1].mantissa : 0;
        return locate(prefix, total, otherSpan, otherSpan + sameSpan, reader);
    }

    template <typename Hook>
    [[gnu::noinline]] QString drawRunsOfOneGroup(RandomSource& source,
                                                 Hook& afterEachCharacter) const {
        const size_t n = stateCount_; // one state a run length
        const qint32 length = length_;
        QString text(length, Qt::Uninitialized);
        QChar* const out = text.data();
        const Group& group = groups_.front();
        const char16_t* const units = group.units.data();
        const IndexRange any = group.any;
        const IndexRange other = group.other;
        const TableEntry* const table = table_.data();
        const quint16* const otherBelow = otherBelow_.data();
        const quint16* const sameBelow = sameBelow_.data();
        for (;;) {
            RandomSource::Reader reader(source);
            // The first character: any of the group, or past every choice.
            source.reseedFromClock();
            reader.resync();
            const quint64 anySpan = quint64(group.characters.size()) * quint64(group.entries) *
                                    table[size_t(length - 1) * n].mantissa;
            const quint64 startTotal = quint64(startEntry_.mantissa) << startShift_;
            if (locate(reader.next<quint16>(), startTotal, anySpan, anySpan, reader) != 0) {
                reader.store();
                continue; // see the class comment
            }
            qsizetype slot = any.draw<quint8>(reader);
            out[0] = QChar(units[slot]);
            reader.store();
            if (std::invoke(afterEachCharacter)) {
                text.truncate(1);
                return text;
            }
            size_t run = 0; // the last run's length less one
            bool restart = false;
            qint32 i = 1;
            while (i < length && !restart) {
                const qint32 end = i + source.reseedFromClockFor(length - i);
                reader.resync();
                for (; i < end; ++i) {
                    const size_t k = size_t(length - i);
                    const quint64 prefix = reader.next<quint16>();
                    int choice = 0;
                    const quint64 otherEnd = otherBelow[k * n + run];
                    if (prefix >= otherEnd) [[unlikely]]
                        choice = prefix > otherEnd && prefix < sameBelow[k * n + run]
                                     ? 1
                                     : runChoice(prefix, k, run, reader);
                    if (choice == 0) {
                        const qsizetype pick = other.draw<quint8>(reader);
                        slot = pick + (pick >= slot ? 1 : 0);
                        run = 0;
                    } else if (choice == 1) {
                        ++run;
                    } else {
                        restart = true; // past every choice (see the class comment)
                        break;
                    }
                    out[i] = QChar(units[slot]);
                    reader.store();
                    if (std::invoke(afterEachCharacter)) {
                        text.truncate(i + 1);
                        return text;
                    }
                    reader.resync();
                }
            }
            reader.store();
            if (!restart)
                return text;
        }
    }

    // The table's draw for pools of BMP code points whose rows grow by at most 2^24: every value
    // fits 64 bits, the keystream is read through the loop's own cursor and the hook inlined.
    // The same law as drawFromTable (see the class comment). The value drawn is the high part
    // (a cell of 2^shift values) and the low bits; the low bits are drawn only when the cell
    // does not lie within one choice's span, since otherwise every low part gives that choice.
    template <bool SmallGroups, typename Hook>
    [[gnu::noinline]] QString drawBmpFromTable(RandomSource& source,
                                               Hook& afterEachCharacter) const {
        const size_t n = stateCount_;
        QString text(length_, Qt::Uninitialized);
        QChar* const out = text.data();
        const auto pick = [](const IndexRange& range, RandomSource::Reader& reader) {
            if constexpr (SmallGroups)
                return range.draw<quint8>(reader);
            else
                return range.draw(reader);
        };
        const TableEntry* const table = table_.data();
        const quint8* const rowShift = rowShift_.data();
        const std::vector<Transition>* const transitions = transitions_.data();
        const Group* const groups = groups_.data();
        for (;;) {
            size_t s = n;
            // The last character as its place in its group, so that the next one, drawn from
            // the others of the group, needs no lookup of where the last one stands.
            qsizetype slot = 0;
            bool restart = false;
            qint32 i = 0;
            RandomSource::Reader reader(source);
            while (i < length_ && !restart) {
                const qint32 end = i + source.reseedFromClockFor(length_ - i);
                reader.resync();
                for (; i < end; ++i) {
                    const qint32 k = length_ - i;
                    const TableEntry entry = k == length_ ? startEntry_ : table[size_t(k) * n + s];
                    const int shift = k == length_ ? startShift_ : rowShift[size_t(k)];
                    quint64 product;
                    do {
                        product = quint64(reader.template next<quint32>()) * entry.mantissa;
                    } while (quint32(product) < entry.rejectBelow);
                    quint64 value = (product >> 32) << shift;
                    const quint64 cellEnd = (quint64(1) << shift) - 1; // past value, in the cell
                    bool lowDrawn = shift == 0;
                    const TableEntry* below = table + size_t(k - 1) * n;
                    const Transition* chosen = nullptr;
                    for (const Transition& t : transitions[s]) {
                        const quint64 span = quint64(t.weight) * below[t.next].mantissa;
                        if (value < span) {
                            if (!lowDrawn && value + cellEnd >= span) [[unlikely]] {
                                value += shift > 8 ? reader.template next<quint32>() & cellEnd
                                                   : reader.template next<quint8>() & cellEnd;
                                lowDrawn = true;
                                if (value >= span) {
                                    value -= span;
                                    continue;
                                }
                            }
                            chosen = &t;
                            break;
                        }
                        value -= span;
                    }
                    if (!chosen) {
                        restart = true; // past every choice: start over (see the class comment)
                        break;
                    }
                    const Group& group = groups[chosen->group];
                    if (chosen->kind == Kind::Any) {
                        slot = pick(group.any, reader);
                    } else if (chosen->kind == Kind::Other) {
                        const qsizetype choice = pick(group.other, reader);
                        slot = choice + (choice >= slot ? 1 : 0);
                    }
                    out[i] = QChar(group.units[size_t(slot)]);
                    s = size_t(chosen->next);
                    reader.store();
                    if (std::invoke(afterEachCharacter)) {
                        text.truncate(i + 1);
                        return text;
                    }
                    reader.resync();
                }
            }
            reader.store();
            if (!restart)
                return text;
        }
    }

    void preparePackedCounts();
    // Whether counts per group meet every minimum.
    bool meetsMinimums(const std::array<qint32, 64>& perGroup) const;

    // Whole passwords drawn entry by entry and judged as they grow, for pools of BMP code points:
    // the loop of the generator itself, a broken run or first character ending a try at once.
    template <typename UInt, typename Hook>
    QString drawBmpByRejection(RandomSource& source, Hook& afterEachCharacter) const {
        QString text(length_, Qt::Uninitialized);
        QChar* out = text.data();
        // Locals, so the stores into the text cannot make the compiler read them again.
        const char16_t* const units = entryUnit_.data();
        const quint8* const groupOf = entryGroup_.data();
        const qint32 runLimit = runLimit_;
        const IndexRange range = poolRange_;
        std::array<qint32, 64> perGroup;
        for (;;) {
            std::fill_n(perGroup.begin(), groups_.size(), 0);
            char16_t previous = 0;
            qint32 run = 0;
            qint32 i = 0;
            bool broken = false;
            RandomSource::Reader reader(source);
            while (i < length_ && !broken) {
                const qint32 end = i + source.reseedFromClockFor(length_ - i);
                reader.resync(); // a new clock value refills the buffer
                for (; i < end; ++i) {
                    const qsizetype entry = range.draw<UInt>(reader);
                    reader.store();
                    const char16_t unit = units[entry];
                    const quint8 group = groupOf[entry];
                    run = unit == previous ? run + 1 : 1;
                    previous = unit;
                    ++perGroup[group];
                    out[i] = QChar(unit);
                    if (std::invoke(afterEachCharacter)) {
                        text.truncate(i + 1);
                        return text;
                    }
                    reader.resync(); // in case the hook drew from the same source
                    if ((runLimit && run > runLimit) || (i == 0 && !groups_[group].mayStart)) {
                        broken = true;
                        break;
                    }
                }
            }
            if (!broken && meetsMinimums(perGroup))
                return text;
        }
    }
    // The same draw with the counts of up to four sets packed in one word, 16 bits a set: each
    // field holds 0x8000 - minimum + members so far + characters still to come, so its top bit
    // clears the moment the minimum can no longer be met, and the try ends there. Stopping early
    // only leaves out characters that could not change the verdict; the next try reads on from
    // the keystream, whose every byte is independent of the ones before.
    // Kept out of line: inlined into a caller's loop, the counts lose their register.
    template <typename UInt, bool Runs, typename Hook>
    [[gnu::noinline]] QString drawByPackedCounts(RandomSource& source,
                                                 Hook& afterEachCharacter) const {
        QString text(length_, Qt::Uninitialized);
        QChar* const out = text.data();
        const char16_t* const units = entryUnit_.data();
        const quint64* const steps = entrySteps_.data();
        const quint8* const groupOf = entryGroup_.data();
        const quint64 high = countHigh_;
        const qint32 runLimit = runLimit_;
        const IndexRange range = poolRange_;
        for (;;) {
            quint64 counts = countStart_;
            char16_t previous = 0;
            qint32 run = 0;
            qint32 i = 0;
            bool broken = false;
            RandomSource::Reader reader(source);
            while (i < length_ && !broken) {
                const qint32 end = i + source.reseedFromClockFor(length_ - i);
                reader.resync(); // a new clock value refills the buffer
                for (; i < end; ++i) {
                    const qsizetype entry = range.draw<UInt>(reader);
                    reader.store();
                    const char16_t unit = units[entry];
                    counts += steps[entry];
                    out[i] = QChar(unit);
                    if (std::invoke(afterEachCharacter)) [[unlikely]] {
                        text.truncate(i + 1);
                        return text;
                    }
                    reader.resync(); // in case the hook drew from the same source
                    if constexpr (Runs) {
                        run = unit == previous ? run + 1 : 1;
                        previous = unit;
                        broken = run > runLimit;
                    }
                    broken = broken || (counts & high) != high ||
                             (i == 0 && !groups_[groupOf[entry]].mayStart);
                    if (broken)
                        break;
                }
            }
            if (!broken)
                return text;
        }
    }
    QString drawFromTable(RandomSource& source, const std::function<bool()>& hook) const;
    void appendCharacter(QString& text, qint32 character) const;
    qint32 pickCharacter(const Transition& t, qint32 previous, RandomSource& source) const;

    qint32 length_;
    Rules rules_;
    // The pool read as distinct characters.
    std::vector<QString> texts_;
    std::vector<char32_t> points_; // when every character is one code point
    bool singlePoints_ = true;
    std::vector<qint32> entryCharacter_; // pool entry -> distinct character
    std::vector<qint32> characterGroup_;
    std::vector<qint32> characterSlot_; // its place in its group
    std::vector<Group> groups_;
    qint64 poolSize_ = 0;
    // The states: count state * runStates_ + run state; the start is stateCount_.
    size_t countStates_ = 1;
    size_t runStates_ = 1;
    size_t stateCount_ = 1;
    qint32 runLimit_ = 0;              // maxRun when it can matter, else 0
    std::vector<qint32> countAdvance_; // count state * groups + group -> count state
    std::vector<std::vector<Transition>> transitions_; // per state, the start last

    double log2Count_ = kNone;
    double entropyBits_ = 0;
    double log2Distinct_ = kNone;
    double collision_ = 0;
    double acceptance_ = 0;
    std::optional<qint64> distinctExact_;
    bool uniformTexts_ = true;
    bool tooComplex_ = false;
    bool useTable_ = false;
    IndexRange poolRange_{1};
    bool bmpPoints_ = false; // every entry is one code point of the BMP
    // For pools of BMP code points and at most 64 groups: each entry's unit and group.
    std::vector<char16_t> entryUnit_;
    std::vector<quint8> entryGroup_;
    // With at most four sets that have a minimum and a length below 2^15: each entry's step of
    // the packed counts (see drawByPackedCounts), their start and their top bits.
    std::vector<quint64> entrySteps_;
    bool smallGroups_ = true;   // no group has more than 256 characters
    bool oneGroupRuns_ = false; // see drawRunsOfOneGroup
    // For drawRunsOfOneGroup, per row and state: the 16-bit prefixes below this many decide
    // another character at once (floor(span 2^16 / count), at most 65,535).
    std::vector<quint16> otherBelow_;
    // ... and those above otherBelow and below this many decide the same character again.
    std::vector<quint16> sameBelow_;
    // See drawByPattern: the running sums of W over the vectors of counts that meet the
    // minimums, the vectors (a count a group), a mask over the bits of the sum and the ranges
    // 0..k for k places left.
    std::vector<Wide> patternCumulative_;
    std::vector<qint32> patternCounts_;
    Wide patternMask_ = 0;
    std::vector<IndexRange> placeRanges_;
    quint64 countStart_ = 0;
    quint64 countHigh_ = 0;

    // Row k: the ways to finish from each state with k characters left (k < length).
    std::vector<TableEntry> table_;
    std::vector<quint8> rowShift_; // row k's scale over row k - 1's, in bits
    TableEntry startEntry_{0, 0};
    quint8 startShift_ = 0;
    int maxShift_ = 0;
    // Exact counts of distinct passwords for ranking, row-major as table_.
    std::vector<quint64> rankTable_;
};
