#include "CodePointName.h"

QString CodePointName(QStringView text, qsizetype* units) {
    const QChar first = text.at(0);
    const bool pair = first.isHighSurrogate() && text.size() > 1 && text.at(1).isLowSurrogate();
    if (units)
        *units = pair ? 2 : 1;
    const char32_t code = pair ? QChar::surrogateToUcs4(first, text.at(1)) : first.unicode();
    return QStringLiteral("U+%1").arg(QString::number(code, 16).toUpper().rightJustified(4, u'0'));
}
