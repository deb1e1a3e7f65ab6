#include "LookAlikes.h"

#include "UnicodeText.h"

#include <QSet>
#include <algorithm>

namespace {
bool InTable(QStringView text) {
    char32_t c = 0;
    return IsSingleCodePoint(text, &c) &&
           std::find(kLookAlikeCharacters.begin(), kLookAlikeCharacters.end(), c) !=
               kLookAlikeCharacters.end();
}
} // namespace

bool IsLookAlike(QStringView entry) {
    return InTable(entry) || InTable(CompatibilityComposedText(entry.toString()));
}

void RemoveLookAlikes(CharacterPool& pool) {
    // Each distinct entry is judged once; the pool then loses them all in one pass. No entry
    // judged a look-alike starts with a character that joins the one before it, so their texts
    // side by side are cut back into the same entries.
    QSet<QString> seen;
    QString lookAlikes;
    for (qsizetype i = 0; i < pool.size(); ++i) {
        const QString entry = pool.entryText(i);
        if (seen.contains(entry))
            continue;
        seen.insert(entry);
        if (IsLookAlike(entry))
            lookAlikes += entry;
    }
    if (!lookAlikes.isEmpty())
        pool.removeAllOf(lookAlikes);
}
