#include "RunPlan.h"

#include "Entropy.h"
#include "LookAlikes.h"
#include "PasswordGenerator.h"
#include "PasswordLimits.h"

#include <QHashSeed>
#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdlib>
#include <new>
#include <sys/mman.h>

namespace {

// The class of each set bit j of the law: the EachClassRule bits in order.
constexpr int kClassSets = 5;

std::array<qint32, kClassSets> MinimumsOf(const RunRequest& request, const EachClassRule& chosen) {
    const ClassMinimums& m = request.minimums;
    std::array<qint32, kClassSets> minimums{m.digits, m.upper, m.lower, m.extra, m.symbols};
    if (request.eachClass) {
        for (int j = 0; j < kClassSets; ++j) {
            if (chosen.requiredClasses() >> j & 1)
                minimums[size_t(j)] = std::max(minimums[size_t(j)], 1);
        }
    }
    return minimums;
}

// The classes a character belongs to, whether chosen or not: a minimum of digits holds even
// where the digits were not chosen, and is refused when none is in the pool.
GenerationOptions MembershipOptions(const RunRequest& request) {
    GenerationOptions options = request.characters;
    options.digits = options.digits || request.minimums.digits > 0;
    options.upper = options.upper || request.minimums.upper > 0;
    options.lower = options.lower || request.minimums.lower > 0;
    return options;
}

struct LawInput {
    EachClassRule classes;
    PasswordLaw::Rules rules;
    std::vector<AsciiSet> required;
};

std::shared_ptr<PasswordLaw> MakeLaw(const CharacterPool& pool, const LawInput& input,
                                     FirstCharacter first, qint32 length) {
    const auto setsOf = [&](QStringView entry) {
        quint32 sets = input.classes.classesOfEntry(entry);
        if (entry.size() == 1 && entry[0].unicode() < 128) {
            for (size_t i = 0; i < input.required.size(); ++i)
                sets |= quint32(input.required[i].test(entry[0].unicode())) << (kClassSets + i);
        }
        return sets;
    };
    const auto mayStart = [&](QStringView entry) { return MayStart(first, entry); };
    return std::make_shared<PasswordLaw>(pool, setsOf, mayStart, input.rules, length);
}

} // namespace

RunPlanOutcome PlanRun(const RunRequest& request) {
    if (request.length < 1 || request.length > kMaxPasswordLength)
        return RunRefusal{RunRule::LengthInRange, request.length};
    if (request.count < 1 || request.count > kMaxPasswordCount)
        return RunRefusal{RunRule::CountInRange, request.count};
    const SiteRules* site = request.siteRules ? &*request.siteRules : nullptr;
    if (site && request.length < site->minLength)
        return RunRefusal{RunRule::SiteMinLength, site->minLength};
    if (site && site->maxLength > 0 && request.length > site->maxLength)
        return RunRefusal{RunRule::SiteMaxLength, site->maxLength};

    RunPlan plan;
    plan.length = qint32(request.length);
    plan.count = qint32(request.count);
    plan.unique = request.unique;
    GenerationOptions characters = request.characters;
    if (site) {
        characters = GenerationOptions();
        characters.extra = true;
        characters.extraText = site->characters();
        characters.exclude = request.characters.exclude;
        characters.excludeText = request.characters.excludeText;
    }
    plan.pool = BuildCharacterPool(characters);
    if (request.noSimilar)
        RemoveLookAlikes(plan.pool);
    if (plan.pool.isEmpty())
        return RunRefusal{RunRule::AnyCharacterLeft, 0};

    LawInput input;
    if (request.eachClass) {
        plan.rule = EachClassRule(characters);
        if (const quint8 missing = plan.rule.classesMissingFrom(plan.pool))
            return RunRefusal{RunRule::EachClassLeft, missing};
        if (plan.length < plan.rule.classCount())
            return RunRefusal{RunRule::EachClassLength, plan.rule.classCount()};
    }
    RunRequest classRequest = request;
    classRequest.characters = characters;
    input.classes = EachClassRule(MembershipOptions(classRequest));
    const auto minimums = MinimumsOf(classRequest, plan.rule);
    quint8 withMinimum = 0;
    for (int j = 0; j < kClassSets; ++j) {
        input.rules.minimums.push_back(minimums[size_t(j)]);
        if (minimums[size_t(j)] > 0)
            withMinimum |= quint8(1 << j);
    }
    // A class with a minimum but no character in the pool (or never chosen) is left.
    EachClassRule present = input.classes;
    quint8 missing = withMinimum & present.classesMissingFrom(plan.pool);
    missing |= withMinimum & ~present.requiredClasses();
    if (missing)
        return RunRefusal{RunRule::MinimumLeft, missing};
    if (site) {
        input.required = site->required;
        const QString pool = plan.pool.toString();
        for (size_t i = 0; i < site->required.size(); ++i) {
            input.rules.minimums.push_back(1);
            const bool any = std::any_of(pool.cbegin(), pool.cend(), [&](QChar c) {
                return c.unicode() < 128 && site->required[i].test(c.unicode());
            });
            if (!any)
                return RunRefusal{RunRule::SiteRequiredLeft, qint64(i)};
        }
    }
    input.rules.maxRun = request.maxRun;
    if (site && site->maxConsecutive > 0)
        input.rules.maxRun = input.rules.maxRun > 0
                                 ? std::min(input.rules.maxRun, site->maxConsecutive)
                                 : site->maxConsecutive;
    input.rules.firstRestricted = request.first != FirstCharacter::Any;
    plan.hasRules = input.rules.maxRun > 0 || input.rules.firstRestricted || withMinimum != 0 ||
                    (site && !site->required.empty());

    auto law = MakeLaw(plan.pool, input, request.first, plan.length);
    if (law->tooComplex())
        return RunRefusal{RunRule::RulesTooComplex, law->stateCount()};
    if (law->isEmpty()) {
        // Blame the rule without which passwords exist.
        LawInput loose = input;
        loose.rules.maxRun = 0;
        if (input.rules.maxRun > 0 &&
            !MakeLaw(plan.pool, loose, request.first, plan.length)->isEmpty())
            return RunRefusal{RunRule::MaxRunUnmeetable, input.rules.maxRun};
        loose.rules.firstRestricted = false;
        if (input.rules.firstRestricted &&
            !MakeLaw(plan.pool, loose, FirstCharacter::Any, plan.length)->isEmpty())
            return RunRefusal{RunRule::FirstUnmeetable, qint64(request.first)};
        qint64 sum = 0;
        for (qint32 m : input.rules.minimums)
            sum += m;
        return RunRefusal{RunRule::MinimumsLength, sum};
    }
    if (request.unique) {
        const auto distinct = law->distinctCount();
        if (distinct && *distinct < request.count)
            return RunRefusal{RunRule::UniqueCount, *distinct};
        // Near the whole set, drawing and discarding repeats slows down: rank instead.
        if (distinct && law->isUniformOverTexts() && request.count * 8 >= *distinct)
            law->prepareRanking();
    }
    plan.entropyBits = law->entropyBits();
    plan.law = std::move(law);
    return plan;
}

