#include "RunRefusalText.h"

#include "EachClass.h"
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
    if (classes & EachClassRule::Symbols)
        names << QStringLiteral("記号");
    return names.join(u'、');
}

// The box's own line: a non-digit or a zero, in the length ("文字数") or the count ("生成数").
QString BoxLine(const QString& box, bool nonDigit) {
    return nonDigit ? QStringLiteral("Error:%1に数字以外のものが含まれています。").arg(box)
                    : QStringLiteral("Error:%1に0を指定することはできません。").arg(box);
}

} // namespace

QString RunRefusalMessage(const RunRefusal& refusal) {
    switch (refusal.rule) {
    case RunRule::LengthDigitsOnly:
    case RunRule::CountDigitsOnly:
    case RunRule::LengthNotZero:
    case RunRule::CountNotZero:
        return CountRefusalMessage({refusal.rule});
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
    case RunRule::SiteMinLength:
        return QStringLiteral(
                   "Error:パスワードルールの minlength により、文字数を%1以上にしてください。")
            .arg(refusal.value);
    case RunRule::SiteMaxLength:
        return QStringLiteral(
                   "Error:パスワードルールの maxlength により、文字数を%1以下にしてください。")
            .arg(refusal.value);
    case RunRule::SiteRequiredLeft:
        return QStringLiteral("Error:パスワードルールの%1番目の required の文字が残っていません。")
            .arg(refusal.value + 1);
    case RunRule::MinimumLeft:
        return QStringLiteral("Error:最小文字数を満たせません。%1の文字が残っていません。")
            .arg(ClassNames(refusal.value));
    case RunRule::MinimumsLength:
        return QStringLiteral("Error:最小文字数（合計%1）を満たすパスワードがありません。"
                              "文字数を増やしてください。")
            .arg(refusal.value);
    case RunRule::MaxRunUnmeetable:
        return QStringLiteral("Error:同じ文字の連続を%1文字までにすると、パスワードを作れません。")
            .arg(refusal.value);
    case RunRule::FirstUnmeetable:
        return QStringLiteral("Error:先頭に置ける文字が残っていません。");
    case RunRule::RulesTooComplex:
        return QStringLiteral("Error:ルールが複雑すぎます（状態%1個）。"
                              "文字数か最小文字数を減らしてください。")
            .arg(refusal.value);
    case RunRule::UniqueCount:
        return QStringLiteral("Error:重複なしで作れるパスワードは%1個です。"
                              "生成数を%1以下にしてください。")
            .arg(refusal.value);
    case RunRule::AnyCharacterLeft:
        return QStringLiteral("Error:使える文字がありません。含める文字を選ぶか、除外する文字を"
                              "見直してください。");
    }
    return QString();
}

QString CountRefusalMessage(const QList<RunRule>& broken) {
    const bool lengthNonDigit = broken.contains(RunRule::LengthDigitsOnly);
    const bool countNonDigit = broken.contains(RunRule::CountDigitsOnly);
    const bool lengthZero = broken.contains(RunRule::LengthNotZero);
    const bool countZero = broken.contains(RunRule::CountNotZero);
    // Both boxes wrong the same way: one line names both.
    if ((lengthNonDigit && countNonDigit) || (lengthZero && countZero))
        return BoxLine(QStringLiteral("文字数と生成数"), lengthNonDigit);
    QStringList lines;
    if (lengthNonDigit || lengthZero)
        lines << BoxLine(QStringLiteral("文字数"), lengthNonDigit);
    if (countNonDigit || countZero)
        lines << BoxLine(QStringLiteral("生成数"), countNonDigit);
    return lines.join(u'\n');
}

QString RunTooLargeMessage() {
    return QStringLiteral(
        "Error:文字数と生成数が大きすぎるため、パスワードを保持するメモリが足りません。");
}

QString StrengthLabelText(const RunPlanOutcome& outcome) {
    if (const auto* plan = std::get_if<RunPlan>(&outcome)) {
        if (plan->pool.isEmpty())
            return QStringLiteral("使える文字がありません");
        return QStringLiteral("強度 %1 ビット").arg(EntropyFigure(plan->entropyBits));
    }
    switch (std::get<RunRefusal>(outcome).rule) {
    case RunRule::LengthDigitsOnly:
    case RunRule::CountDigitsOnly:
    case RunRule::LengthNotZero:
    case RunRule::CountNotZero:
    case RunRule::LengthInRange:
    case RunRule::CountInRange:
        return QString();
    case RunRule::EachClassLeft:
        return QStringLiteral("全種類を含められません（文字が残っていない種類があります）");
    case RunRule::EachClassLength:
        return QStringLiteral("全種類を含められません（文字数が足りません）");
    case RunRule::AnyCharacterLeft:
        return QStringLiteral("使える文字がありません");
    case RunRule::SiteMinLength:
    case RunRule::SiteMaxLength:
        return QStringLiteral("文字数がパスワードルールに合いません");
    case RunRule::SiteRequiredLeft:
    case RunRule::MinimumLeft:
        return QStringLiteral("最小文字数を満たせません（文字が残っていない種類があります）");
    case RunRule::MinimumsLength:
    case RunRule::MaxRunUnmeetable:
    case RunRule::FirstUnmeetable:
        return QStringLiteral("ルールを満たすパスワードがありません");
    case RunRule::RulesTooComplex:
        return QStringLiteral("ルールが複雑すぎます");
    case RunRule::UniqueCount:
        return QStringLiteral("重複なしでは生成数に足りません");
    }
    return QString();
}

QString DuplicateChanceText(double chance) {
    if (chance <= 1e-3)
        return QString();
    const double percent = chance * 100;
    return QStringLiteral("重複の可能性 %1 %")
        .arg(percent >= 1 ? QString::number(std::min(std::floor(percent + 0.5), 100.0))
                          : QString::number(percent, 'f', 1));
}
