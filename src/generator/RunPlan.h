#pragma once

#include "CharacterPool.h"
#include "EachClass.h"
#include "GenerationOptions.h"
#include "PasswordGenerator.h"
#include "PasswordLaw.h"
#include "PasswordRules.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <array>
#include <memory>
#include <optional>
#include <variant>

// Every rule a run depends on, in one place for the window and keymill-cli: from what the user
// asks for to the pool and rule the run draws from, or the rule that refuses it.

// What one run asks for: the character options, then length and count as the user gave them.
struct RunRequest {
    GenerationOptions characters;
    bool noSimilar = false; // remove the look-alike characters after the extra and excluded ones
    bool eachClass = false; // every chosen class appears in every password
    qint64 length = 0;
    qint64 count = 1;
    ClassMinimums minimums; // at least so many of each class
    qint32 maxRun = 0;      // no character more than this many times in a row (0: any)
    FirstCharacter first = FirstCharacter::Any;
    // A site's rules: its characters replace the classes and the extra text (the excluded text
    // and the look-alikes still leave), its required sets and its longest run apply.
    std::optional<SiteRules> siteRules;
    bool unique = false; // no password twice in the run
};

// The rules that can refuse a run, with the value each names. The first four judge the texts of
// the window's number boxes before any plan (value 0); keymill-cli reads its numbers itself.
enum class RunRule {
    LengthDigitsOnly, // the length box holds a character other than "0".."9"
    CountDigitsOnly,  // the count box holds a character other than "0".."9"
    LengthNotZero,    // the length box holds only zeros
    CountNotZero,     // the count box holds only zeros
    LengthInRange,    // value: the length asked for (1..kMaxPasswordLength allowed)
    CountInRange,     // value: the count asked for (1..kMaxPasswordCount allowed)
    EachClassLeft,   // value: the chosen classes (EachClassRule::Class bits) with no character left
    EachClassLength, // value: the number of chosen classes, more than the length
    AnyCharacterLeft, // value: 0; the options leave no character to draw from
    // The rules of real sites.
    SiteMinLength,    // value: the rules' minlength, above the length asked for
    SiteMaxLength,    // value: the rules' maxlength, below the length asked for
    SiteRequiredLeft, // value: which "required" (0 the first) has no character left
    MinimumLeft, // value: the classes (EachClassRule::Class bits) with a minimum and no character
    MinimumsLength,   // value: the sum of the minimums, which no password of the length can hold
    MaxRunUnmeetable, // value: the longest run, too short for the characters left
    FirstUnmeetable,  // value: the FirstCharacter rule, met by no character left
    RulesTooComplex,  // value: the number of counting states the rules need at this length
    UniqueCount,      // value: the number of distinct passwords, fewer than the count asked for
};

struct RunRefusal {
    RunRule rule;
    qint64 value = 0;
    bool operator==(const RunRefusal&) const = default;
};

// What a run draws from; never an empty pool, which is refused (a run that makes nothing would
// report success and, in the window, throw away the last list).
struct RunPlan {
    CharacterPool pool;
    EachClassRule rule; // chooses no class unless each-class was asked for
    qint32 length = 0;
    qint32 count = 0;
    double entropyBits = 0; // of one password as the run draws it
    // The valid passwords, counted, and the draw under the rules; null for an empty pool.
    std::shared_ptr<const PasswordLaw> law;
    bool hasRules = false; // a minimum, a run, a first character or a site's rules apply
    bool unique = false;
};

using RunPlanOutcome = std::variant<RunPlan, RunRefusal>;

// Checks the request in this order: length, count, the site's length, a pool with no character
// left, then (with each-class) a class with no character left and a length shorter than the
// number of classes, then a minimum or required set with no character left, then rules no
// password meets (the longest run, the first character, the minimums, in that order of blame),
// rules too complex to draw, and with unique a count above the number of distinct passwords.
RunPlanOutcome PlanRun(const RunRequest& request);

// Memory for the large blocks of a run: where the system offers pages of 2 MiB, a block of that
// size or more is placed on them, so that filling it costs a page fault per 2 MiB instead of one
// per 4 KiB.
void* AllocateLargeBlock(size_t bytes);
void FreeLargeBlock(void* block, size_t bytes);
template <typename T> struct LargeBlockAllocator {
    using value_type = T;
    LargeBlockAllocator() = default;
    template <typename U> LargeBlockAllocator(const LargeBlockAllocator<U>&) {}
    T* allocate(size_t n) { return static_cast<T*>(AllocateLargeBlock(n * sizeof(T))); }
    void deallocate(T* p, size_t n) { FreeLargeBlock(p, n * sizeof(T)); }
    // Growing leaves new elements as they are (no zeros written first where values follow).
    template <typename U> void construct(U* p) noexcept { ::new (static_cast<void*>(p)) U; }
    template <typename U, typename... Args> void construct(U* p, Args&&... args) {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }
    bool operator==(const LargeBlockAllocator&) const = default;
};
// The passwords of a run so far, each once: an open-addressing table of 64-bit words, each the
// high bits of the text's hash over the index of the text (plus one) in its low bits, so a
// lookup mostly touches one word and compares texts only where the hash bits match. Short texts
// of one length are copied one after another into one block, a byte a unit while they are all
// Latin-1, which costs far less memory than a string each; longer ones share their data with
// the list instead of being copied.
class DistinctTexts {
public:
    DistinctTexts();
    // Room for count texts; units > 0 when every text will have that many UTF-16 units, narrow
    // when every unit will be below 256 (a text that breaks either is held as a shared string).
    void reserve(qsizetype count, qsizetype units, bool narrow);
    size_t hashOf(QStringView text) const { return qHash(text, seed_); }
    // Starts loading the slot where a text of this hash is looked up first.
    void prefetch(size_t hash) const {
        if (!slots_.empty())
            __builtin_prefetch(slots_.data() + slotOf(hash), 1);
    }
    // False when text (of hashOf(text)) is already held.
    bool insert(const QString& text, size_t hash);

private:
    size_t slotOf(size_t hash) const { return size_t(quint64(hash) >> (64 - slotBits_)); }
    void rebuild(size_t slotCount);
    bool holds(size_t index, QStringView text) const;
    QString textAt(size_t index) const;
    void append(const QString& text);
    // From now on every text as a shared string in shared_.
    void makeShared();