namespace {
constexpr size_t kLargePage = size_t(2) << 20;

// The UTF-16 units of every password drawn from pool, or -1 when they differ.
qsizetype FixedUnits(const CharacterPool& pool, qint32 length) {
    return pool.isBmpOnly() && !pool.isClustered() ? length : -1;
}

bool IsLatin1(const CharacterPool& pool) {
    if (pool.isClustered())
        return false;
    for (qsizetype i = 0; i < pool.size(); ++i) {
        if (pool.at(i) >= 0x100)
            return false;
    }
    return true;
}

} // namespace

void* AllocateLargeBlock(size_t bytes) {
    if (bytes < kLargePage / 2) {
        if (void* block = std::malloc(bytes))
            return block;
        throw std::bad_alloc();
    }
    const size_t rounded = (bytes + kLargePage - 1) / kLargePage * kLargePage;
    void* block = std::aligned_alloc(kLargePage, rounded);
    if (!block)
        throw std::bad_alloc();
#ifdef MADV_HUGEPAGE
    madvise(block, rounded, MADV_HUGEPAGE); // only advice: without it, small pages serve
#endif
    return block;
}

void FreeLargeBlock(void* block, size_t) {
    std::free(block);
}

// A nonzero seed also picks Qt's fastest hash of a text where the processor has one.
DistinctTexts::DistinctTexts() : seed_(size_t(QHashSeed::globalSeed()) | 1) {}

void DistinctTexts::reserve(qsizetype count, qsizetype units, bool narrow) {
    // Beyond this, a copy of each text would cost more than sharing it.
    constexpr qsizetype kBlockUnits = 64;
    if (count_ == 0 && units > 0 && units <= kBlockUnits) {
        blockUnits_ = units;
        narrow_ = narrow;
        if (narrow)
            bytes_.reserve(size_t(count) * size_t(units));
        else
            units_.reserve(size_t(count) * size_t(units));
    } else {
        shared_.reserve(size_t(count));
    }
    size_t size = 16;
    while (size < size_t(count) * 2)
        size *= 2;
    rebuild(size);
}

