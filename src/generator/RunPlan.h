#pragma once

#include "CharacterPool.h"
#include "EachClass.h"
#include "GenerationOptions.h"

#include <QString>
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
    EachClassTooRare, // value: N, where only 1 password in N meets the rule
};

struct RunRefusal {
    RunRule rule;
    qint64 value = 0;
    bool operator==(const RunRefusal&) const = default;
};

// What a run draws from. An empty pool is no refusal here: the window runs it as a run that
// makes nothing, keymill-cli refuses it in its own words.
struct RunPlan {
    CharacterPool pool;
    EachClassRule rule; // chooses no class unless each-class was asked for
    qint32 length = 0;
    qint32 count = 0;
    double entropyBits = 0; // of one password as the run draws it
};

using RunPlanOutcome = std::variant<RunPlan, RunRefusal>;

// Each-class draws that need more tries than this per password on average are refused: the
// run would seem to hang.
inline constexpr double kMinEachClassAcceptance = 1e-4;

// Checks the request in this order: length, count, then (with each-class) a class with no
// character left, a length shorter than the number of classes, a rule too rarely met.
RunPlanOutcome PlanRun(const RunRequest& request);

// The entropy as keymill-cli -e prints it and the window shows it: one decimal.
QString EntropyFigure(double bits);
