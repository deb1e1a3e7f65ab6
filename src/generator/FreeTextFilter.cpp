#include "FreeTextFilter.h"

#include "UnicodeText.h"

#include <QList>

namespace {
bool IsBidiControl(char32_t c) {
    return c == 0x061C || c == 0x200E || c == 0x200F || (c >= 0x202A && c <= 0x202E) ||
           (c >= 0x2066 && c <= 0x2069);
}

// U+FDD0 to U+FDEF and the last two code points of every plane: kept for a program's own use,
// never interchanged.
bool IsNoncharacter(char32_t c) {
    return (c >= 0xFDD0 && c <= 0xFDEF) || (c & 0xFFFE) == 0xFFFE;
}

bool IsRegionalIndicator(char32_t c) {
    return c >= 0x1F1E6 && c <= 0x1F1FF;
}

bool IsMark(QChar::Category category) {
    return category == QChar::Mark_NonSpacing || category == QChar::Mark_SpacingCombining ||
           category == QChar::Mark_Enclosing;
}

bool IsTag(char32_t c) {
    return c >= 0xE0020 && c <= 0xE007F;
}
constexpr char32_t kCancelTag = 0xE007F;

// Dropped wherever it stands.
bool IsAlwaysDropped(char32_t c, QChar::Category category) {
    return category == QChar::Other_Control || category == QChar::Separator_Line ||
           category == QChar::Separator_Paragraph || category == QChar::Other_Surrogate ||
           IsBidiControl(c) || IsNoncharacter(c);
}

// Anything that may need dropping; clean text (nearly every text) is handed back as it is.
bool MayBeDropped(char32_t c, QChar::Category category) {
    return category == QChar::Other_Control || category == QChar::Other_Format ||
           category == QChar::Separator_Line || category == QChar::Separator_Paragraph ||
           category == QChar::Other_Surrogate || category == QChar::Other_NotAssigned ||
           IsMark(category) || IsRegionalIndicator(c);
}

struct CodePoint {
    char32_t value;
    qsizetype at;   // in UTF-16 units
    qsizetype size; // 1 or 2
    QChar::Category category;
};

// The code points of text[from, to); a surrogate half standing alone is one of its own.
QList<CodePoint> CodePoints(QStringView text, qsizetype from, qsizetype to) {
    QList<CodePoint> points;
    for (qsizetype i = from; i < to;) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < to && text[i + 1].isLowSurrogate()) {
            const char32_t value = QChar::surrogateToUcs4(c, text[i + 1]);
            points.append({value, i, 2, QChar::category(value)});
            i += 2;
        } else {
            points.append({c.unicode(), i, 1, c.category()});
            ++i;
        }
    }
    return points;
}

// Marks what to keep of one grapheme cluster of a text without controls. A format character is kept
// when the cluster starts with a character that stays, and something after it in the cluster is
// kept too (it joins two characters), or it belongs to the tag run that ends a flag with U+E007F.
void KeepOfCluster(const QList<CodePoint>& cluster, QList<bool>& keep) {
    keep.fill(false, cluster.size());
    for (qsizetype i = 0; i < cluster.size(); ++i) {
        const CodePoint& p = cluster[i];
        keep[i] = !IsAlwaysDropped(p.value, p.category) && p.category != QChar::Other_Format;
    }
    if (cluster.isEmpty() || !keep.front())
        return; // no visible base: every format character of the cluster goes
    // A combining mark with no base, or half a flag, stands for nothing on its own: the whole
    // cluster goes (U+0301 first, or 🇯 without its 🇵).
    const CodePoint& first = cluster.front();
    const bool loneIndicator = IsRegionalIndicator(first.value) &&
                               (cluster.size() == 1 || !IsRegionalIndicator(cluster[1].value));
    if (IsMark(first.category) || loneIndicator) {
        keep.fill(false);
        return;
    }
    // From the end: a trailing run of tags ending in the cancel tag stays; other trailing
    // format characters join nothing.
    bool joinsNext = false;
    bool tagRun = !cluster.isEmpty() && cluster.back().value == kCancelTag;
    for (qsizetype i = cluster.size() - 1; i > 0; --i) {
        const CodePoint& p = cluster[i];
        if (keep[i]) {
            joinsNext = true;
            tagRun = false;
            continue;
        }
        if (p.category != QChar::Other_Format || IsBidiControl(p.value))
            continue;
        if (tagRun && IsTag(p.value)) {
            keep[i] = true;
            continue;
        }
        tagRun = false;
        keep[i] = joinsNext;
    }
}
// Drops each code point of text for which `drop` says so, moving the cursor back by the units
// dropped before it.
template <typename Drop> FilteredFreeText Without(const FilteredFreeText& in, Drop drop) {
    FilteredFreeText out;
    out.cursor = in.cursor;
    out.dropped = in.dropped;
    out.text.reserve(in.text.size());
    QList<bool> keep;
    qsizetype from = 0;
    for (const qsizetype to : GraphemeEnds(in.text)) {
        const QList<CodePoint> cluster = CodePoints(in.text, from, to);
        drop(cluster, keep);
        for (qsizetype k = 0; k < cluster.size(); ++k) {
            const CodePoint& p = cluster[k];
            if (keep[k]) {
                out.text.append(QStringView(in.text).sliced(p.at, p.size));
                continue;
            }
            out.dropped.append(p.value);
            if (p.at < in.cursor)
                out.cursor -= int(std::min<qsizetype>(p.size, in.cursor - p.at));
        }
        from = to;
    }
    return out;
}
} // namespace

FilteredFreeText FilterFreeText(const QString& text, int cursor) {
    const qsizetype n = text.size();
    qsizetype i = 0;
    // Most texts are clean: hand them back without copying.
    while (i < n) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < n && text.at(i + 1).isLowSurrogate()) {
            const char32_t value = QChar::surrogateToUcs4(c, text.at(i + 1));
            if (MayBeDropped(value, QChar::category(value)))
                break;
            i += 2;
            continue;
        }
        if (MayBeDropped(c.unicode(), c.category()))
            break;
        ++i;
    }
    if (i == n)
        return {text, cursor, {}};

    // Controls, separators and bidirectional controls go first, so that what they stood
    // between is judged as it will stand: a joiner between two emoji that had a control
    // between them joins them.
    const FilteredFreeText plain =
        Without({text, cursor, {}}, [](const QList<CodePoint>& cluster, QList<bool>& keep) {
            keep.resize(cluster.size());
            for (qsizetype k = 0; k < cluster.size(); ++k)
                keep[k] = !IsAlwaysDropped(cluster[k].value, cluster[k].category);
        });
    return Without(plain, KeepOfCluster);
}

QString CutToFreeTextLimit(const QString& text, qsizetype room) {
    if (text.size() <= room)
        return text;
    if (room <= 0)
        return QString();
    if (text[room - 1].isHighSurrogate() && text[room].isLowSurrogate())
        --room;
    return text.left(room);
}
