#pragma once

#include "EachClass.h"
#include "PasswordLimits.h"
#include "RunPlan.h"

#include <QList>
#include <QString>

// The runs that must be refused, with the rule and value that refuse each: one table for the
// plan itself and for both front ends, which must refuse the same runs.
struct RunRefusalCase {
    const char* name;
    RunRequest request;
    RunRefusal refusal;
    // The window's boxes can hold the request (five digits, no zero: those are refused
    // before any plan, by the boxes' own check), and its controls can ask for the rules.
    bool windowCanAsk = true;
};

// Digits, upper and lower case as chosen, extra and excluded text when not null.
inline RunRequest RefusalRequest(const char* classes, qint64 length, bool eachClass,
                                 const QString& extra = QString(),
                                 const QString& exclude = QString(), bool noSimilar = false,
                                 qint64 count = 3) {
    RunRequest request;
    const QString c = QString::fromLatin1(classes);
    request.characters.digits = c.contains(u'd');
    request.characters.upper = c.contains(u'u');
    request.characters.lower = c.contains(u'w');
    request.characters.extra = !extra.isNull();
    request.characters.extraText = extra;
    request.characters.exclude = !exclude.isNull();
    request.characters.excludeText = exclude;
    request.noSimilar = noSimilar;
    request.eachClass = eachClass;
    request.length = length;
    request.count = count;
    return request;
}

// The request with one more rule set by change.
template <typename Change> RunRequest With(RunRequest request, Change change) {
    change(request);
    return request;
}

inline QList<RunRefusalCase> RunRefusalCases() {
    using R = RunRule;
    return {
        {"each class: length 2, three classes",
         RefusalRequest("duw", 2, true),
         {R::EachClassLength, 3}},
        {"each class: length 3, four classes",
         RefusalRequest("duw", 3, true, "!"),
         {R::EachClassLength, 4}},
        {"each class: every digit excluded",
         RefusalRequest("du", 8, true, QString(), "0123456789"),
         {R::EachClassLeft, EachClassRule::Digits}},
        {"each class: the extra text is all look-alikes",
         RefusalRequest("w", 8, true, "0O|", QString(), true),
         {R::EachClassLeft, EachClassRule::Extra}},
        {"each class: upper case left with look-alikes only",
         RefusalRequest("uw", 8, true, QString(), "ABCDEFGHJKLMNPQRSTUVWXYZ", true),
         {R::EachClassLeft, EachClassRule::Upper}},
        {"each class: two classes gone",
         RefusalRequest("duw", 8, true, QString(), "0123456789abcdefghijklmnopqrstuvwxyz"),
         {R::EachClassLeft, EachClassRule::Digits | EachClassRule::Lower}},
        {"no character: every digit excluded",
         RefusalRequest("d", 8, false, QString(), "0123456789"),
         {R::AnyCharacterLeft, 0}},
        {"minimum of symbols, none chosen",
         With(RefusalRequest("duw", 8, false), [](RunRequest& r) { r.minimums.symbols = 1; }),
         {R::MinimumLeft, EachClassRule::Symbols},
         false},
        {"minimums beyond the length",
         With(RefusalRequest("duw", 4, false),
              [](RunRequest& r) { r.minimums = {.digits = 3, .upper = 2}; }),
         {R::MinimumsLength, 5},
         false},
        {"longest run 1 with one character",
         With(RefusalRequest("", 3, false, "a"), [](RunRequest& r) { r.maxRun = 1; }),
         {R::MaxRunUnmeetable, 1},
         false},
        {"first a letter, digits only",
         With(RefusalRequest("d", 8, false),
              [](RunRequest& r) { r.first = FirstCharacter::Letter; }),
         {R::FirstUnmeetable, qint64(FirstCharacter::Letter)},
         false},
        {"unique beyond the distinct passwords",
         With(RefusalRequest("d", 2, false, QString(), QString(), false, 101),
              [](RunRequest& r) { r.unique = true; }),
         {R::UniqueCount, 100},
         false},
        {"length 0", RefusalRequest("duw", 0, false), {R::LengthInRange, 0}, false},
        {"length above the bound",
         RefusalRequest("duw", kMaxPasswordLength + 1, false),
         {R::LengthInRange, kMaxPasswordLength + 1},
         false},
        {"count 0",
         RefusalRequest("duw", 8, false, QString(), QString(), false, 0),
         {R::CountInRange, 0},
         false},
    };
}
