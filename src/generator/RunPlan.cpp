#include "RunPlan.h"

#include "Entropy.h"
#include "LookAlikes.h"
#include "PasswordLimits.h"

#include <algorithm>
#include <cmath>

namespace {

// 1 in how many passwords meets the rule, as a whole number that stays printable.
qint64 OneIn(double acceptance) {
    return qint64(std::llround(std::min(1 / acceptance, 1e18)));
}

} // namespace

RunPlanOutcome PlanRun(const RunRequest& request) {
    if (request.length < 1 || request.length > kMaxPasswordLength)
        return RunRefusal{RunRule::LengthInRange, request.length};
    if (request.count < 1 || request.count > kMaxPasswordCount)
        return RunRefusal{RunRule::CountInRange, request.count};

    RunPlan plan;
    plan.length = qint32(request.length);
    plan.count = qint32(request.count);
    plan.pool = BuildCharacterPool(request.characters);
    if (request.noSimilar)
        RemoveLookAlikes(plan.pool);
    // Nothing to draw from: the run makes nothing, whatever the rule.
    if (plan.pool.isEmpty())
        return plan;

    if (request.eachClass) {
        plan.rule = EachClassRule(request.characters);
        if (const quint8 missing = plan.rule.classesMissingFrom(plan.pool))
            return RunRefusal{RunRule::EachClassLeft, missing};
        if (plan.length < plan.rule.classCount())
            return RunRefusal{RunRule::EachClassLength, plan.rule.classCount()};
        const double acceptance = EachClassAcceptance(plan.pool, plan.rule, plan.length);
        if (acceptance < kMinEachClassAcceptance)
            return RunRefusal{RunRule::EachClassTooRare, OneIn(acceptance)};
    }
    plan.entropyBits = PasswordEntropyBits(plan.pool, plan.length, plan.rule);
    return plan;
}

QString EntropyFigure(double bits) {
    return QString::number(bits, 'f', 1);
}
