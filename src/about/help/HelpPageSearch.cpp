#include "HelpPageSearch.h"

#include <QRegularExpression>

#include <algorithm>

namespace {

// One form for text that reads the same: compatibility forms folded (full-width letters,
// half-width katakana), then case.
QString folded(const QString& text) {
    return text.normalized(QString::NormalizationForm_KC).toCaseFolded();
}

int occurrences(const QString& haystack, const QString& word) {
    int count = 0;
    for (qsizetype at = haystack.indexOf(word); at >= 0; at = haystack.indexOf(word, at + 1))
        ++count;
    return count;
}

} // namespace

QList<HelpPageHit> FindInHelpPages(const QList<HelpPage>& pages, const QString& query) {
    static const QRegularExpression whiteSpace(QStringLiteral("\\s+"));
    const QStringList words = folded(query).split(whiteSpace, Qt::SkipEmptyParts);
    QList<HelpPageHit> hits;
    if (words.isEmpty())
        return hits;
    for (const HelpPage& page : pages) {
        const QString text = folded(page.title + QLatin1Char('\n') + page.text);
        int matches = 0;
        bool all = true;
        for (const QString& word : words) {
            const int found = occurrences(text, word);
            all = all && found > 0;
            matches += found;
        }
        if (all)
            hits.append({page.url, page.title, matches});
    }
    std::stable_sort(hits.begin(), hits.end(), [](const HelpPageHit& a, const HelpPageHit& b) {
        return a.matches > b.matches;
    });
    return hits;
}