    std::vector<quint64, LargeBlockAllocator<quint64>> slots_; // 0: empty
    int slotBits_ = 1;
    int indexBits_ = 0;
    size_t seed_;
    size_t count_ = 0;
    qsizetype blockUnits_ = 0; // in the block, every text so long; 0: in shared_
    bool narrow_ = false;      // the block holds a byte a unit
    std::vector<char, LargeBlockAllocator<char>> bytes_;
    std::vector<char16_t, LargeBlockAllocator<char16_t>> units_;
    std::vector<QString> shared_;
};

// Draws the passwords of one run in order: through the rules when there are any, and with
// unique never the same password twice. With unique, every list of distinct passwords is
// equally likely where every valid password is (no character has more entries than another);
// otherwise each password keeps the pool's weights among those not yet drawn. When the count
// comes near the number of distinct passwords, they are drawn without replacement by rank.
class RunDraw {
public:
    explicit RunDraw(const RunPlan& plan);
    template <typename Hook> QString next(RandomSource& source, Hook&& afterEachCharacter) {
        // A run without rules draws as it always has, the hook inlined.
        if (!plan_.unique && !plan_.hasRules)
            return GeneratePassword(plan_.pool, plan_.length, source, afterEachCharacter);
        if (!plan_.unique)
            return plan_.law->draw(source, afterEachCharacter);
        if (!plan_.law->canRank())
            return nextDistinct(source, afterEachCharacter);
        return nextByRank(source, std::function<bool()>(afterEachCharacter));
    }

private:
    // Drawn again while already in the list: every list of distinct passwords keeps the chance
    // it had among all lists. Candidates are drawn ahead, so that the lookup of a hash is under
    // way long before its candidate is judged: the candidates are independent draws, each
    // from the same law whatever came before, so taking the first one (in the order drawn) that
    // is not yet in the list gives every password the same chance as drawing it at that moment.
    template <typename Hook> QString nextDistinct(RandomSource& source, Hook& afterEachCharacter) {
        bool stopped = false;
        const auto hook = [&] {
            if (!std::invoke(afterEachCharacter)) [[likely]]
                return false;
            stopped = true; // only here, so the loop of each character keeps its registers
            return true;
        };
        const auto drawOne = [&] {
            Candidate candidate;
            candidate.text = plan_.hasRules
                                 ? plan_.law->draw(source, hook)
                                 : GeneratePassword(plan_.pool, plan_.length, source, hook);
            candidate.hash = seen_.hashOf(candidate.text);
            seen_.prefetch(candidate.hash);
            return candidate;
        };
        for (;;) {
            while (aheadCount_ < kAhead) {
                Candidate candidate = drawOne();
                if (stopped)
                    return candidate.text; // the run ends here: the candidates drawn stay unjudged
                ahead_[(aheadFirst_ + aheadCount_++) % kAhead] = std::move(candidate);
            }
            Candidate candidate = std::move(ahead_[aheadFirst_]);
            aheadFirst_ = (aheadFirst_ + 1) % kAhead;
            --aheadCount_;
            if (seen_.insert(candidate.text, candidate.hash))
                return candidate.text;
        }
    }
    QString nextByRank(RandomSource& source, const std::function<bool()>& afterEachCharacter);

    struct Candidate {
        QString text;
        size_t hash = 0;
    };

    const RunPlan& plan_;
    DistinctTexts seen_;
    // Candidates drawn, not yet judged, in the order drawn: so many that the slot of the first
    // has long been loaded when it is judged.
    static constexpr int kAhead = 4;
    std::array<Candidate, kAhead> ahead_;
    int aheadFirst_ = 0;
    int aheadCount_ = 0;
    QHash<qint64, qint64> swapped_; // a permutation of the ranks, changed where it moved
    qint64 drawn_ = 0;
};

// The chance that the run's list holds some password twice: 0 with unique.
double DuplicateChance(const RunPlan& plan);
// The entropy as keymill-cli -e prints it and the window shows it: one decimal.
QString EntropyFigure(double bits);
