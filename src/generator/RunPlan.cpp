#include "RunPlan.h"

#include "Entropy.h"
#include "LookAlikes.h"
#include "PasswordLimits.h"

#include <QStringList>
#include <algorithm>
#include <cmath>

namespace {

QString ClassNames(qint64 classes) {
    QStringList names;
    if (classes & EachClassRule::Digits)
        names << QStringLiteral("数字");
    if (classes & EachClassRule::Upper)
        names << QStringLiteral("アルファベット大文字");
    if (classes & EachClassRule::Lower)
        names << QStringLiteral("アルファベット小文字");
    if (classes & EachClassRule::Extra)
        names << QStringLiteral("任意文字");
    return names.join(u'、');
}

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
    if (plan.pool.isEmpty())
        return RunRefusal{RunRule::AnyCharacterLeft, 0};

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

QString RunRefusalMessage(const RunRefusal& refusal) {
    switch (refusal.rule) {
    case RunRule::LengthInRange:
        return QStringLiteral("Error:文字数は1から%1の値を指定してください。")
            .arg(kMaxPasswordLength);
    case RunRule::CountInRange:
        return QStringLiteral("Error:生成数は1から%1の値を指定してください。")
            .arg(kMaxPasswordCount);
    case RunRule::EachClassLeft:
        return QStringLiteral("Error:全種類を含めることはできません。%1の文字が残っていません。")
            .arg(ClassNames(refusal.value));
    case RunRule::EachClassLength:
        return QStringLiteral("Error:全種類を含めるには、文字数を%1以上にしてください。")
            .arg(refusal.value);
    case RunRule::EachClassTooRare:
        return QStringLiteral("Error:全種類を含むパスワードは%1個に1個しかありません。"
                              "文字数を増やすか、文字の種類を減らしてください。")
            .arg(refusal.value);
    case RunRule::AnyCharacterLeft:
        return QStringLiteral("Error:使える文字がありません。含める文字を選ぶか、除外する文字を"
                              "見直してください。");
    }
    return QString();
}

QString EntropyFigure(double bits) {
    return QString::number(bits, 'f', 1);
}

QString StrengthLabelText(const RunPlanOutcome& outcome) {
    if (const auto* plan = std::get_if<RunPlan>(&outcome))
        return QStringLiteral("強度 %1 ビット").arg(EntropyFigure(plan->entropyBits));
    switch (std::get<RunRefusal>(outcome).rule) {
    case RunRule::LengthInRange:
    case RunRule::CountInRange:
        return QString();
    case RunRule::EachClassLeft:
        return QStringLiteral("全種類を含められません（文字が残っていない種類があります）");
    case RunRule::EachClassLength:
        return QStringLiteral("全種類を含められません（文字数が足りません）");
    case RunRule::EachClassTooRare:
        return QStringLiteral("全種類を含むパスワードがまれすぎます");
    case RunRule::AnyCharacterLeft:
        return QStringLiteral("使える文字がありません");
    }
    return QString();
}
