#include "CountValidation.h"

#include <algorithm>

namespace {

bool holdsNonDigit(const QString& text) {
    return std::any_of(text.cbegin(), text.cend(),
                       [](QChar c) { return c.unicode() < u'0' || c.unicode() > u'9'; });
}

bool isZero(const QString& text) {
    return !text.isEmpty() &&
           std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c == u'0'; });
}

} // namespace

qint16 ValidateCountsCode(const QString& mojisu, const QString& seisei) {
    qint16 code = 0;
    if (holdsNonDigit(mojisu))
        code += 1;
    if (holdsNonDigit(seisei))
        code += 10;
    if (isZero(mojisu))
        code += 100;
    if (isZero(seisei))
        code += 1000;
    return code;
}

QString ValidationMessage(qint16 code) {
    switch (code) {
    case 0:
        return QString();
    case 1:
        return QStringLiteral("Error:文字数に数字以外のものが含まれています。");
    case 10:
        return QStringLiteral("Error:生成数に数字以外のものが含まれています。");
    case 11:
        return QStringLiteral("Error:文字数と生成数に数字以外のものが含まれています。");
    case 100:
        return QStringLiteral("Error:文字数に0を指定することはできません。");
    case 1000:
        return QStringLiteral("Error:生成数に0を指定することはできません。");
    case 1100:
        return QStringLiteral("Error:文字数と生成数に0を指定することはできません。");
    // A refused run must always say why: the two mixed cases name both faults.
    case 1001:
        return ValidationMessage(1) + u'\n' + ValidationMessage(1000);
    case 110:
        return ValidationMessage(100) + u'\n' + ValidationMessage(10);
    default:
        return QString();
    }
}
