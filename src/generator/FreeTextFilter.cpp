#include "FreeTextFilter.h"

namespace {
bool isControl(QChar c) {
    return c.unicode() < 0x20 || c.unicode() == 0x7F;
}
} // namespace

FilteredFreeText FilterFreeText(const QString& text, int cursor) {
    FilteredFreeText result;
    result.cursor = cursor;
    const qsizetype n = text.size();
    qsizetype i = 0;
    // Most texts are clean: hand them back without copying.
    while (i < n && !isControl(text.at(i)) && !text.at(i).isSurrogate())
        ++i;
    if (i == n) {
        result.text = text;
        return result;
    }
    result.text.reserve(n);
    result.text.append(QStringView(text).left(i));
    for (; i < n; ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < n && text.at(i + 1).isLowSurrogate()) {
            result.text.append(c);
            result.text.append(text.at(++i));
            continue;
        }
        if (isControl(c) || c.isSurrogate()) {
            if (i < cursor)
                --result.cursor;
            continue;
        }
        result.text.append(c);
    }
    return result;
}
