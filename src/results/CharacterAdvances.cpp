#include "CharacterAdvances.h"

CharacterAdvances::CharacterAdvances(const QFont& font)
    : m_font(font), m_metrics(font), m_basic(0x10000, -1) {}

qint32 CharacterAdvances::measure(QStringView text, qsizetype& i) const {
    const QChar c = text[i];
    if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
        const char32_t code = QChar::surrogateToUcs4(c, text[i + 1]);
        ++i;
        auto it = m_other.constFind(code);
        if (it == m_other.cend())
            it = m_other.insert(code, static_cast<qint32>(fromPixels(m_metrics.horizontalAdvance(
                                          QString::fromUcs4(&code, 1)))));
        return *it;
    }
    const qint32 advance = static_cast<qint32>(fromPixels(m_metrics.horizontalAdvance(QString(c))));
    if (!c.isSurrogate())
        m_basic[c.unicode()] = advance;
    return advance;
}

qint64 CharacterAdvances::width(QStringView text) const {
    qint64 sum = 0;
    for (qsizetype i = 0; i < text.size(); ++i)
        sum += advanceAt(text, i);
    return sum;
}

CharacterAdvances::Span CharacterAdvances::span(QStringView text, qint64 from, qint64 to) const {
    Span result;
    qint64 x = 0;
    qsizetype i = 0;
    while (i < text.size()) {
        qsizetype next = i;
        const qint32 advance = advanceAt(text, next);
        if (x + advance > from)
            break;
        x += advance;
        i = next + 1;
    }
    result.begin = i;
    result.x = x;
    while (i < text.size() && x < to) {
        x += advanceAt(text, i);
        ++i;
    }
    result.end = i;
    return result;
}