void DistinctTexts::rebuild(size_t slotCount) {
    slotBits_ = std::countr_zero(slotCount);
    // At most half the slots are used, so an index plus one fits slotBits_ bits.
    indexBits_ = slotBits_;
    const quint64 indexMask = (quint64(1) << indexBits_) - 1;
    slots_.assign(slotCount, 0);
    for (size_t i = 0; i < count_; ++i) {
        const size_t hash = hashOf(textAt(i));
        size_t at = slotOf(hash);
        while (slots_[at] != 0)
            at = (at + 1) & (slotCount - 1);
        slots_[at] = (quint64(hash) & ~indexMask) | quint64(i + 1);
    }
}

bool DistinctTexts::holds(size_t index, QStringView text) const {
    const size_t at = index * size_t(blockUnits_);
    if (blockUnits_ == 0)
        return shared_[index] == text;
    if (narrow_)
        return QLatin1StringView(bytes_.data() + at, blockUnits_) == text;
    return QStringView(units_.data() + at, blockUnits_) == text;
}

QString DistinctTexts::textAt(size_t index) const {
    const size_t at = index * size_t(blockUnits_);
    if (blockUnits_ == 0)
        return shared_[index];
    if (narrow_)
        return QString::fromLatin1(bytes_.data() + at, blockUnits_);
    return QStringView(units_.data() + at, blockUnits_).toString();
}

void DistinctTexts::makeShared() {
    if (blockUnits_ == 0)
        return;
    shared_.reserve(count_ + 1);
    for (size_t i = 0; i < count_; ++i)
        shared_.push_back(textAt(i));
    bytes_ = {};
    units_ = {};
    blockUnits_ = 0;
}

void DistinctTexts::append(const QString& text) {
    if (blockUnits_ > 0 && text.size() != blockUnits_)
        makeShared();
    if (blockUnits_ == 0) {
        shared_.push_back(text);
        return;
    }
    if (!narrow_) {
        const char16_t* const from = reinterpret_cast<const char16_t*>(text.constData());
        units_.insert(units_.end(), from, from + text.size());
        return;
    }
    const size_t at = bytes_.size();
    bytes_.resize(at + size_t(text.size())); // left as it was: every byte is written below
    const char16_t* const from = reinterpret_cast<const char16_t*>(text.constData());
    char* const to = bytes_.data() + at;
    char16_t all = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        all |= from[i];
        to[i] = char(uchar(from[i]));
    }
    if (all < 0x100)
        return;
    bytes_.resize(at);
    makeShared();
    shared_.push_back(text);
}

bool DistinctTexts::insert(const QString& text, size_t hash) {
    if ((count_ + 1) * 2 > slots_.size())
        rebuild(std::max<size_t>(16, slots_.size() * 2));
    const quint64 indexMask = (quint64(1) << indexBits_) - 1;
    const size_t mask = slots_.size() - 1;
    size_t at = slotOf(hash);
    for (quint64 slot; (slot = slots_[at]) != 0; at = (at + 1) & mask) {
        if (((slot ^ quint64(hash)) & ~indexMask) == 0 && holds(size_t(slot & indexMask) - 1, text))
            return false;
    }
    slots_[at] = (quint64(hash) & ~indexMask) | quint64(count_ + 1);
    append(text);
    ++count_;
    return true;
}

RunDraw::RunDraw(const RunPlan& plan) : plan_(plan) {
    if (plan.unique && plan.law && !plan.law->canRank())
        seen_.reserve(plan.count, FixedUnits(plan.pool, plan.length), IsLatin1(plan.pool));
}

QString RunDraw::nextByRank(RandomSource& source, const std::function<bool()>& afterEachCharacter) {
    // The next step of a Fisher-Yates shuffle of all ranks, kept only where it moved.
    const PasswordLaw& law = *plan_.law;
    const qint64 total = *law.distinctCount();
    const qint64 pick = drawn_ + qint64(DrawIndex(qsizetype(total - drawn_), source));
    const qint64 atPick = swapped_.value(pick, pick);
    swapped_[pick] = swapped_.value(drawn_, drawn_);
    ++drawn_;
    const QString password = law.passwordOfRank(atPick);
    afterEachCharacter();
    return password;
}

double DuplicateChance(const RunPlan& plan) {
    if (plan.unique || !plan.law || plan.law->isEmpty() || plan.count < 2)
        return 0;
    const double c = plan.count;
    const auto distinct = plan.law->distinctCount();
    if (distinct && plan.law->isUniformOverTexts()) {
        // 1 - D! / ((D - c)! D^c), the birthday problem itself.
        const double d = double(*distinct);
        if (c > d)
            return 1;
        return -std::expm1(std::lgamma(d + 1) - std::lgamma(d - c + 1) - c * std::log(d));
    }
    // Every pair is the same with the collision chance; the pairs are nearly independent.
    return -std::expm1(-c * (c - 1) / 2 * plan.law->collisionChance());
}

QString EntropyFigure(double bits) {
    return QString::number(bits, 'f', 1);
}
