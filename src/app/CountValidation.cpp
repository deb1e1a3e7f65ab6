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

QList<RunRule> CountTextRefusals(const QString& length, const QString& count) {
    QList<RunRule> broken;
    if (holdsNonDigit(length))
        broken << RunRule::LengthDigitsOnly;
    if (holdsNonDigit(count))
        broken << RunRule::CountDigitsOnly;
    if (isZero(length))
        broken << RunRule::LengthNotZero;
    if (isZero(count))
        broken << RunRule::CountNotZero;
    return broken;
}
