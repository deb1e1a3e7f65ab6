#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QStringView>

#include <vector>

// Widths of texts taken as the sum of their characters' advances, in 1/64 pixel. Measuring a
// character once and adding numbers afterwards is what keeps passwords of 99,999 characters
// cheap: shaping one of them as a whole takes hundreds of milliseconds.
class CharacterAdvances {
public:
    explicit CharacterAdvances(const QFont& font);

    const QFont& font() const { return m_font; }

    qint64 width(QStringView text) const;

    // The characters [begin, end) that cover the horizontal range [from, to) of the text, and the
    // offset of the first of them from the start of the text.
    struct Span {
        qsizetype begin = 0;
        qsizetype end = 0;
        qint64 x = 0;
    };
    Span span(QStringView text, qint64 from, qint64 to) const;

    static qreal toPixels(qint64 fixed) { return fixed / 64.0; }
    static qint64 fromPixels(qreal pixels) { return qRound64(pixels * 64); }

private:
    // The advance of the character at i, stepping i over the second half of a surrogate pair.
    qint32 measure(QStringView text, qsizetype& i) const;
    qint32 advanceAt(QStringView text, qsizetype& i) const {
        const qint32 known = m_basic[text[i].unicode()];
        return known >= 0 ? known : measure(text, i);
    }

    QFont m_font;
    QFontMetricsF m_metrics;
    // One slot per UTF-16 code unit, -1 until measured; surrogates stay -1 and go through m_other.
    mutable std::vector<qint32> m_basic;
    mutable QHash<char32_t, qint32> m_other;
};
