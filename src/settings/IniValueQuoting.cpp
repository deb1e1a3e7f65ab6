#include "IniValueQuoting.h"

namespace {

bool IsQuote(QChar c) {
    return c == u'"' || c == u'\'';
}

bool HasMatchingQuotes(const QString& text) {
    return text.size() >= 2 && IsQuote(text.front()) && text.back() == text.front();
}
} // namespace

QString QuoteIniValue(const QString& value) {
    if (value.isEmpty())
        return value;
    if (IsIniBlank(value.front()) || IsIniBlank(value.back()) || HasMatchingQuotes(value))
        return u'"' + value + u'"';
    return value;
}

QString UnquoteIniValue(const QString& stored) {
    if (HasMatchingQuotes(stored))
        return stored.mid(1, stored.size() - 2);
    return stored;
}

bool IsIniBlank(QChar c) {
    return c == u' ' || c == u'\t';
}
