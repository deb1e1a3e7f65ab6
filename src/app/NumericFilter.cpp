#include "NumericFilter.h"

bool NumericKeyAllowed(int keyCode) {
    return keyCode < 32 || (keyCode >= '0' && keyCode <= '9');
}

qsizetype FirstDisallowedNumericIndex(const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c == u'-') {
            if (i != 0)
                return i;
        } else if ((c >= u' ' && c < u'-') || c == u'/' || c > u'9') {
            return i;
        }
    }
    return -1;
}

QString FilterNumericTextOnce(const QString& text) {
    const qsizetype index = FirstDisallowedNumericIndex(text);
    if (index < 0)
        return text;
    QString shorter = text;
    shorter.remove(index, 1);
    return shorter;
}
